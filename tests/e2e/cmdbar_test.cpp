// The top of the main window in the running program: the built-in banner picture scaled to its picture control, and the
// command bar under the banner line with a menu opened by a click, Left with wrap-around, Esc, and the menus' pictures.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdlib>

#include "controls/Banner.h"

using namespace e2e;

namespace {

// The left edge of the open menu once one other than the menu at `previous` has opened
// and stayed (one key press moves one menu); -1 when none did.
LONG SettledMenu(const QuillProcess& p, LONG previous)
{
    LONG opened = -1;
    const bool ok = WaitUntil([&] { return (opened = VisibleMenu(p).left) >= 0 && opened != previous; });
    return ok && Holds([&] { return VisibleMenu(p).left == opened; }, 250) ? opened : -1;
}

// Whether the open menu shows at least n pictures once it is drawn.
bool ShowsPictures(const QuillProcess& p, int n)
{
    return WaitUntil([&] { return !OpenMenus(p).empty() && MenuPictureBands(OpenMenus(p)[0]) >= n; });
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

    HWND bar = GetDlgItem(main, kCommandBar);
    ASSERT_TRUE(bar) << "the command bar's toolbar";
    const RECT line = WindowRect(GetDlgItem(main, IDC_BAR_LINE)), rc = WindowRect(bar);
    RECT client{};
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(rc.top, line.bottom);
    EXPECT_EQ(rc.left, client.left);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 3);  // "Program", "Info" and "Language"

    ClickProgramMenu(main);
    LONG first = SettledMenu(p, -1);
    ASSERT_TRUE(first >= rc.left && first <= rc.left + 8) << "the first menu under its button, at " << first;
    // Note-Pad, Word-Pad, the two recommend commands and Exit carry pictures.
    EXPECT_TRUE(ShowsPictures(p, 4)) << "pictures in the Program menu";

    PressKeys({VK_LEFT});
    LONG last = SettledMenu(p, first);
    ASSERT_GT(last, first) << "Left on the first menu opens the last";
    PressKeys({VK_LEFT});
    LONG middle = SettledMenu(p, last);
    EXPECT_TRUE(middle > first && middle < last) << "Left steps back to the middle menu, at " << middle;
    // Info, FAQ, Homepage, History and Donate carry pictures.
    EXPECT_TRUE(ShowsPictures(p, 5)) << "pictures in the Info menu";

    PressKeys({VK_ESCAPE});
    ASSERT_TRUE(WaitUntil([&] { return OpenMenus(p).empty(); })) << "Esc closes the menu";
    EXPECT_TRUE(Holds([&] { return OpenMenus(p).empty(); }, 300)) << "no menu comes back";
}
