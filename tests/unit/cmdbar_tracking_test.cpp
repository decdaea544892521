// Menus tracked through the command bar, driven by posted keys and pointer
// moves from a thread timer that runs inside the menu's own loop.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/WinCmdBar2.h"
#include "tests/unit/cmdbar_test_helpers.h"

using namespace cmdbartest;

namespace {

bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 8000)
{
    DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump();
    }
    return true;
}

// The visible popup menu window of this thread, or null.
HWND OpenPopupWindow()
{
    HWND found = nullptr;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM out) -> BOOL {
            wchar_t cls[32] = {};
            ::GetClassNameW(hWnd, cls, 32);
            if (std::wstring(cls) == L"#32768" && ::IsWindowVisible(hWnd)) {
                *reinterpret_cast<HWND*>(out) = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Steps run one by one from a thread timer, each once its condition holds.
class Script {
public:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };

    explicit Script(std::vector<Step> steps) : m_steps(std::move(steps))
    {
        s_current = this;
        m_start = ::GetTickCount();
        m_timer = ::SetTimer(nullptr, 0, 40, &Script::Tick);
    }
    ~Script()
    {
        ::KillTimer(nullptr, m_timer);
        s_current = nullptr;
    }
    bool Done() const { return m_next >= m_steps.size(); }
    size_t Next() const { return m_next; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        Script* s = s_current;
        if (!s || s->Done() || s->m_running)
            return;
        // A script that no longer moves must not leave a menu open for ever.
        if (::GetTickCount() - s->m_start > kTimeoutMs) {
            ::EndMenu();
            return;
        }
        s->m_running = true;
        Step& step = s->m_steps[s->m_next];
        if (step.ready()) {
            ++s->m_next;
            step.act();
        }
        s->m_running = false;
    }

    static constexpr DWORD kTimeoutMs = 8000;
    static Script* s_current;
    DWORD m_start = 0;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    UINT_PTR m_timer = 0;
    bool m_running = false;
};
Script* Script::s_current = nullptr;

void PostKey(HWND hWnd, WPARAM key)
{
    ::PostMessageW(hWnd, WM_KEYDOWN, key, 1);
    ::PostMessageW(hWnd, WM_KEYUP, key, 0xC0000001);
}

class CmdBarTrackingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // These tests move the pointer and hold the foreground: one at a time across test processes.
        m_inputLock = ::CreateMutexW(nullptr, FALSE, L"Quillboard.Tests.PointerAndKeys");
        ASSERT_TRUE(m_inputLock);
        DWORD wait = ::WaitForSingleObject(m_inputLock, 120000);
        ASSERT_TRUE(wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED);
        CurrentLog() = &m_log;
        m_owner = CreateOwner(60, 60, 420, 260, true);
        ASSERT_TRUE(m_owner);
        m_bar.SetTop(10);
        ASSERT_TRUE(m_bar.Create(m_owner));
        m_bar.SetMenu(MakeBarMenu());
        Pump();
    }
    void TearDown() override
    {
        if (OpenPopupWindow())
            ::EndMenu();
        Pump();
        ::DestroyWindow(m_owner);
        Pump();
        CurrentLog() = nullptr;
        if (m_inputLock) {
            ::ReleaseMutex(m_inputLock);
            ::CloseHandle(m_inputLock);
        }
    }

    HWND Toolbar() const { return m_bar.GetToolbar(); }
    HMENU Submenu(int i) const { return ::GetSubMenu(m_bar.GetMenu(), i); }

    RECT ButtonOnScreen(int index) const
    {
        RECT rc{};
        ::SendMessageW(Toolbar(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        ::MapWindowPoints(Toolbar(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }

    POINT ButtonCentre(int index) const
    {
        RECT rc = ButtonOnScreen(index);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    // A click on bar button `index`, as the toolbar would get it.
    void ClickButton(int index)
    {
        POINT pt = ButtonCentre(index);
        ::SetCursorPos(pt.x, pt.y);
        ::ScreenToClient(Toolbar(), &pt);
        ::PostMessageW(Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
    }

    bool BarMenuOpen(int index) const { return m_bar.GetOpenIndex() == index && OpenPopupWindow(); }

    bool AllClosed() const { return m_bar.GetOpenIndex() == -1 && !OpenPopupWindow() && !CWinCmdBar::TrackingBar(); }

    // Lets posted messages settle, so that a menu that should not come back has had its chance.
    void Settle()
    {
        for (int i = 0; i < 20; ++i) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            Pump();
        }
    }

    HANDLE m_inputLock = nullptr;
    OwnerLog m_log;
    HWND m_owner = nullptr;
    CWinCmdBar2 m_bar;
};

}  // namespace

TEST_F(CmdBarTrackingTest, LeftAndRightWrapAroundTheBarMenus)
{
    std::vector<LONG> popupLefts;
    auto notePopup = [&] {
        RECT rc{};
        ::GetWindowRect(OpenPopupWindow(), &rc);
        popupLefts.push_back(rc.left);
    };
    // Menu 0 opens with "Paths" selected, a submenu item, so Right is tried only on menu 2.
    Script script({
        {[&] { return BarMenuOpen(0); }, [&] { notePopup(); PostKey(Toolbar(), VK_LEFT); }},
        {[&] { return BarMenuOpen(2); }, [&] { notePopup(); PostKey(Toolbar(), VK_RIGHT); }},
        {[&] { return BarMenuOpen(0); }, [&] { PostKey(Toolbar(), VK_LEFT); }},
        {[&] { return BarMenuOpen(2); }, [&] { PostKey(Toolbar(), VK_LEFT); }},
        {[&] { return BarMenuOpen(1); }, [&] { notePopup(); PostKey(Toolbar(), VK_ESCAPE); }},
    });
    ClickButton(0);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed(); })) << "stuck before step " << script.Next();
    Settle();
    EXPECT_TRUE(AllClosed());

    // Each bar menu opens under its own button.
    ASSERT_EQ(popupLefts.size(), 3u);
    EXPECT_EQ(popupLefts[0], ButtonOnScreen(0).left);
    EXPECT_EQ(popupLefts[1], ButtonOnScreen(2).left);
    EXPECT_EQ(popupLefts[2], ButtonOnScreen(1).left);
    std::vector<HMENU> expected = {Submenu(0), Submenu(2), Submenu(0), Submenu(2), Submenu(1)};
    EXPECT_EQ(m_log.initPopups, expected);
    EXPECT_TRUE(m_log.commands.empty());
    // No button stays pressed.
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(::SendMessageW(Toolbar(), TB_ISBUTTONPRESSED, 40000 + i, 0)) << "button " << i;
}

