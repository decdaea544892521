// The benchmark's floor: the least a dialog program built with our toolchain
// costs to start and to keep running. A modeless dialog with one line of text
// and a button, from a template in memory, and a message loop.
#include <windows.h>

#include <cstring>
#include <cwchar>

namespace {

INT_PTR CALLBACK FloorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::DestroyWindow(dialog);
        return TRUE;
    }
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return message == WM_INITDIALOG;
}

// Appends a wide string to a template under construction.
WORD* PutText(WORD* at, const wchar_t* text)
{
    const size_t n = std::wcslen(text) + 1;
    std::memcpy(at, text, n * sizeof(wchar_t));
    return at + n;
}

WORD* Align(WORD* at)
{
    return reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(at) + 3) & ~ULONG_PTR(3));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    alignas(4) static WORD buffer[512] = {};
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT | DS_CENTER;
    dialog->cdit = 2;
    dialog->cx = 160;
    dialog->cy = 60;
    WORD* at = reinterpret_cast<WORD*>(dialog + 1);
    *at++ = 0;  // no menu
    *at++ = 0;  // the dialog class
    at = PutText(at, L"Floor");
    *at++ = 8;
    at = PutText(at, L"MS Shell Dlg");

    struct Item {
        DWORD style;
        short x, y, cx, cy;
        WORD id, classAtom;
        const wchar_t* text;
    } const items[] = {{WS_CHILD | WS_VISIBLE, 10, 10, 140, 10, 0xFFFF, 0x0082, L"A bare dialog."},
                       {WS_CHILD | WS_VISIBLE | WS_TABSTOP, 55, 35, 50, 14, IDCANCEL, 0x0080, L"Close"}};
    for (const Item& item : items) {
        at = Align(at);
        auto* entry = reinterpret_cast<DLGITEMTEMPLATE*>(at);
        entry->style = item.style;
        entry->x = item.x;
        entry->y = item.y;
        entry->cx = item.cx;
        entry->cy = item.cy;
        entry->id = item.id;
        at = reinterpret_cast<WORD*>(entry + 1);
        *at++ = 0xFFFF;
        *at++ = item.classAtom;
        at = PutText(at, item.text);
        *at++ = 0;  // no creation data
    }

    if (!::CreateDialogIndirectParamW(instance, dialog, nullptr, &FloorProc, 0))
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return 0;
}
