// The main window's command bar in the running program: under the banner line, a menu
// opened by a click, Left and Right with wrap-around, Esc, and the menus' pictures.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace e2e;

namespace {

// The program's open menu on the screen; all -1 when there is none.
RECT OpenMenu(const QuillProcess& p)
{
    RECT rc{-1, -1, -1, -1};
    for (HWND hWnd : p.Windows()) {
        if (ClassName(hWnd) == L"#32768" && IsWindowVisible(hWnd) && GetWindowRect(hWnd, &rc))
            break;
    }
    return rc;
}

// The left edge of the open menu once one other than the menu at `previous` has
// opened and stayed (one key press moves one menu); -1 when none did.
LONG SettledMenu(const QuillProcess& p, LONG previous)
{
    LONG opened = -1;
    bool ok = WaitUntil([&] { return (opened = OpenMenu(p).left) >= 0 && opened != previous; });
    WaitUntil([] { return false; }, 250);
    return ok && OpenMenu(p).left == opened ? opened : -1;
}

void Press(BYTE vk)
{
    keybd_event(vk, 0, 0, 0);
    keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
}

// Bands of at least 8 rows in which the open menu's picture column (x 3 to 21, inside the frame) differs from
// the row's colour further right: one per picture. Separators and the highlight run across the whole row.
int PictureBands(const QuillProcess& p)
{
    RECT rc = OpenMenu(p);
    HDC screen = GetDC(nullptr);
    int bands = 0;
    for (int y = rc.top, run = 0; y < rc.bottom && rc.right - rc.left > 40; ++y) {
        COLORREF row = GetPixel(screen, rc.right - 20, y);
        bool marked = false;
        for (int x = rc.left + 3; x < rc.left + 21 && !marked; ++x)
            marked = GetPixel(screen, x, y) != row;
        run = marked ? run + 1 : 0;
        bands += run == 8;
    }
    ReleaseDC(nullptr, screen);
    return bands;
}

}  // namespace

TEST(CommandBar, UnderTheBannerItsMenusOpenMoveAndCloseWithTheirPictures)
{
    // The pointer, the keys and the foreground are shared with the unit tests that track menus.
    HANDLE inputLock = CreateMutexW(nullptr, FALSE, L"Quillboard.Tests.PointerAndKeys");
    DWORD wait = WaitForSingleObject(inputLock, 120000);
    ASSERT_TRUE(wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED);  // released when this test's process ends

    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    HWND bar = GetDlgItem(main, 0xE801);
    ASSERT_TRUE(bar) << "the command bar's toolbar";
    RECT line{}, rc{}, client{};  // on the screen
    GetWindowRect(GetDlgItem(main, 2209), &line);
    GetWindowRect(bar, &rc);
    GetClientRect(main, &client);
    MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(rc.top, line.bottom);
    EXPECT_EQ(rc.left, client.left);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0), 3);  // "Program", "Info" and "Language"

    SetForegroundWindow(main);
    SetCursorPos(rc.left + 8, (rc.top + rc.bottom) / 2);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    LONG first = SettledMenu(p, -1);
    ASSERT_TRUE(first >= rc.left && first <= rc.left + 8) << "the first menu under its button, at " << first;
    // Note-Pad, Word-Pad, the two recommend commands and Exit carry pictures.
    EXPECT_GE(PictureBands(p), 4) << "pictures in the Program menu";

    Press(VK_LEFT);
    LONG last = SettledMenu(p, first);
    ASSERT_GT(last, first) << "Left on the first menu opens the last";
    Press(VK_RIGHT);
    ASSERT_EQ(SettledMenu(p, last), first) << "Right on the last menu opens the first";
    Press(VK_LEFT);
    ASSERT_EQ(SettledMenu(p, first), last);
    Press(VK_LEFT);
    LONG middle = SettledMenu(p, last);
    EXPECT_TRUE(middle > first && middle < last) << "Left steps back to the middle menu, at " << middle;
    // Info, FAQ, Homepage, History and Donate carry pictures.
    EXPECT_GE(PictureBands(p), 5) << "pictures in the Info menu";

    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu(p).left < 0; })) << "Esc closes the menu";
    WaitUntil([] { return false; }, 300);
    EXPECT_LT(OpenMenu(p).left, 0) << "no menu comes back";
}