TEST_F(CmdBarTrackingTest, RightOnASubmenuItemOpensTheSubmenu)
{
    HMENU paths = ::GetSubMenu(Submenu(0), 0);
    auto pathsOpened = [&] {
        for (HMENU m : m_log.initPopups) {
            if (m == paths)
                return true;
        }
        return false;
    };
    int selectsBefore = 0;
    Script script({
        {[&] { return BarMenuOpen(0); }, [&] { selectsBefore = m_log.menuSelects; PostKey(Toolbar(), VK_DOWN); }},
        {[&] { return m_log.menuSelects > selectsBefore; }, [&] { PostKey(Toolbar(), VK_RIGHT); }},
        {[&] { return pathsOpened(); },
         [&] {
             EXPECT_EQ(m_bar.GetOpenIndex(), 0);  // still the first bar menu
             PostKey(Toolbar(), VK_RIGHT);        // on "Folder", no submenu: next bar menu
         }},
        {[&] { return BarMenuOpen(1); }, [&] { PostKey(Toolbar(), VK_ESCAPE); }},
    });
    ClickButton(0);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed(); })) << "stuck before step " << script.Next();
}

TEST_F(CmdBarTrackingTest, PointerOverAnotherButtonSwitchesMenus)
{
    Script script({
        {[&] { return BarMenuOpen(0); },
         [&] {
             POINT pt = ButtonCentre(2);
             ::SetCursorPos(pt.x, pt.y);
             ::PostMessageW(Toolbar(), WM_MOUSEMOVE, 0, 0);
         }},
        {[&] { return BarMenuOpen(2); }, [&] { PostKey(Toolbar(), VK_LEFT); }},
        // The pointer rests on button 2 while menu 1 opens: a move to the same spot must not switch back.
        {[&] { return BarMenuOpen(1); }, [&] { ::PostMessageW(Toolbar(), WM_MOUSEMOVE, 0, 0); }},
        {[&] { return BarMenuOpen(1); }, [] {}},
        {[&] { return BarMenuOpen(1); }, [&] { PostKey(Toolbar(), VK_ESCAPE); }},
    });
    ClickButton(0);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed(); })) << "stuck before step " << script.Next();
    std::vector<HMENU> expected = {Submenu(0), Submenu(2), Submenu(1)};
    EXPECT_EQ(m_log.initPopups, expected);
}

