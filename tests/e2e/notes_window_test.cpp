// A note window in the running program: close and pin, the note menu, the
// formatting keys, sizing, dragging, the spacer's move, the self-hiding bars,
// and saves that must not wait for a timer.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>

using namespace e2e;

namespace {

const wchar_t kNote0[] = L"000_Notice_set";

// A stored note of w x h at (x, y); text empty means no stored content.
void StoreNote(const std::wstring& ini, const wchar_t* section, int x, int y, int w, int h, const wchar_t* text)
{
    IniWrite(ini, section, L"m_pos_x", std::to_wstring(x).c_str());
    IniWrite(ini, section, L"m_pos_y", std::to_wstring(y).c_str());
    IniWrite(ini, section, L"m_cx", std::to_wstring(w).c_str());
    IniWrite(ini, section, L"m_cy", std::to_wstring(h).c_str());
    if (*text)
        IniWrite(ini, section, L"m_note_str", text);
}

std::wstring PlainIni()
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"0");
    return ini;
}

// Starts the program and waits for `count` visible notes; returns the one at (x, y).
HWND StartWithNotes(QuillProcess& p, const std::wstring& ini, size_t count, int x, int y)
{
    if (!p.StartMain(L"-ini:" + ini))
        return nullptr;
    HWND found = nullptr;
    WaitUntil([&] {
        size_t visible = 0;
        for (HWND w : NoteWindows(p)) {
            RECT rc = {};
            ::GetWindowRect(w, &rc);
            visible += ::IsWindowVisible(w) ? 1 : 0;
            if (rc.left == x && rc.top == y)
                found = w;
        }
        return visible == count && found;
    });
    if (found)
        WaitForStartupSaves(ini);
    return found;
}

HWND ToolbarOf(HWND note)
{
    for (HWND child = ::GetWindow(note, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ClassName(child) == L"ToolbarWindow32" && ::IsWindowVisible(child))
            return child;
    return nullptr;
}

RECT Rect(HWND w)
{
    RECT rc = {};
    ::GetWindowRect(w, &rc);
    return rc;
}

// Screen point of a client point of the note.
POINT At(HWND note, int x, int y)
{
    POINT pt = {x, y};
    ::ClientToScreen(note, &pt);
    return pt;
}

void MoveMouse(POINT pt)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(pt.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(pt.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
    WaitUntil(
        [&] {
            POINT now = {};
            return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y;
        },
        2000);
}

void Button(bool down)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof(in));
}

GUITHREADINFO GuiInfo(HWND note)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(note, nullptr), &info);
    return info;
}

// The window holding the mouse capture in the note's thread.
HWND CaptureOf(HWND note)
{
    return GuiInfo(note).hwndCapture;
}

DWORD GuiFlags(HWND note)
{
    return GuiInfo(note).flags;
}

