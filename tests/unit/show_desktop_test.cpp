// The show-desktop watcher against real note windows of the note table. The
// foreground event is not delivered under every platform, so most cases call
// the hook's callback directly with a desktop-like window.
#include "app/Config.h"
#include "notes/NoteDlg.h"
#include "notes/NoteTable.h"
#include "notes/ShowDesktopWatcher.h"
#include "tests/TestSupport.h"
#include "tests/unit/TestWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using test::PumpUntil;

// The fake keyboard holds down this one key.
int g_keyDown = VK_LWIN;
SHORT WINAPI FakeKeyState(int key)
{
    return key == g_keyDown ? SHORT(0x8000) : SHORT(0);
}

// Where a window stands in the stacking order, 0 being the top.
int StackIndex(HWND w)
{
    int index = 0;
    for (HWND at = ::GetTopWindow(nullptr); at && at != w; at = ::GetWindow(at, GW_HWNDNEXT))
        ++index;
    return index;
}

struct Case {
    const wchar_t* cls;
    int keyDown;
    DWORD event;
    bool acts;
};

// Three stored notes, 001 on top, and a window of class cls to come forward as the desktop.
class ShowDesktop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::LoadLibraryW(L"RICHED20.DLL");
        SetConfigPathForTesting(m_file.Path());
        for (int n = 0; n < 3; ++n) {
            const std::wstring section = L"00" + std::to_wstring(n) + L"_Notice_set";
            WriteProfileString(section.c_str(), L"m_pos_x", std::to_wstring(100 + 250 * n).c_str());
            WriteProfileString(section.c_str(), L"m_pos_y", L"100");
            WriteProfileString(section.c_str(), L"m_cx", L"200");
        }
        LoadAllNotes();
        GetNote(1)->SetOnTop(true);
        for (int n = 0; n < 3; ++n)
            ASSERT_TRUE(GetNote(n) && ::IsWindowVisible(*GetNote(n))) << n;
        g_keyDown = VK_LWIN;
        SetKeyStateReader(FakeKeyState);
    }
    void TearDown() override
    {
        SetKeyStateReader(nullptr);
        for (HWND w : m_windows)
            ::DestroyWindow(w);
    }
    HWND Window(const wchar_t* cls, DWORD style = WS_POPUP)
    {
        m_windows.push_back(test::NewWindow(cls, ::DefWindowProcW, style, 300, 50, 400, 400));
        return m_windows.back();
    }
    void Check(const Case& c)
    {
        HWND window = Window(c.cls);
        wchar_t cls[64] = L"";
        ::GetClassNameW(window, cls, 64);
        if (std::wstring(cls) != c.cls)
            GTEST_SKIP() << "class " << cls << " was registered first in this process";
        HideAll(false);
        ASSERT_FALSE(Visible(0) || Visible(1) || Visible(2));
        g_keyDown = c.keyDown;
        OnForegroundChanged(nullptr, c.event, window, OBJID_WINDOW, 0, 0, 0);
        EXPECT_EQ(c.acts, ShowDesktopRaisePending()) << cls;
        EXPECT_EQ(c.acts, Visible(0) && Visible(1) && Visible(2)) << cls;
        WaitForRaise();
        ShowAll();
    }
    static void Desktop(HWND w) { OnForegroundChanged(nullptr, EVENT_SYSTEM_FOREGROUND, w, OBJID_WINDOW, 0, 0, 0); }
    static bool Visible(int n) { return ::IsWindowVisible(*GetNote(n)) != FALSE; }
    static void WaitForRaise()
    {
        ASSERT_TRUE(PumpUntil([] { return !ShowDesktopRaisePending(); }));
    }

    test::TempIniFile m_file;
    std::vector<HWND> m_windows;
};

}  // namespace

TEST_F(ShowDesktop, OnlyTheLeftWindowsKeyWithTheDesktopClassShowsAndRaises)
{
    for (const Case& c : {Case{L"WorkerW", VK_LWIN, EVENT_SYSTEM_FOREGROUND, true},
                          Case{L"ProgMan", VK_LWIN, EVENT_SYSTEM_FOREGROUND, true},
                          Case{L"WorkerWx", VK_LWIN, EVENT_SYSTEM_FOREGROUND, false},
                          Case{L"WorkerW", 0, EVENT_SYSTEM_FOREGROUND, false},
                          Case{L"WorkerW", VK_RWIN, EVENT_SYSTEM_FOREGROUND, false},
                          Case{L"WorkerW", VK_LWIN, EVENT_SYSTEM_MINIMIZEEND, false}})
        Check(c);
}

TEST_F(ShowDesktop, InstalledHookHearsAnAnnouncedForegroundChange)
{
    InstallShowDesktopWatcher();
    InstallShowDesktopWatcher();
    const int before = ShowDesktopRaiseCount();
    ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, Window(L"WorkerW"), OBJID_WINDOW, CHILDID_SELF);
    EXPECT_TRUE(PumpUntil([&] { return ShowDesktopRaiseCount() == before + 1; }));
}

TEST_F(ShowDesktop, HiddenNotesComeBackFromTheRecordButNotADeletedOne)
{
    HideAll(false);
    GetNote(2)->DeleteStoredNote(true);
    Desktop(Window(L"WorkerW"));
    EXPECT_TRUE(Visible(0) && Visible(1));
    EXPECT_FALSE(Visible(2)) << "deleted";
    WaitForRaise();
    EXPECT_FALSE(Visible(2)) << "the raise skips it too";
    // The record is used up: a later show all brings nothing back.
    ::ShowWindow(*GetNote(0), SW_HIDE);
    ShowAll();
    EXPECT_FALSE(Visible(0));
}

TEST_F(ShowDesktop, PressesWithin150MsGiveOneRaiseThatPutsTheNotesAboveTheTopWindow)
{
    ::ShowWindow(*GetNote(2), SW_HIDE);
    HWND other = Window(L"QbShowDesktopOther", WS_OVERLAPPEDWINDOW);
    ::SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    ASSERT_LT(StackIndex(other), StackIndex(*GetNote(0)));
    const int before = ShowDesktopRaiseCount();
    HWND desktop = Window(L"WorkerW");
    Desktop(desktop);
    Desktop(desktop);  // no messages in between: the first timer cannot fire before the second press
    ASSERT_TRUE(PumpUntil([&] { return ShowDesktopRaiseCount() > before; }));
    EXPECT_FALSE(PumpUntil([&] { return ShowDesktopRaiseCount() > before + 1; }, 3 * kRaiseDelayMs))
        << "one raise only";
    EXPECT_LT(std::max(StackIndex(*GetNote(0)), StackIndex(*GetNote(1))), StackIndex(other));
    EXPECT_FALSE(::GetWindowLongW(*GetNote(0), GWL_EXSTYLE) & WS_EX_TOPMOST) << "not on top stays a normal window";
    EXPECT_TRUE(::GetWindowLongW(*GetNote(1), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_FALSE(Visible(2)) << "a hidden note stays hidden";
}
