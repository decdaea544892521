#include "controls/ImageLoader.h"
#include "ui/ScopedHandles.h"

#include <objidl.h>
#include <ole2.h>

#include <cstring>

namespace {

// The flat GDI+ interface, declared here because the program never links against it.
struct StartupInput {
    UINT32 version = 1;
    void* debugEventCallback = nullptr;
    BOOL suppressBackgroundThread = FALSE;
    BOOL suppressExternalCodecs = FALSE;
};
const int kUnitPixel = 2;
const int kOk = 0;

using StartupFn = int(WINAPI*)(ULONG_PTR*, const StartupInput*, void*);
using ShutdownFn = void(WINAPI*)(ULONG_PTR);
using LoadImageFromStreamFn = int(WINAPI*)(IStream*, void**);
using DisposeImageFn = int(WINAPI*)(void*);
using GetImageSizeFn = int(WINAPI*)(void*, UINT*);
using CreateFromHdcFn = int(WINAPI*)(HDC, void**);
using DeleteGraphicsFn = int(WINAPI*)(void*);
using DrawImageRectRectIFn =
    int(WINAPI*)(void*, void*, INT, INT, INT, INT, INT, INT, INT, INT, int, const void*, void*, void*);
using CreateImageAttributesFn = int(WINAPI*)(void**);
using DisposeImageAttributesFn = int(WINAPI*)(void*);
using SetColorMatrixFn = int(WINAPI*)(void*, int, BOOL, const void*, const void*, int);
using SetWrapModeFn = int(WINAPI*)(void*, int, DWORD, BOOL);
const int kWrapModeTileFlipXY = 3;

template <class Fn>
bool Find(HMODULE library, const char* name, Fn& fn)
{
    fn = library ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name))) : nullptr;
    return fn != nullptr;
}

}  // namespace

struct CImageLoader::Api {
    bool loadLooked = false;
    LoadImageFromStreamFn loadImageFromStream = nullptr;
    DisposeImageFn disposeImage = nullptr;
    GetImageSizeFn getWidth = nullptr;
    GetImageSizeFn getHeight = nullptr;
    bool drawLooked = false;
    CreateFromHdcFn createFromHdc = nullptr;
    DeleteGraphicsFn deleteGraphics = nullptr;
    DrawImageRectRectIFn drawImageRectRectI = nullptr;
    CreateImageAttributesFn createImageAttributes = nullptr;
    SetColorMatrixFn setColorMatrix = nullptr;
    SetWrapModeFn setWrapMode = nullptr;
    DisposeImageAttributesFn disposeImageAttributes = nullptr;
};

CImageLoader::CImageLoader(const wchar_t* library) : m_api(new Api)
{
    m_library = LoadLibraryW(library);
    StartupFn startup = nullptr;
    if (!Find(m_library, "GdiplusStartup", startup))
        return;
    StartupInput input;
    if (startup(&m_token, &input, nullptr) != kOk)
        m_token = 0;
    Find(m_library, "GdipDisposeImage", m_api->disposeImage);
    Find(m_library, "GdipGetImageWidth", m_api->getWidth);
    Find(m_library, "GdipGetImageHeight", m_api->getHeight);
    Find(m_library, "GdipDisposeImageAttributes", m_api->disposeImageAttributes);
}

CImageLoader::~CImageLoader()
{
    Dispose();
    if (m_attributes && m_api->disposeImageAttributes)
        m_api->disposeImageAttributes(m_attributes);
    m_attributes = nullptr;
    ShutdownFn shutdown = nullptr;
    if (m_token && Find(m_library, "GdiplusShutdown", shutdown))
        shutdown(m_token);
    if (m_library)
        FreeLibrary(m_library);
    delete m_api;
}

void CImageLoader::Dispose()
{
    if (m_image && m_api->disposeImage)
        m_api->disposeImage(m_image);
    m_image = nullptr;
    if (m_memory)
        GlobalFree(m_memory);
    m_memory = nullptr;
}

bool CImageLoader::LoadFromResource(const wchar_t* name, const wchar_t* type, HMODULE module)
{
    if (m_image && m_api->disposeImage)
        m_api->disposeImage(m_image);
    m_image = nullptr;
    if (!m_api->loadLooked) {
        m_api->loadLooked = true;
        Find(m_library, "GdipLoadImageFromStream", m_api->loadImageFromStream);
    }
    if (!m_api->loadImageFromStream)
        return false;

    HRSRC resource = FindResourceW(module, name, type);
    if (!resource)
        return false;
    const DWORD size = SizeofResource(module, resource);
    if (size == 0)
        return false;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return false;

    // The new block comes first, so the previous picture's memory is freed and never reused in place.
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* copy = memory ? GlobalLock(memory) : nullptr;
    if (copy) {
        std::memcpy(copy, bytes, size);
        GlobalUnlock(memory);
    } else if (memory) {
        GlobalFree(memory);
        memory = nullptr;
    }
    if (m_memory)
        GlobalFree(m_memory);
    m_memory = memory;
    if (!m_memory)
        return true;

    ScopedComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(m_memory, FALSE, stream.Receive())) || !stream)
        return true;
    if (m_api->loadImageFromStream(stream.Get(), &m_image) != kOk)
        m_image = nullptr;
    return true;
}

UINT CImageLoader::GetWidth() const
{
    UINT width = 0;
    if (!m_image || !m_api->getWidth || m_api->getWidth(m_image, &width) != kOk)
        return 0;
    return width;
}

UINT CImageLoader::GetHeight() const
{
    UINT height = 0;
    if (!m_image || !m_api->getHeight || m_api->getHeight(m_image, &height) != kOk)
        return 0;
    return height;
}

bool CImageLoader::LookUpDrawing()
{
    if (!m_api->drawLooked) {
        m_api->drawLooked = true;
        Find(m_library, "GdipCreateFromHDC", m_api->createFromHdc);
        Find(m_library, "GdipDeleteGraphics", m_api->deleteGraphics);
        Find(m_library, "GdipDrawImageRectRectI", m_api->drawImageRectRectI);
        Find(m_library, "GdipCreateImageAttributes", m_api->createImageAttributes);
        Find(m_library, "GdipSetImageAttributesColorMatrix", m_api->setColorMatrix);
        Find(m_library, "GdipSetImageAttributesWrapMode", m_api->setWrapMode);
    }
    return m_api->createFromHdc && m_api->deleteGraphics && m_api->drawImageRectRectI && m_api->createImageAttributes &&
           m_api->setColorMatrix;
}

bool CImageLoader::Draw(HDC dc, const RECT& dest)
{
    if (!LookUpDrawing() || !m_image)
        return false;
    if (!m_attributes) {
        if (m_api->createImageAttributes(&m_attributes) != kOk)
            m_attributes = nullptr;
        // Stretching samples beyond the picture's edge; mirrored samples keep the edge pixels from
        // fading into transparent black. Without the function the edges are merely a little dark.
        else if (m_api->setWrapMode)
            m_api->setWrapMode(m_attributes, kWrapModeTileFlipXY, 0, FALSE);
    }
    void* graphics = nullptr;
    if (m_api->createFromHdc(dc, &graphics) != kOk || !graphics)
        return false;
    const int status = m_api->drawImageRectRectI(
        graphics, m_image, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, 0, 0,
        static_cast<INT>(GetWidth()), static_cast<INT>(GetHeight()), kUnitPixel, m_attributes, nullptr, nullptr);
    m_api->deleteGraphics(graphics);
    return status == kOk;
}