TEST_F(CmdBarTrackingTest, PointerRestingOnTheClickedButtonDoesNotPullTheMenuBack)
{
    // Opened by a click, moved away by keys: a move event at the old spot is no move.
    Script script({
        {[&] { return BarMenuOpen(0); }, [&] { PostKey(Toolbar(), VK_LEFT); }},
        {[&] { return BarMenuOpen(2); }, [&] { ::PostMessageW(Toolbar(), WM_MOUSEMOVE, 0, 0); }},
        {[&] { return BarMenuOpen(2); }, [] {}},
        {[&] { return BarMenuOpen(2); }, [&] { PostKey(Toolbar(), VK_ESCAPE); }},
    });
    ClickButton(0);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed(); })) << "stuck before step " << script.Next();
    Settle();
    EXPECT_TRUE(AllClosed());
    std::vector<HMENU> expected = {Submenu(0), Submenu(2)};
    EXPECT_EQ(m_log.initPopups, expected);
}

TEST_F(CmdBarTrackingTest, ClickOnTheOpenButtonClosesTheMenu)
{
    Script script({
        {[&] { return BarMenuOpen(1); },
         [&] {
             POINT pt = ButtonCentre(1);
             ::SetCursorPos(pt.x, pt.y);
             ::ScreenToClient(Toolbar(), &pt);
             ::PostMessageW(Toolbar(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(pt.x, pt.y));
         }},
    });
    ClickButton(1);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed(); })) << "stuck before step " << script.Next();
    Settle();
    EXPECT_TRUE(AllClosed());
    EXPECT_FALSE(m_bar.IsTracking());
    EXPECT_EQ(m_log.initPopups.size(), 1u);
}

TEST_F(CmdBarTrackingTest, ChosenBarCommandReachesTheOwnerTagged)
{
    Script script({
        {[&] { return BarMenuOpen(0); },
         [&] {
             PostKey(Toolbar(), VK_UP);  // from nothing selected, up wraps to the last item: "E&xit"
             PostKey(Toolbar(), VK_RETURN);
         }},
    });
    ClickButton(0);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed() && !m_log.commands.empty(); }));
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0].id, 103);
    EXPECT_EQ(static_cast<unsigned long>(m_log.commands[0].lParam), cmdbar::kBarCommandTag);
}

TEST_F(CmdBarTrackingTest, AltLetterOpensTheMenuWithItsFirstItemSelected)
{
    Script script({
        {[&] { return BarMenuOpen(1) && m_log.menuSelects > 0; }, [&] { PostKey(Toolbar(), VK_RETURN); }},
    });
    EXPECT_EQ(::SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(L'i', MF_SYSMENU), 0), 0x10001);
    ASSERT_TRUE(PumpUntil([&] { return script.Done() && AllClosed() && !m_log.commands.empty(); }));
    EXPECT_EQ(m_log.commands[0].id, 201);
}

TEST_F(CmdBarTrackingTest, PlainPopupReturnsItsCommandAndIgnoresLeftRight)
{
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 1, L"First");
    ::AppendMenuW(popup, MF_STRING, 2, L"Second");
    size_t records = 0;
    Script script({
        {[&] { return OpenPopupWindow() != nullptr; },
         [&] {
             records = m_bar.GetRecordCount();
             PostKey(Toolbar(), VK_LEFT);
             PostKey(Toolbar(), VK_RIGHT);
             PostKey(Toolbar(), VK_DOWN);
             PostKey(Toolbar(), VK_DOWN);
             PostKey(Toolbar(), VK_RETURN);
         }},
    });
    POINT pt = ButtonCentre(1);
    int chosen = m_bar.TrackPopup(popup, pt, TPM_RETURNCMD);
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(records, 2u);  // drawn by the bar like every other menu
    Settle();
    EXPECT_TRUE(AllClosed());
    ASSERT_EQ(m_log.initPopups.size(), 1u);  // no bar menu came up
    EXPECT_EQ(m_log.initPopups[0], popup);
    EXPECT_TRUE(m_log.commands.empty());
    ::DestroyMenu(popup);
}

TEST_F(CmdBarTrackingTest, PopupAtPointSendsTheCommandToTheOwner)
{
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 2074, L"New Note");
    POINT at{300, 200};
    RECT placed{};
    Script script({
        {[&] { return OpenPopupWindow() != nullptr; },
         [&] {
             ::GetWindowRect(OpenPopupWindow(), &placed);
             PostKey(Toolbar(), VK_DOWN);
             PostKey(Toolbar(), VK_RETURN);
         }},
    });
    m_bar.TrackPopupAtPoint(popup, at);
    ASSERT_TRUE(PumpUntil([&] { return !m_log.commands.empty(); }));
    EXPECT_EQ(m_log.commands[0].id, 2074);
    EXPECT_EQ(placed.right, at.x);  // right-aligned at the point
    ::DestroyMenu(popup);
}

