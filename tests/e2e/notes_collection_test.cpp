// The note collection in the running program: new notes and their place, the 40-note limit and slot reuse, hide all /
// show all with the stacking order, delete all.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace e2e;

namespace {

const wchar_t kNote0[] = L"000_Notice_set";

std::wstring SizedIni()
{
    const std::wstring ini = PlainIni();
    IniWrite(ini, L"Program", L"m_default_note_size", L"220");
    return ini;
}

bool Stored(const std::wstring& ini, int number)
{
    return IniRead(ini, NoteSection(number).c_str(), L"m_cx") != L"<missing>";
}

// A stored note of 100 x 100 with a line of text, at a place that tells it apart.
void StoreNote(const std::wstring& ini, int number, int x, int y)
{
    e2e::StoreNote(ini, number, x, y, 100, 100, L"note " + std::to_wstring(number));
}

}  // namespace

TEST(NoteCollection, NewNoteIsStoredWhereItAppearsAndSavesAfterTheLastKey)
{
    InputLock input;
    const std::wstring ini = SizedIni();
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    ASSERT_TRUE(SendCommand(main, ID_NEW_NOTE));
    ASSERT_EQ(1u, NoteWindows(p).size());
    HWND note = NoteWindows(p)[0];
    EXPECT_TRUE(::IsWindowVisible(note));
    EXPECT_EQ(L"New Note 001", NoteText(note));

    // Saved through the text timer, with the default size and the place the window took.
    ASSERT_TRUE(WaitUntil(
        [&] { return IniRead(ini, kNote0, L"m_note_str").find(L"New Note 001") != std::wstring::npos; }, 3000));
    const RECT rc = WindowRect(note);
    for (const auto& [key, value] : {std::pair{L"m_cx", std::wstring(L"220")},
                                     {L"m_cy", std::wstring(L"220")},
                                     {L"m_pos_x", std::to_wstring(rc.left)},
                                     {L"m_pos_y", std::to_wstring(rc.top)}})
        EXPECT_EQ(value, IniRead(ini, kNote0, key)) << Narrow(key);

    // A burst of keys is saved once, after the last one: the first value that changes holds all of them.
    ::SetForegroundWindow(note);
    ::SetFocus(::GetDlgItem(note, IDC_NOTE_TEXT));
    ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == note; }));
    const std::wstring before = IniRead(ini, kNote0, L"m_note_str");
    const std::wstring typed = L"QUILLBOARDTYPING";
    for (wchar_t key : typed)
        PressKeys({BYTE(key)});
    std::wstring first;
    // A read that meets the file half rewritten sees no value: it does not count as a change.
    ASSERT_TRUE(WaitUntil(
        [&] {
            first = IniRead(ini, kNote0, L"m_note_str");
            return first != before && first != L"<missing>";
        },
        5000, 1));
    EXPECT_NE(std::wstring::npos, first.find(L"quillboardtyping")) << "saved before the last key: " << Narrow(first);
}

TEST(NoteCollection, FortyNotesAreTheLimitAndADeletedSlotIsReusedFirst)
{
    const std::wstring ini = SizedIni();
    for (int n = 0; n < 40; ++n)
        StoreNote(ini, n, 10 + 25 * (n % 10), 10 + 120 * (n / 10));
    QuillProcess p;
    HWND main = StartWithNotes(p, ini, 40);
    ASSERT_TRUE(main);

    ::PostMessageW(main, WM_COMMAND, ID_NEW_NOTE, 0);
    HWND box = WaitForBox(p, nullptr, [](HWND b) { return BoxText(b) == L"Max 40"; });
    ASSERT_TRUE(box);
    EXPECT_EQ(40u, NoteWindows(p).size());
    ASSERT_TRUE(CloseBox(box));

    // Note 017 is number 16; higher slots are all taken, lower ones too.
    HWND note17 = NoteAt(p, 10 + 25 * 6, 10 + 120);
    ASSERT_TRUE(note17);
    // Pinned before it goes: the reused window must follow its new record (the default: not on top).
    ASSERT_TRUE(SendCommand(note17, ID_NOTE_PIN));
    ASSERT_TRUE(::GetWindowLongW(note17, GWL_EXSTYLE) & WS_EX_TOPMOST);
    ASSERT_TRUE(SendCommand(note17, ID_NOTE_DELETE));
    EXPECT_FALSE(Stored(ini, 16));
    EXPECT_FALSE(::IsWindowVisible(note17));
    ASSERT_TRUE(SendCommand(main, ID_NEW_NOTE));
    EXPECT_EQ(40u, NoteWindows(p).size());
    EXPECT_TRUE(::IsWindowVisible(note17)) << "the deleted slot's window is reused";
    EXPECT_EQ(L"New Note 017", NoteText(note17));
    EXPECT_FALSE(::GetWindowLongW(note17, GWL_EXSTYLE) & WS_EX_TOPMOST) << "the reused window keeps an old pin";
    EXPECT_TRUE(WaitUntil([&] {
        return IniRead(ini, NoteSection(16).c_str(), L"m_note_str").find(L"New Note 017") != std::wstring::npos;
    }));
}

