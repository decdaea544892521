// Keeps one Wine process alive for the whole test run, so that each test's
// processes start and end without waiting on Wine's own helpers. Ends by
// itself after an hour in case nobody stops it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"qb_keepalive", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    ::SetTimer(hWnd, 1, 60 * 60 * 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER)
            break;
        ::DispatchMessageW(&msg);
    }
    return 0;
}
