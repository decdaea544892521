// Decodes a picture resource with the system's GDI+, loaded at run time, and draws it scaled.
#pragma once

#include <windows.h>

class CImageLoader {
public:
    // Loads the library and starts GDI+; without it every operation reports failure.
    explicit CImageLoader(const wchar_t* library = L"gdiplus.dll");
    CImageLoader(const CImageLoader&) = delete;
    CImageLoader& operator=(const CImageLoader&) = delete;
    virtual ~CImageLoader();

    // False without the decoder, without the resource, for an empty one or one that cannot be locked.
    // A later failure (no memory, no stream, no picture in the bytes) leaves no image yet reports true.
    bool LoadFromResource(const wchar_t* name, const wchar_t* type, HMODULE module);
    UINT GetWidth() const;
    UINT GetHeight() const;
    // Draws the whole picture stretched or shrunk to fill dest exactly.
    bool Draw(HDC dc, const RECT& dest);
    void Dispose();

    bool HasImage() const { return m_image != nullptr; }
    HGLOBAL ImageMemory() const { return m_memory; }

private:
    struct Api;
    bool LookUpDrawing();

    HMODULE m_library = nullptr;
    HGLOBAL m_memory = nullptr;
    ULONG_PTR m_token = 0;
    void* m_image = nullptr;
    // The function addresses and the attributes belong to this loader's library and GDI+ session:
    // once the library is freed they are gone, so nothing of them outlives the loader.
    Api* m_api = nullptr;
    void* m_attributes = nullptr;
};
