// Keeps one Wine process alive for the whole test run, so that each test's processes start and end without waiting on
// Wine's own helpers. Ends by itself after an hour in case nobody stops it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"qb_keepalive", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    // "--once": only make sure the desktop process runs (a window needs it), then end.
    if (commandLine && ::wcsstr(commandLine, L"--once"))
        return 0;
    ::SetTimer(hWnd, 1, 60 * 60 * 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            break;
        ::DispatchMessageW(&msg);
    }
    return 0;
}
