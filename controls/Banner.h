// The main window's banner: the built-in picture drawn to the size of its picture control.
#pragma once

#include <windows.h>

constexpr int kBannerControlId = 2208;
constexpr const wchar_t* kBannerName = L"bitmap9.jpg";
constexpr const wchar_t* kBannerType = L"PNG";

// A w x h 32-bit opaque bitmap holding the picture resource stretched or shrunk to fill it exactly;
// null when the picture cannot be decoded or drawn.
HBITMAP RenderPicture(const wchar_t* name, const wchar_t* type, HMODULE module, int w, int h);

// Gives the picture control `id` of dlg the banner in its own size; without GDI+ it stays empty.
bool BuildBanner(HWND dlg, int id = kBannerControlId, HMODULE module = nullptr);
// Takes the banner out of its control and frees it, for the window's end.
void ReleaseBanner(HWND dlg, int id = kBannerControlId);
