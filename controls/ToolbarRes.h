// Ordinary toolbars built from a toolbar resource (type 241) and its bitmap.
#pragma once

#include <windows.h>

// Adds the buttons of toolbar resource `id` to an existing toolbar: each command
// becomes an enabled button with the next image, 0 a separator. The bitmap of
// the same id supplies the images: deeper than 4 bits it becomes the toolbar's
// image list (owned by the caller: TB_GETIMAGELIST), else a toolbar bitmap.
// False when the resource is missing or malformed; the toolbar is then left alone.
bool LoadToolbarResource(HWND toolbar, HINSTANCE instance, UINT id, bool leadingSeparator = false);

// Creates a toolbar child of `parent` and loads resource `id` into it. The
// toolbar is kept (empty) when the resource fails; null only when it cannot be created.
HWND CreateToolbarFromResource(HWND parent,
                               HINSTANCE instance,
                               UINT id,
                               DWORD style,
                               DWORD exStyle = 0,
                               UINT controlId = 0,
                               bool leadingSeparator = false);

// Gives the button with this command a text and sizes it to the text
// (BTNS_AUTOSIZE plus `extraStyle`, e.g. BTNS_DROPDOWN).
bool SetToolbarButtonText(HWND toolbar, int command, const wchar_t* text, BYTE extraStyle = 0);

// Right edge and height of the last button; (0, 22) for a toolbar without buttons.
SIZE MeasureToolbar(HWND toolbar);

// Bits per pixel of bitmap resource `id`, 0 when there is none.
int BitmapResourceDepth(HINSTANCE instance, UINT id);