// Lets the program take everything sent so far.
void Settle(const QuillProcess& p, HWND note)
{
    p.WaitIdle();
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(note, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

void Keys(std::initializer_list<BYTE> keys)
{
    for (BYTE vk : keys) {
        keybd_event(vk, 0, 0, 0);
        keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    }
}

HWND OpenMenu(const QuillProcess& p)
{
    for (HWND w : p.Windows())
        if (ClassName(w) == L"#32768" && ::IsWindowVisible(w))
            return w;
    return nullptr;
}

// Bands of at least 8 rows in the open menu's picture column that differ from the row further right: one per
// picture or check mark.
int MarkedBands(HWND menu)
{
    const RECT rc = Rect(menu);
    HDC screen = ::GetDC(nullptr);
    int bands = 0;
    for (int y = rc.top, run = 0; y < rc.bottom; ++y) {
        const COLORREF row = ::GetPixel(screen, rc.right - 20, y);
        bool marked = false;
        for (int x = rc.left + 3; x < rc.left + 21 && !marked; ++x)
            marked = ::GetPixel(screen, x, y) != row;
        run = marked ? run + 1 : 0;
        bands += run == 8;
    }
    ::ReleaseDC(nullptr, screen);
    return bands;
}

int MenuBandsWithNoteMenuOpen(const QuillProcess& p, HWND note)
{
    ::PostMessageW(note, WM_COMMAND, ID_NOTE_MENU, 0);
    HWND menu = nullptr;
    if (!WaitUntil([&] { return (menu = OpenMenu(p)) != nullptr; }))
        return -1;
    WaitUntil([] { return false; }, 300);  // drawn
    const int bands = MarkedBands(menu);
    Keys({VK_ESCAPE});
    WaitUntil([&] { return !OpenMenu(p); });
    return bands;
}

// Whether the rich text switches bold on (\b, not \b0) in the paragraph before `word`.
bool BoldAt(const std::wstring& rtf, const std::wstring& word)
{
    const size_t at = rtf.find(word);
    const size_t pard = rtf.rfind(L"\\pard", at);
    if (at == std::wstring::npos || pard == std::wstring::npos)
        return false;
    bool bold = false;
    for (size_t i = rtf.find(L"\\b", pard); i < at; i = rtf.find(L"\\b", i + 1)) {
        const wchar_t next = rtf[i + 2];
        if (next == L'0')
            bold = false;
        else if (next == L'\\' || next == L' ')
            bold = true;
    }
    return bold;
}

}  // namespace

TEST(NoteWindow, CloseHidesOrRemovesAndAPinSurvivesARestart)
{
    const std::wstring ini = PlainIni();
    StoreNote(ini, kNote0, 100, 300, 200, 200, L"kept");
    StoreNote(ini, L"001_Notice_set", 400, 300, 200, 200, L"");
    QuillProcess p;
    HWND note = StartWithNotes(p, ini, 2, 100, 300);
    ASSERT_TRUE(note);
    HWND empty = NoteWindows(p)[0] == note ? NoteWindows(p)[1] : NoteWindows(p)[0];

    ASSERT_TRUE(SendCommand(empty, ID_NOTE_CLOSE));
    EXPECT_FALSE(::IsWindowVisible(empty));
    EXPECT_TRUE(IniKeys(ini, L"001_Notice_set").empty()) << "an empty note leaves the file";
    ASSERT_TRUE(SendCommand(note, ID_NOTE_CLOSE));
    EXPECT_FALSE(::IsWindowVisible(note));
    EXPECT_EQ(L"1", IniRead(ini, kNote0, L"m_by_hidden"));
    EXPECT_EQ(L"1", IniRead(ini, kNote0, L"m_closed"));

    ASSERT_TRUE(SendCommand(p.WaitForMainWindow(), ID_NOTE_FIRST));
    EXPECT_TRUE(::IsWindowVisible(note)) << "back from the notes list";
    HWND toolbar = ToolbarOf(note);
    ASSERT_TRUE(toolbar);
    EXPECT_TRUE(::SendMessageW(toolbar, TB_ISBUTTONHIDDEN, ID_NOTE_UNPIN, 0));
    ASSERT_TRUE(SendCommand(note, ID_NOTE_PIN));
    EXPECT_TRUE(::GetWindowLongW(note, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::SendMessageW(toolbar, TB_ISBUTTONHIDDEN, ID_NOTE_PIN, 0));
    EXPECT_FALSE(::SendMessageW(toolbar, TB_ISBUTTONHIDDEN, ID_NOTE_UNPIN, 0));
    EXPECT_EQ(L"1", IniRead(ini, kNote0, L"m_ontop")) << "saved at once";

    p.Kill();
    note = StartWithNotes(p, ini, 1, 100, 300);
    ASSERT_TRUE(note);
    EXPECT_TRUE(::GetWindowLongW(note, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the stored pin, not the default";
    EXPECT_TRUE(::SendMessageW(ToolbarOf(note), TB_ISBUTTONHIDDEN, ID_NOTE_PIN, 0));
}

TEST(NoteWindow, NoteMenuChecksOnTopAndSavesTransparencyAtOnce)
{
    InputLock input;
    const std::wstring ini = PlainIni();
    StoreNote(ini, kNote0, 100, 300, 200, 200, L"menu");
    QuillProcess p;
    HWND note = StartWithNotes(p, ini, 1, 100, 300);
    ASSERT_TRUE(note);
    ::SetForegroundWindow(note);

    const int unpinned = MenuBandsWithNoteMenuOpen(p, note);
    ASSERT_GE(unpinned, 0) << "the note menu opens";
    ASSERT_TRUE(SendCommand(note, ID_NOTE_ONTOP));
    EXPECT_EQ(L"1", IniRead(ini, kNote0, L"m_ontop")) << "on top from the menu is saved at once";
    EXPECT_EQ(unpinned + 1, MenuBandsWithNoteMenuOpen(p, note)) << "\"Always on Top\" carries a check mark";

    // Color, Text Color, Font, Always on Top, Transparency; into the submenu, 0 % to 30 %.
    ::PostMessageW(note, WM_COMMAND, ID_NOTE_MENU, 0);
    ASSERT_TRUE(WaitUntil([&] { return OpenMenu(p) != nullptr; }));
    Keys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, kNote0, L"m_transparency") == L"30"; }));
    BYTE alpha = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(note, nullptr, &alpha, nullptr));
    EXPECT_EQ(178, alpha);
}

