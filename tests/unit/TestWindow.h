// A top-level window of a class of the test's own, for tests that watch what a window receives.
#pragma once

#include <windows.h>

namespace test {

// The class is registered on first use; later calls with the same name keep the first procedure.
inline HWND NewWindow(const wchar_t* cls,
                      WNDPROC proc = ::DefWindowProcW,
                      DWORD style = WS_POPUP,
                      int x = 0,
                      int y = 0,
                      int w = 10,
                      int h = 10,
                      DWORD exStyle = 0)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = cls;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(exStyle, cls, L"", style, x, y, w, h, nullptr, nullptr, wc.hInstance, nullptr);
}

}  // namespace test
