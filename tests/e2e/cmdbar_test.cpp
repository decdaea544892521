// The top of the main window in the running program: the built-in banner picture scaled to its picture control, and the
// command bar's menu opened by a click and closed by Esc. Keys, wrap-around and pictures are the unit tests'.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/Banner.h"

using namespace e2e;

namespace {

// The left edge of the open menu once it has opened and stayed; -1 when none did.
LONG SettledMenu(const QuillProcess& p)
{
    LONG opened = -1;
    const bool ok = WaitUntil([&] { return (opened = VisibleMenu(p).left) >= 0; });
    return ok && Holds([&] { return VisibleMenu(p).left == opened; }, 250) ? opened : -1;
}

// Mean difference per channel between the banner control on the screen and the picture as the program should
// have drawn it (the same resource, scaled to the control), over a grid that takes in the far edges, where an
// undrawn strip would show.
double BannerDifference(HWND banner)
{
    const RECT rect = WindowRect(banner);
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    HBITMAP expected = RenderPicture(kBannerName, kBannerType, GetModuleHandleW(nullptr), w, h);
    if (!expected)
        return 255;
    HDC screen = GetDC(nullptr), expectedDc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(expectedDc, expected);
    double sum = 0;
    for (int i = 0; i < 50 * 10; i++) {
        const int x = i / 10 * (w - 1) / 49, y = i % 10 * (h - 1) / 9;
        const COLORREF a = GetPixel(screen, rect.left + x, rect.top + y), b = GetPixel(expectedDc, x, y);
        sum += std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
               std::abs(GetBValue(a) - GetBValue(b));
    }
    SelectObject(expectedDc, old);
    DeleteDC(expectedDc);
    ReleaseDC(nullptr, screen);
    DeleteObject(expected);
    return sum / (50 * 10 * 3);
}

}  // namespace

TEST(MainWindowTop, BannerPictureAndTheCommandBarsMenus)
{
    InputLock input;
    ASSERT_TRUE(input.Held());

    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));

    HWND banner = GetDlgItem(main, kBannerControlId);
    ASSERT_TRUE(banner);
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const RECT picture = WindowRect(banner);
    ASSERT_TRUE(picture.right - picture.left > 50 && picture.bottom - picture.top > 10);
    double difference = 255;
    EXPECT_TRUE(WaitUntil([&] { return (difference = BannerDifference(banner)) < 6.0; }, 5000, 100))
        << "banner differs by " << difference;

    ClickProgramMenu(main);
    const LONG left = WindowRect(GetDlgItem(main, kCommandBar)).left, first = SettledMenu(p);
    ASSERT_TRUE(first >= left && first <= left + 8) << "the first menu under its button, at " << first;
    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus(p).empty(); })) << "Esc closes the menu";
    EXPECT_TRUE(Holds([&] { return OpenMenus(p).empty(); }, 300)) << "no menu comes back";
}