TEST(NoteWindow, CtrlBWithNoSelectionTogglesTheWordAtTheCaret)
{
    InputLock input;
    const std::wstring ini = PlainIni();
    StoreNote(ini, kNote0, 100, 300, 200, 200, L"alpha beta");
    QuillProcess p;
    HWND note = StartWithNotes(p, ini, 1, 100, 300);
    ASSERT_TRUE(note);
    ::SetForegroundWindow(note);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == note; }));
    Settle(p, note);  // the caret sits at the start of the text

    for (bool bold : {true, false}) {
        keybd_event(VK_CONTROL, 0, 0, 0);
        Keys({'B'});
        keybd_event(VK_CONTROL, 0, KEYEVENTF_KEYUP, 0);
        std::wstring rtf;
        EXPECT_TRUE(WaitUntil([&] {
            rtf = IniRead(ini, kNote0, L"m_note_str");
            return BoldAt(rtf, L"alpha") == bold;
        })) << rtf;
        EXPECT_FALSE(BoldAt(rtf, L"beta")) << "only the word at the caret: " << rtf;
    }
}

TEST(NoteWindow, DraggedMovedAndSizedWithTheMouse)
{
    InputLock input;
    const std::wstring ini = PlainIni();
    StoreNote(ini, kNote0, 40, 300, 220, 220, L"mouse");
    QuillProcess p;
    HWND note = StartWithNotes(p, ini, 1, 40, 300);
    ASSERT_TRUE(note);
    ::SetForegroundWindow(note);
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == note; }));
    RECT client = {};
    ::GetClientRect(note, &client);
    auto storedAt = [&](LONG x, LONG y) {
        // Every save rewrites the file in place: read until it holds the place.
        return WaitUntil([&] {
            return IniRead(ini, kNote0, L"m_pos_x") == std::to_wstring(x) &&
                   IniRead(ini, kNote0, L"m_pos_y") == std::to_wstring(y);
        });
    };

    // A drag of the status strip moves the note and saves its place on release.
    POINT start = At(note, 60, client.bottom - 12);
    MoveMouse(start);
    Button(true);
    ASSERT_TRUE(WaitUntil([&] { return CaptureOf(note) == note; })) << "the press starts a drag";
    MoveMouse(POINT{start.x + 40, start.y + 30});
    Button(false);
    EXPECT_TRUE(WaitUntil([&] { return !CaptureOf(note); }));
    EXPECT_EQ(80, Rect(note).left);
    EXPECT_TRUE(storedAt(80, 330));

    // A move without a button, or a lost capture, ends the drag: the note stops following the pointer.
    for (UINT interruption : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_CANCELMODE)}) {
        start = At(note, 60, client.bottom - 12);
        MoveMouse(start);
        Button(true);
        ASSERT_TRUE(WaitUntil([&] { return CaptureOf(note) == note; }));
        DWORD_PTR ignored = 0;
        if (interruption == WM_MOUSEMOVE)
            ::PostMessageW(note, WM_MOUSEMOVE, 0, MAKELPARAM(60, client.bottom - 12));
        else
            ::SendMessageTimeoutW(note, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
        EXPECT_TRUE(WaitUntil([&] { return !CaptureOf(note); })) << "after message " << interruption;
        MoveMouse(POINT{start.x + 50, start.y + 50});
        EXPECT_FALSE(WaitUntil([&] { return Rect(note).left != 80; }, 1000))
            << "the note followed the pointer after message " << interruption;
        Button(false);
        Settle(p, note);
    }

    // The spacer starts the platform's own move; the new place is stored at once, with no size change.
    start = At(note, client.right / 2 + 20, 12);
    MoveMouse(start);
    Button(true);
    ASSERT_TRUE(WaitUntil([&] { return (GuiFlags(note) & GUI_INMOVESIZE) != 0; })) << "the platform's move runs";
    MoveMouse(POINT{start.x + 30, start.y + 20});
    const POINT end{start.x + 60, start.y + 40};
    MoveMouse(end);
    // Under load Wine's move loop can miss a pointer move: nudge the pointer back to the end until it follows.
    ASSERT_TRUE(WaitUntil(
        [&] {
            if (Rect(note).left == 140 && Rect(note).top == 370)
                return true;
            MoveMouse(POINT{end.x + 1, end.y});
            MoveMouse(end);
            return false;
        },
        10000, 200))
        << "the platform's move ends at " << Rect(note).left << "," << Rect(note).top;
    Button(false);
    EXPECT_TRUE(storedAt(140, 370));

    // Sized by its bottom-right corner far beyond the smallest size: 100 x 100.
    const POINT corner = At(note, client.right - 1, client.bottom - 1);
    MoveMouse(corner);
    Button(true);
    MoveMouse(POINT{corner.x - 60, corner.y - 60});
    MoveMouse(POINT{corner.x - 150, corner.y - 150});
    EXPECT_TRUE(WaitUntil([&] { return Rect(note).right - Rect(note).left == 100; }));
    Button(false);
    EXPECT_EQ(100, Rect(note).bottom - Rect(note).top);
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, kNote0, L"m_cx") == L"100"; }));
}

