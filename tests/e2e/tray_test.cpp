// The tray icon of the running program, observed and clicked through Wine's own tray window: presence, clicks, the tray
// menu, the watchdog and exit.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <vector>

#include "res/resource.h"

using namespace e2e;

namespace {

// Wine's stand-alone tray (no X11 tray on the test display) holds one child per icon.
std::vector<HWND> TrayIconWindows()
{
    std::vector<HWND> icons;
    for (HWND tray : Filter(Children(nullptr), [](HWND w) { return ClassName(w) == L"__winex11_standalone_tray"; }))
        for (HWND icon : Filter(Children(tray), [](HWND w) { return ClassName(w) == L"__winex11_tray_icon"; }))
            icons.push_back(icon);
    return icons;
}

NOTIFYICONDATAW Record(HWND main)
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = main;
    nid.uID = IDI_QUILLBOARD;
    nid.uFlags = NIF_MESSAGE;
    nid.uCallbackMessage = WM_TRAY_CALLBACK;
    return nid;
}

// The shell holds the program's icon (the probe the program uses itself).
bool IconPresent(HWND main)
{
    NOTIFYICONDATAW nid = Record(main);
    return Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

// Clicks the one icon in Wine's tray; the program is the only one with icons here.
bool ClickIcon(UINT down, UINT up)
{
    std::vector<HWND> icons;
    if (!WaitUntil([&] { return (icons = TrayIconWindows()).size() == 1; }))
        return false;
    PostMessageW(icons[0], down, 0, MAKELPARAM(4, 4));
    PostMessageW(icons[0], up, 0, MAKELPARAM(4, 4));
    return true;
}

// The height of a menu that `open` opens, closed with Esc; 0 when it did not open (the tray menu by default).
LONG MenuHeight(
    const QuillProcess& p,
    const std::function<void()>& open = [] { ClickIcon(WM_RBUTTONDOWN, WM_RBUTTONUP); })
{
    open();
    if (!WaitUntil([&] { return !OpenMenus(p).empty(); }))
        return 0;
    const RECT rc = VisibleMenu(p);
    PressKeys({VK_ESCAPE});
    WaitUntil([&] { return OpenMenus(p).empty(); });
    return rc.bottom - rc.top;
}

}  // namespace

TEST(TrayIcon, ClicksMenusLostIconAndExit)
{
    InputLock input;
    ASSERT_TRUE(input.Held());
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return IconPresent(main) && TrayIconWindows().size() == 1; }));
    // Esc and the close button hide the window into the tray; the program keeps running.
    SendMessageW(main, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
    SendMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(IconPresent(main));

    ASSERT_TRUE(ClickIcon(WM_LBUTTONDOWN, WM_LBUTTONUP));
    // Showing ends with a posted bring-to-front (hide, foreground, show): click again only once it is done.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main) && GetForegroundWindow() == main; }))
        << "a left click shows the window";
    ASSERT_TRUE(ClickIcon(WM_LBUTTONDOWN, WM_LBUTTONUP));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); })) << "and the next one hides it";

    // Twice: the first menu's end must not take the shared "Program" submenu with it.
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(ClickIcon(WM_RBUTTONDOWN, WM_RBUTTONUP));
        ASSERT_TRUE(WaitUntil([&] { return !OpenMenus(p).empty(); })) << "round " << round;
        // Up from nothing selects the last item, the name and version: it brings the window up.
        PressKeys({VK_UP, VK_RETURN});
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; })) << "round " << round;
        ASSERT_TRUE(WaitUntil([&] { return OpenMenus(p).empty(); }));
        if (round == 0) {
            SendMessageW(main, WM_COMMAND, IDCANCEL, 0);
            ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(main); }));
        }
    }
    // The command bar's "Program" menu still opens with all its items.
    EXPECT_GE(MenuHeight(p, [&] { ClickProgramMenu(main); }), 5 * 18) << "Paths, Note-Pad, Word-Pad, recommend, Exit";
    EXPECT_TRUE(WaitUntil([&] { return OpenMenus(p).empty(); }));

    // Notes come first in the tray menu.
    const LONG without = MenuHeight(p);
    PostMessageW(main, WM_COMMAND, ID_NEW_NOTE, 0);
    HWND note = p.WaitForWindow([&](HWND w) { return GetDlgItem(w, IDC_NOTE_TEXT) && IsWindowVisible(w); });
    ASSERT_TRUE(note);
    EXPECT_GT(MenuHeight(p), without) << "a line for the note and a separator come first";

    // A lost icon comes back on the shell's broadcast (the watchdog's return is its unit test's).
    NOTIFYICONDATAW nid = Record(main);
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &nid));
    ASSERT_FALSE(IconPresent(main));
    SendMessageW(main, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(IconPresent(main)) << "a restarted shell's broadcast brings it back at once";

    // Exit stops the watchdog at once and leaves no icon behind. The watchdog's own stop is checked
    // exactly by its unit test; here the bound only allows for a busy machine.
    PostMessageW(main, WM_COMMAND, ID_APP_EXIT, 0);
    DWORD code = 0;
    EXPECT_TRUE(p.WaitForExit(5000, &code)) << "Exit with the watchdog running";
    EXPECT_EQ(code, kExitAfterExitCommand);
    EXPECT_TRUE(WaitUntil([] { return TrayIconWindows().empty(); }));
}
