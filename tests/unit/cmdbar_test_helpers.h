// Windows, menus and icons shared by the command bar's window tests.
#pragma once

#include <windows.h>

#include <vector>

namespace cmdbartest {

struct Command {
    WORD id;
    LPARAM lParam;
};

// What the owner window saw, for assertions.
struct OwnerLog {
    std::vector<Command> commands;
    std::vector<HMENU> initPopups;
    int menuSelects = 0;
};

inline OwnerLog*& CurrentLog()
{
    static OwnerLog* log = nullptr;
    return log;
}

inline LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (OwnerLog* log = CurrentLog()) {
        if (msg == WM_COMMAND)
            log->commands.push_back({LOWORD(wParam), lParam});
        else if (msg == WM_INITMENUPOPUP)
            log->initPopups.push_back(reinterpret_cast<HMENU>(wParam));
        else if (msg == WM_MENUSELECT)
            ++log->menuSelects;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

// A visible top-level owner; `activate` also gives it the foreground.
inline HWND CreateOwner(int x, int y, int cx, int cy, bool activate)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = OwnerProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = L"CmdBarTestOwner";
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        registered = ::RegisterClassW(&wc) != 0;
    }
    HWND owner = ::CreateWindowExW(0, L"CmdBarTestOwner", L"owner", WS_OVERLAPPEDWINDOW, x, y, cx, cy, nullptr,
                                   nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(owner, activate ? SW_SHOW : SW_SHOWNOACTIVATE);
    if (activate)
        ::SetForegroundWindow(owner);
    return owner;
}

inline void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// A menu bar of three popups; the first opens with a submenu item.
inline HMENU MakeBarMenu()
{
    HMENU bar = ::CreateMenu();
    HMENU program = ::CreatePopupMenu();
    HMENU paths = ::CreatePopupMenu();
    ::AppendMenuW(paths, MF_STRING, 101, L"Folder");
    ::AppendMenuW(paths, MF_STRING, 102, L"File");
    ::AppendMenuW(program, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(paths), L"&Paths");
    ::AppendMenuW(program, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(program, MF_STRING, 103, L"E&xit");
    HMENU info = ::CreatePopupMenu();
    ::AppendMenuW(info, MF_STRING, 201, L"Info");
    ::AppendMenuW(info, MF_STRING, 202, L"FAQ\t(# ?)");
    HMENU language = ::CreatePopupMenu();
    ::AppendMenuW(language, MF_STRING, 301, L"Translate");
    ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(program), L"&Program");
    ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(info), L"&Info");
    ::AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(language), L"&Language");
    return bar;
}

// A solid, fully opaque 16 x 16 icon of one colour.
inline HICON SolidIcon(COLORREF colour)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = 16;
    bi.bmiHeader.biHeight = -16;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP colourBmp = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* px = static_cast<DWORD*>(bits);
    for (int i = 0; i < 256; ++i)
        px[i] = 0xFF000000 | (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    std::vector<BYTE> maskBits(64, 0);
    HBITMAP mask = ::CreateBitmap(16, 16, 1, 1, maskBits.data());
    ICONINFO ii{TRUE, 0, 0, mask, colourBmp};
    HICON icon = ::CreateIconIndirect(&ii);
    ::DeleteObject(mask);
    ::DeleteObject(colourBmp);
    return icon;
}

}  // namespace cmdbartest
