// The main window's command bar in the running program: placed under the
// banner line, its menus opened by a click, moved through with Left and Right,
// closed with Esc, drawn with their pictures; Alt + letter of a right button.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdio>
#include <vector>

using namespace e2e;

namespace {

constexpr int kBarLineId = 2209;
constexpr int kBarId = 0xE801;

struct Toolbars {
    HWND bar = nullptr;
    HWND right = nullptr;
};

Toolbars FindToolbars(HWND main)
{
    struct Search {
        HWND main;
        Toolbars found;
        RECT barRect;
    } s{main, {}, {}};
    EnumChildWindows(
        main,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            if (ClassName(child) == L"ToolbarWindow32" && GetDlgCtrlID(child) == kBarId)
                s->found.bar = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    if (!s.found.bar)
        return s.found;
    GetWindowRect(s.found.bar, &s.barRect);
    // The right toolbar: another toolbar in the bar's row.
    EnumChildWindows(
        main,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            RECT rc{};
            GetWindowRect(child, &rc);
            if (child != s->found.bar && ClassName(child) == L"ToolbarWindow32" && rc.top == s->barRect.top)
                s->found.right = child;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// TB_GETITEMRECT into the program's own memory, read back.
RECT RemoteItemRect(HWND toolbar, int index)
{
    RECT rc{};
    DWORD pid = 0;
    GetWindowThreadProcessId(toolbar, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return rc;
    void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    if (remote) {
        if (SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(remote)))
            ReadProcessMemory(process, remote, &rc, sizeof(rc), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The visible popup menu of the process, or null.
HWND OpenMenuOf(const QuillProcess& p)
{
    struct Search {
        DWORD pid;
        HWND found;
    } s{p.Pid(), nullptr};
    EnumWindows(
        [](HWND hWnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(hWnd, &pid);
            if (pid == s->pid && IsWindowVisible(hWnd) && ClassName(hWnd) == L"#32768") {
                s->found = hWnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool MenuOpenAt(const QuillProcess& p, LONG left)
{
    HWND menu = OpenMenuOf(p);
    RECT rc{};
    return menu && GetWindowRect(menu, &rc) && rc.left == left;
}

// The menu under the button at `left` opens and stays: one key press moves one menu.
bool MenuSettlesAt(const QuillProcess& p, LONG left)
{
    if (!WaitUntil([&] { return MenuOpenAt(p, left); }))
        return false;
    WaitUntil([] { return false; }, 250);
    return MenuOpenAt(p, left);
}

void ClickAt(POINT pt)
{
    SetCursorPos(pt.x, pt.y);
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, in, sizeof(INPUT));
}

void Key(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    SendInput(1, &in, sizeof(INPUT));
}

void Press(WORD vk)
{
    Key(vk, false);
    Key(vk, true);
}

struct Capture {
    int w = 0, h = 0;
    std::vector<DWORD> px;  // top-down 0x00RRGGBB
    DWORD At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

Capture CaptureScreen(const RECT& rect)
{
    Capture c;
    c.w = rect.right - rect.left;
    c.h = rect.bottom - rect.top;
    c.px.assign(static_cast<size_t>(c.w) * c.h, 0);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, c.w, c.h);
    HGDIOBJ old = SelectObject(dc, bmp);
    BitBlt(dc, 0, 0, c.w, c.h, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(dc, old);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = c.w;
    info.bmiHeader.biHeight = -c.h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    GetDIBits(dc, bmp, 0, c.h, c.px.data(), &info, DIB_RGB_COLORS);
    for (DWORD& v : c.px)
        v &= 0x00FFFFFF;
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return c;
}

// Bands of at least 8 rows in which the popup's picture column (x 3 to 21, inside
// the frame) differs from the row's own colour further right: one per picture.
// Separators and the highlight run across the whole row and do not count.
int PictureBands(const Capture& c)
{
    if (c.w <= 40)
        return 0;
    int bands = 0;
    int run = 0;
    for (int y = 0; y < c.h; ++y) {
        DWORD row = c.At(c.w - 20, y);
        bool marked = false;
        for (int x = 3; x < 21; ++x)
            marked = marked || c.At(x, y) != row;
        run = marked ? run + 1 : 0;
        if (run == 8)
            ++bands;
    }
    return bands;
}

// Keeps the picture of the open menu for a look by eye, beside the test's files.
void SaveBmp(const Capture& c, const std::wstring& path)
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = c.w;
    info.biHeight = -c.h;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(c.px.size() * 4);
    if (FILE* f = _wfopen(path.c_str(), L"wb")) {
        fwrite(&file, sizeof(file), 1, f);
        fwrite(&info, sizeof(info), 1, f);
        fwrite(c.px.data(), 4, c.px.size(), f);
        fclose(f);
    }
}

class CommandBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        // English texts: the Exit button reads "# E&xit".
        std::wstring ini = NewIniPath();
        IniWrite(ini, L"Program", L"lng", L"1");
        ASSERT_TRUE(m_p.Start(L"-ini:" + ini));
        m_main = m_p.WaitForMainWindow();
        ASSERT_TRUE(m_main);
        m_p.WaitIdle();
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(m_main) != FALSE; }));
        m_bars = FindToolbars(m_main);
        ASSERT_TRUE(m_bars.bar) << "the command bar's toolbar";
        SetForegroundWindow(m_main);
    }

    POINT ButtonCentre(int index) const
    {
        RECT rc = RemoteItemRect(m_bars.bar, index);
        return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
    }

    LONG ButtonLeft(int index) const { return RemoteItemRect(m_bars.bar, index).left; }

    QuillProcess m_p;
    HWND m_main = nullptr;
    Toolbars m_bars;
};

}  // namespace

TEST_F(CommandBar, SitsUnderTheBannerLineWithItsMenusAndRightButtons)
{
    RECT line{}, bar{}, client{};
    GetWindowRect(GetDlgItem(m_main, kBarLineId), &line);
    GetWindowRect(m_bars.bar, &bar);
    MapWindowPoints(nullptr, m_main, reinterpret_cast<POINT*>(&line), 2);
    MapWindowPoints(nullptr, m_main, reinterpret_cast<POINT*>(&bar), 2);
    GetClientRect(m_main, &client);
    EXPECT_EQ(bar.top, line.bottom);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_GE(bar.bottom - bar.top, 20);
    EXPECT_TRUE(IsWindowVisible(m_bars.bar));

    // "Program", "Info" and "Language".
    EXPECT_EQ(SendMessageW(m_bars.bar, TB_BUTTONCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(SendMessageW(m_bars.bar, TB_COMMANDTOINDEX, 40000 + i, 0), i);

    // "# Donate", "# Exit" and "# ?", right-aligned.
    ASSERT_TRUE(m_bars.right);
    EXPECT_EQ(SendMessageW(m_bars.right, TB_BUTTONCOUNT, 0, 0), 3);
    for (int id : {32914, 32916, 33206})
        EXPECT_GE(SendMessageW(m_bars.right, TB_COMMANDTOINDEX, id, 0), 0) << "command " << id;
    RECT right{};
    GetWindowRect(m_bars.right, &right);
    MapWindowPoints(nullptr, m_main, reinterpret_cast<POINT*>(&right), 2);
    EXPECT_EQ(right.right, client.right);
    EXPECT_EQ(right.top, bar.top);
}

TEST_F(CommandBar, ClickOpensAMenuLeftAndRightWrapEscCloses)
{
    ClickAt(ButtonCentre(0));
    ASSERT_TRUE(MenuSettlesAt(m_p, ButtonLeft(0))) << "Program menu under its button";

    // The "Program" menu holds the pictures of Note-Pad, Word-Pad, the two
    // recommend commands and Exit.
    HWND menu = OpenMenuOf(m_p);
    RECT rc{};
    GetWindowRect(menu, &rc);
    Capture shot = CaptureScreen(rc);
    SaveBmp(shot, NewFolder() + L"\\cmdbar_program_menu.bmp");
    EXPECT_GE(PictureBands(shot), 4) << "pictures in the Program menu";

    Press(VK_LEFT);  // first -> last
    ASSERT_TRUE(MenuSettlesAt(m_p, ButtonLeft(2))) << "Left wraps to the last menu";
    Press(VK_RIGHT);  // last -> first
    ASSERT_TRUE(MenuSettlesAt(m_p, ButtonLeft(0))) << "Right wraps to the first menu";
    Press(VK_LEFT);
    ASSERT_TRUE(MenuSettlesAt(m_p, ButtonLeft(2)));
    Press(VK_LEFT);
    ASSERT_TRUE(MenuSettlesAt(m_p, ButtonLeft(1))) << "Left steps back one menu";

    // "Info": Info, FAQ, Homepage, History and Donate each carry a picture.
    GetWindowRect(OpenMenuOf(m_p), &rc);
    Capture info = CaptureScreen(rc);
    SaveBmp(info, NewFolder() + L"\\cmdbar_info_menu.bmp");
    EXPECT_GE(PictureBands(info), 5) << "pictures in the Info menu";

    Press(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenuOf(m_p) == nullptr; })) << "Esc closes the menu";
    WaitUntil([] { return false; }, 300);
    HWND back = OpenMenuOf(m_p);
    RECT backRect{};
    GetWindowRect(back, &backRect);
    EXPECT_EQ(back, nullptr) << "no menu comes back; one at " << backRect.left << "," << backRect.top << " buttons at "
                             << ButtonLeft(0) << " " << ButtonLeft(1) << " " << ButtonLeft(2);
    EXPECT_TRUE(m_p.Running());
}

TEST_F(CommandBar, AltPlusTheMnemonicOfARightButtonRunsItsCommand)
{
    // "# E&xit": Alt+X ends the program through its Exit command.
    Key(VK_MENU, false);
    Press('X');
    Key(VK_MENU, true);
    DWORD code = 0;
    ASSERT_TRUE(m_p.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0xAFFEu);
}