TEST(NoteWindow, SelfHidingBarsFollowThePointerAndComeBackWhenTurnedOff)
{
    InputLock input;
    const std::wstring ini = PlainIni();
    IniWrite(ini, L"Quillboard", L"m_hide_bar", L"1");
    StoreNote(ini, kNote0, 40, 300, 220, 220, L"bars");
    QuillProcess p;
    HWND note = StartWithNotes(p, ini, 1, 40, 300);
    ASSERT_TRUE(note);
    HWND toolbar = ToolbarOf(note);
    ASSERT_TRUE(toolbar);

    // In over the text, out, and in again; the bars look every 250 ms.
    MoveMouse(At(note, 110, 110));
    WaitUntil([] { return false; }, 600);
    MoveMouse(POINT{800, 100});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(toolbar); })) << "pointer away: bars hidden";
    MoveMouse(At(note, 110, 110));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(toolbar) != FALSE; })) << "pointer over the text: shown";
    MoveMouse(POINT{800, 100});
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(toolbar); }));

    ASSERT_TRUE(SendCommand(p.WaitForMainWindow(), ID_HIDE_BARS));
    EXPECT_EQ(L"0", IniRead(ini, L"Quillboard", L"m_hide_bar"));
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(toolbar) != FALSE; })) << "turned off: bars come back";

    // Turned on again while the program runs: the bars follow the pointer once more.
    MoveMouse(At(note, 110, 110));
    ASSERT_TRUE(SendCommand(p.WaitForMainWindow(), ID_HIDE_BARS));
    EXPECT_EQ(L"1", IniRead(ini, L"Quillboard", L"m_hide_bar"));
    WaitUntil([] { return false; }, 600);
    MoveMouse(POINT{800, 100});
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(toolbar); })) << "turned on again: bars hidden";
}

TEST(NoteWindow, RecolourAndWaitingSavesSurviveSessionEndAndExit)
{
    const std::wstring ini = PlainIni();
    StoreNote(ini, kNote0, 40, 300, 220, 220, L"colour");
    QuillProcess p;
    HWND note = StartWithNotes(p, ini, 1, 40, 300);
    ASSERT_TRUE(note);
    HWND main = p.WaitForMainWindow();
    // The start-up save (its size was set) goes first; then a key that only a save writes is taken away.
    ASSERT_TRUE(WaitUntil([&] { return IniRead(ini, kNote0, L"m_note_str_info") != L"<missing>"; }));
    Settle(p, note);
    IniWrite(ini, kNote0, L"m_note_str_info", nullptr);

    // The colour chooser, confirmed: the note is saved then and there.
    ::PostMessageW(note, WM_COMMAND, ID_NOTE_BG_COLOR, 0);
    HWND chooser = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w : p.Windows())
            if (ClassName(w) == L"#32770" && ::IsWindowVisible(w) && ::GetWindow(w, GW_OWNER) == note)
                chooser = w;
        return chooser != nullptr;
    }));
    ::PostMessageW(chooser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, kNote0, L"m_note_str_info") != L"<missing>"; }, 2000));

    // Text waiting for its timer is saved when the session ends, and on Exit.
    HWND text = ::GetDlgItem(note, IDC_NOTE_TEXT);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"before the session ends"), SMTO_ABORTIFHUNG,
                          5000, &ignored);
    ::SendMessageTimeoutW(note, WM_ENDSESSION, TRUE, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    EXPECT_NE(std::wstring::npos, IniRead(ini, kNote0, L"m_note_str").find(L"before the session ends"));
    ::SendMessageTimeoutW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"before exit"), SMTO_ABORTIFHUNG, 5000,
                          &ignored);
    SendCommand(main, ID_APP_EXIT);
    ASSERT_TRUE(p.WaitForExit(10000, nullptr));
    EXPECT_NE(std::wstring::npos, IniRead(ini, kNote0, L"m_note_str").find(L"before exit"));
}