namespace {

// The popup window's pixels, read through its own device context.
struct Capture {
    int width = 0, height = 0;
    std::vector<COLORREF> px;
    COLORREF At(int x, int y) const { return px[y * width + x]; }
};

Capture CaptureWindow(HWND hWnd)
{
    Capture cap;
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    cap.width = rc.right - rc.left;
    cap.height = rc.bottom - rc.top;
    HDC src = ::GetWindowDC(hWnd);
    HDC mem = ::CreateCompatibleDC(src);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = cap.width;
    bi.bmiHeader.biHeight = -cap.height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    DWORD* bits = nullptr;
    HBITMAP bmp = ::CreateDIBSection(mem, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::BitBlt(mem, 0, 0, cap.width, cap.height, src, 0, 0, SRCCOPY);
    ::GdiFlush();
    for (int i = 0; i < cap.width * cap.height; ++i)
        cap.px.push_back(RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF));
    ::SelectObject(mem, old);
    ::DeleteObject(bmp);
    ::DeleteDC(mem);
    ::ReleaseDC(hWnd, src);
    return cap;
}

// Top-left corners of every check glyph drawn in `colour`.
std::vector<POINT> FindGlyphs(const Capture& cap, COLORREF colour)
{
    std::vector<POINT> found;
    for (int y = 0; y + 9 <= cap.height; ++y) {
        for (int x = 0; x + 9 <= cap.width; ++x) {
            bool match = true;
            for (int gy = 0; gy < 9 && match; ++gy) {
                for (int gx = 0; gx < 9 && match; ++gx)
                    match = (cap.At(x + gx, y + gy) == colour) == cmdbar::CheckGlyphPixel(gx, gy);
            }
            if (match)
                found.push_back({x, y});
        }
    }
    return found;
}

// Top-left corners of 16 x 16 blocks of one colour.
std::vector<POINT> FindBlocks(const Capture& cap, COLORREF colour)
{
    std::vector<POINT> found;
    for (int y = 0; y + 16 <= cap.height; ++y) {
        for (int x = 0; x + 16 <= cap.width; ++x) {
            bool match = true;
            for (int i = 0; i < 256 && match; ++i)
                match = cap.At(x + i % 16, y + i / 16) == colour;
            if (match) {
                found.push_back({x, y});
                x += 15;
            }
        }
    }
    return found;
}

}  // namespace

TEST_F(CmdBarTrackingTest, TrackedMenuShowsPicturesAndCheckMarks)
{
    HICON red = SolidIcon(RGB(255, 0, 0));
    HICON green = SolidIcon(RGB(0, 160, 0));
    m_bar.AddPicture(red, 501);
    m_bar.AddPicture(green, 502);
    ::DestroyIcon(red);
    ::DestroyIcon(green);

    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING | MF_CHECKED, 501, L"Checked with picture");
    ::AppendMenuW(popup, MF_STRING, 502, L"Picture only");
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING | MF_CHECKED, 503, L"Checked without picture");
    ::AppendMenuW(popup, MF_STRING, 504, L"Plain");

    Capture cap;
    Script script({
        {[&] { return OpenPopupWindow() != nullptr; }, [] {}},
        {[] { return true; },
         [&] {
             cap = CaptureWindow(OpenPopupWindow());
             PostKey(Toolbar(), VK_ESCAPE);
         }},
    });
    m_bar.TrackPopup(popup, POINT{150, 150}, TPM_RETURNCMD);
    ASSERT_FALSE(cap.px.empty());

    std::vector<POINT> reds = FindBlocks(cap, RGB(255, 0, 0));
    std::vector<POINT> greens = FindBlocks(cap, RGB(0, 160, 0));
    ASSERT_EQ(reds.size(), 1u);
    ASSERT_EQ(greens.size(), 1u);
    EXPECT_EQ(reds[0].x, greens[0].x);  // one picture column
    EXPECT_LT(reds[0].y, greens[0].y);

    std::vector<POINT> checks = FindGlyphs(cap, ::GetSysColor(COLOR_MENUTEXT));
    ASSERT_EQ(checks.size(), 2u);
    // Beside a picture the check moves 16 to the right; alone it sits in the picture column.
    int itemLeft = reds[0].x - 2;
    EXPECT_EQ(checks[0].x, itemLeft + 16 + 6);
    EXPECT_EQ(checks[1].x, itemLeft + 6);
    EXPECT_GT(checks[1].y, greens[0].y);
    ::DestroyMenu(popup);
}
