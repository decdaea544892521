// The main window shows the built-in banner picture, scaled to its picture control.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/Banner.h"

using namespace e2e;

TEST(Banner, MainWindowShowsTheBannerPictureInItsPictureControl)
{
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    HWND banner = GetDlgItem(main, kBannerControlId);
    ASSERT_TRUE(banner);
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT rect;
    ASSERT_TRUE(GetWindowRect(banner, &rect));
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    ASSERT_TRUE(w > 50 && h > 10) << w << "x" << h;

    // The picture as the program should have drawn it: the same resource, scaled to the control.
    HBITMAP expected = RenderPicture(kBannerName, kBannerType, GetModuleHandleW(nullptr), w, h);
    ASSERT_TRUE(expected);
    HDC screen = GetDC(nullptr);
    HBITMAP shot = CreateCompatibleBitmap(screen, w, h);
    HDC shotDc = CreateCompatibleDC(screen), expectedDc = CreateCompatibleDC(screen);
    HGDIOBJ oldShot = SelectObject(shotDc, shot), oldExpected = SelectObject(expectedDc, expected);
    // Mean difference per channel over a grid that takes in the far edges, where an undrawn strip would show.
    double difference = 255;
    WaitUntil(
        [&] {
            BitBlt(shotDc, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
            double sum = 0;
            for (int i = 0; i < 50; i++) {
                for (int j = 0; j < 10; j++) {
                    const int x = i * (w - 1) / 49, y = j * (h - 1) / 9;
                    const COLORREF a = GetPixel(shotDc, x, y), b = GetPixel(expectedDc, x, y);
                    sum += std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
                           std::abs(GetBValue(a) - GetBValue(b));
                }
            }
            difference = sum / (50 * 10 * 3);
            return difference < 6.0;
        },
        5000, 100);
    EXPECT_LT(difference, 6.0) << "control " << w << "x" << h;
    SelectObject(shotDc, oldShot);
    SelectObject(expectedDc, oldExpected);
    DeleteDC(shotDc);
    DeleteDC(expectedDc);
    ReleaseDC(nullptr, screen);
    DeleteObject(shot);
    DeleteObject(expected);
}
