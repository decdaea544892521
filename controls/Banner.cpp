#include "controls/Banner.h"

#include "controls/ImageLoader.h"
#include "ui/ScopedHandles.h"

HBITMAP RenderPicture(const wchar_t* name, const wchar_t* type, HMODULE module, int w, int h)
{
    if (w <= 0 || h <= 0)
        return nullptr;
    CImageLoader loader;
    if (!loader.LoadFromResource(name, type, module) || !loader.HasImage())
        return nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return nullptr;
    bool drawn = false;
    if (ScopedMemoryDC dc; dc) {
        ScopedSelectObject selected(dc.Get(), bitmap.Get());
        const RECT dest = {0, 0, w, h};
        drawn = loader.Draw(dc.Get(), dest);
    }
    if (!drawn)
        return nullptr;
    // The picture is opaque; say so in the alpha bytes, which a static control may honour.
    GdiFlush();
    auto* pixel = static_cast<DWORD*>(bits);
    for (int i = 0, n = w * h; i < n; ++i)
        pixel[i] |= 0xFF000000u;
    return bitmap.Release();
}

bool BuildBanner(HWND dlg, int id, HMODULE module)
{
    HWND control = GetDlgItem(dlg, id);
    RECT rect;
    if (!control || !GetWindowRect(control, &rect))
        return false;
    MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&rect), 2);
    HBITMAP bitmap = RenderPicture(kBannerName, kBannerType, module ? module : GetModuleHandleW(nullptr),
                                   rect.right - rect.left, rect.bottom - rect.top);
    if (!bitmap)
        return false;
    auto previous =
        reinterpret_cast<HBITMAP>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap)));
    if (previous && previous != bitmap)
        DeleteObject(previous);
    // A static control of the version-6 common controls may keep a copy of its own instead.
    if (reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)) != bitmap)
        DeleteObject(bitmap);
    return true;
}

void ReleaseBanner(HWND dlg, int id)
{
    HWND control = GetDlgItem(dlg, id);
    if (!control)
        return;
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap)
        DeleteObject(bitmap);
}