TEST(NoteCollection, HideShowAndDeleteAllKeepOrderSurviveARestartAndLeaveNothing)
{
    const std::wstring ini = SizedIni();
    for (int n = 0; n < 3; ++n)
        StoreNote(ini, n, 100 + 150 * n, 300);
    QuillProcess p;
    HWND main = StartWithNotes(p, ini, 3);
    ASSERT_TRUE(main);
    // A stacking order that is not the creation order: 1 on top, then 0, then 2.
    for (int n : {2, 0, 1})
        ::SetWindowPos(NoteAt(p, 100 + 150 * n, 300), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::vector<HWND> order = NoteWindows(p);
    ASSERT_EQ(NoteAt(p, 250, 300), order[0]);
    ASSERT_EQ(NoteAt(p, 400, 300), order[2]);

    ASSERT_TRUE(SendCommand(main, ID_HIDE_ALL));
    EXPECT_TRUE(VisibleNotes(p).empty());
    ASSERT_TRUE(SendCommand(main, ID_SHOW_ALL));
    EXPECT_EQ(order, VisibleNotes(p)) << "same order top-down";

    // Closed with its close button, a note comes back with show all too.
    HWND closed = order[1];
    ASSERT_TRUE(SendCommand(closed, ID_NOTE_CLOSE));
    EXPECT_FALSE(::IsWindowVisible(closed));
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, NoteSection(0).c_str(), L"m_by_hidden") == L"1"; }));
    ASSERT_TRUE(SendCommand(main, ID_SHOW_ALL));
    EXPECT_TRUE(::IsWindowVisible(closed));

    // Hide all changes no stored field: after a restart the notes are back.
    ASSERT_TRUE(SendCommand(main, ID_HIDE_ALL));
    EXPECT_TRUE(VisibleNotes(p).empty());
    p.Kill();
    ASSERT_TRUE(main = StartWithNotes(p, ini, 3));

    ASSERT_TRUE(SendCommand(main, ID_HIDE_ALL));
    // "Are you sure?": No and Cancel keep everything, Yes deletes.
    for (WORD answer : {IDNO, IDCANCEL, IDYES}) {
        ::PostMessageW(main, WM_COMMAND, ID_DELETE_ALL, 0);
        HWND box = WaitForBox(p, nullptr, [](HWND b) { return BoxText(b) == L"Are you sure?"; });
        ASSERT_TRUE(box && CloseBox(box, answer));
        ASSERT_TRUE(SendCommand(main, WM_NULL));  // the box's command has been handled
        for (int n = 0; n < 3; ++n)
            EXPECT_EQ(answer != IDYES, Stored(ini, n)) << "note " << n << " after " << answer;
    }
    ASSERT_TRUE(SendCommand(main, ID_SHOW_ALL));
    EXPECT_TRUE(VisibleNotes(p).empty()) << "deleted notes stay hidden";
    for (int n = 0; n < 3; ++n)
        EXPECT_TRUE(IniKeys(ini, NoteSection(n).c_str()).empty()) << "nothing stored for note " << n;
}
