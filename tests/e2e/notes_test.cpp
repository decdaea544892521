// Stored notes come back as windows at start-up, look as stored, and are saved
// back in the file's form; hand-edited values out of range do no harm.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kTextArea = 1007;

struct Key {
    const wchar_t* name;
    std::wstring value;
};

void WriteNote(const std::wstring& ini, const wchar_t* id, const std::vector<Key>& keys)
{
    const std::wstring section = std::wstring(id) + L"_Notice_set";
    for (const Key& key : keys)
        IniWrite(ini, section.c_str(), key.name, key.value.c_str());
}

bool IsNoteWindow(HWND w)
{
    HWND text = ::GetDlgItem(w, kTextArea);
    return text && ClassName(text) == L"RichEdit20W";
}

std::vector<HWND> NoteWindows(const QuillProcess& p)
{
    std::vector<HWND> notes;
    for (HWND w : p.Windows())
        if (IsNoteWindow(w))
            notes.push_back(w);
    return notes;
}

std::vector<HWND> ShadowWindows(const QuillProcess& p)
{
    std::vector<HWND> shadows;
    for (HWND w : p.Windows())
        if (ClassName(w) == L"UmbraShadowWnd")
            shadows.push_back(w);
    return shadows;
}

// Starts the program and waits until the start-up is over.
HWND Start(QuillProcess& p, const std::wstring& ini)
{
    if (!p.Start(L"-ini:" + ini))
        return nullptr;
    HWND main = p.WaitForMainWindow();
    p.WaitIdle();
    return main;
}

HWND NoteAt(const QuillProcess& p, int left, int top)
{
    for (HWND w : NoteWindows(p)) {
        RECT rc;
        ::GetWindowRect(w, &rc);
        if (rc.left == left && rc.top == top)
            return w;
    }
    return nullptr;
}

int Alpha(HWND w)
{
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    return ::GetLayeredWindowAttributes(w, &key, &alpha, &flags) ? alpha : -1;
}

RECT WindowRect(HWND w)
{
    RECT rc = {};
    ::GetWindowRect(w, &rc);
    return rc;
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

LRESULT TextLength(HWND note)
{
    DWORD_PTR n = 0;
    ::SendMessageTimeoutW(::GetDlgItem(note, kTextArea), WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
    return static_cast<LRESULT>(n);
}

std::wstring Text(HWND note)
{
    const LRESULT n = TextLength(note);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(::GetDlgItem(note, kTextArea), WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                          SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

void SaveByCloseRequest(HWND note)
{
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(note, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

const std::vector<std::wstring> kSavedKeys = {
    L"m_pos_y",  L"m_pos_x",  L"m_cy",   L"m_cx",     L"m_clrBkgnd", L"m_by_hidden", L"m_color",    L"m_transparency",
    L"m_ontop",  L"m_closed", L"b_italic", L"b_bold", L"m_font_h",   L"m_font_str",  L"m_note_str", L"m_note_str_info"};

}  // namespace

TEST(Notes, StoredNotesAppearWhereAndAsTheyWereStored)
{
    const std::wstring ini = NewIniPath();
    WriteNote(ini, L"000", {{L"m_pos_x", L"100"}, {L"m_pos_y", L"120"}, {L"m_cx", L"250"}, {L"m_cy", L"200"},
                            {L"m_clrBkgnd", L"16312779"}, {L"m_color", L"44"}, {L"m_transparency", L"30"},
                            {L"m_note_str", L"light note"}});
    WriteNote(ini, L"007", {{L"m_pos_x", L"900"}, {L"m_pos_y", L"100"}, {L"m_cx", L"300"}, {L"m_cy", L"220"},
                            {L"m_clrBkgnd", L"3158064"}, {L"m_color", L"16777215"}, {L"m_transparency", L"0"},
                            {L"m_note_str", L"dark note"}});
    IniWrite(ini, L"005_Notice", L"legacy", L"only");
    WriteNote(ini, L"009", {{L"m_cx", L"-1000"}, {L"m_pos_x", L"10"}});
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"1");

    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    ASSERT_TRUE(WaitUntil([&] { return NoteWindows(p).size() >= 2; }));
    EXPECT_EQ(2u, NoteWindows(p).size());

    HWND light = NoteAt(p, 100, 120);
    HWND dark = NoteAt(p, 900, 100);
    ASSERT_TRUE(light);
    ASSERT_TRUE(dark);
    EXPECT_TRUE(::IsWindowVisible(light));
    EXPECT_TRUE(::IsWindowVisible(dark));
    EXPECT_EQ(250, WindowRect(light).right - 100);
    EXPECT_EQ(200, WindowRect(light).bottom - 120);
    EXPECT_EQ(300, WindowRect(dark).right - 900);
    EXPECT_EQ(L"light note", Text(light));
    EXPECT_EQ(178, Alpha(light)) << "30 %";
    EXPECT_EQ(255, Alpha(dark)) << "opaque";

    // Theme 1: each note has a black shadow of its own size, 5 pixels right and down.
    const std::vector<HWND> shadows = ShadowWindows(p);
    ASSERT_EQ(2u, shadows.size());
    for (HWND note : {light, dark}) {
        auto own = std::find_if(shadows.begin(), shadows.end(),
                                [&](HWND s) { return ::GetWindow(s, GW_OWNER) == note; });
        ASSERT_NE(shadows.end(), own);
        const RECT n = WindowRect(note);
        EXPECT_TRUE(WaitUntil([&] {
            const RECT s = WindowRect(*own);
            return s.left == n.left + 5 && s.top == n.top + 5 && s.right == n.right + 5 && s.bottom == n.bottom + 5;
        })) << "shadow at " << WindowRect(*own).left << ", " << WindowRect(*own).top;
        EXPECT_TRUE(::IsWindowVisible(*own));
        EXPECT_EQ(0u, ScreenPixel(n.right + 1, (n.top + n.bottom) / 2)) << "black";
    }

    // The text areas show the stored backgrounds. The display blends nothing, so the
    // shadows, which lie over their notes, are put out of the way first.
    for (HWND shadow : shadows)
        ::ShowWindow(shadow, SW_HIDE);
    for (auto [note, color] : {std::pair<HWND, COLORREF>{light, 16312779}, {dark, 3158064}}) {
        const RECT text = WindowRect(::GetDlgItem(note, kTextArea));
        EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(text.right - 30, text.bottom - 10) == color; }))
            << "expected " << color << ", got " << ScreenPixel(text.right - 30, text.bottom - 10);
    }
}

TEST(Notes, ThemeZeroHasNoShadowAndThemeTwoTheNoteColour)
{
    const std::wstring ini = NewIniPath();
    WriteNote(ini, L"001", {{L"m_pos_x", L"100"}, {L"m_pos_y", L"100"}, {L"m_cx", L"200"}, {L"m_cy", L"200"},
                            {L"m_clrBkgnd", L"2949119"}});
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"0");
    {
        QuillProcess p;
        ASSERT_TRUE(Start(p, ini));
        ASSERT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 1; }));
        EXPECT_TRUE(ShadowWindows(p).empty());
    }
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"2");
    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    ASSERT_TRUE(WaitUntil([&] { return ShadowWindows(p).size() == 1; }));
    const RECT n = WindowRect(NoteWindows(p).at(0));
    // The strip right of the note: premultiplied light yellow, alpha 125 at the first column.
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(n.right, (n.top + n.bottom) / 2) == RGB(125, 125, 21); }))
        << std::hex << ScreenPixel(n.right, (n.top + n.bottom) / 2);
}

TEST(Notes, OutOfRangeWidthAndTransparencyAreTakenAsTheyAre)
{
    const std::wstring ini = NewIniPath();
    WriteNote(ini, L"003", {{L"m_pos_x", L"200"}, {L"m_pos_y", L"200"}, {L"m_cx", L"20"}, {L"m_cy", L"150"},
                            {L"m_transparency", L"90"}});
    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    HWND note = p.WaitForWindow(IsNoteWindow);
    ASSERT_TRUE(note);
    EXPECT_EQ(20, WindowRect(note).right - WindowRect(note).left);
    EXPECT_EQ(25, Alpha(note));
}

TEST(Notes, LegacyLinesAreShownWhenTheContentKeyIsMissing)
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"004_Notice", L"Shopping", L"milk");
    IniWrite(ini, L"004_Notice", L"Later", L"bread");
    WriteNote(ini, L"004", {{L"m_cx", L"250"}, {L"m_cy", L"250"}, {L"m_pos_x", L"50"}, {L"m_pos_y", L"50"}});
    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    HWND note = p.WaitForWindow(IsNoteWindow);
    ASSERT_TRUE(note);
    const std::wstring text = Text(note);
    EXPECT_NE(std::wstring::npos, text.find(L"Shopping=milk")) << std::string(text.begin(), text.end());
    EXPECT_NE(std::wstring::npos, text.find(L"Later=bread"));
}

TEST(Notes, SavedSectionHoldsTheSixteenKeysInOrder)
{
    // Keys the file already holds keep their place; the save appends the others in its order.
    const std::wstring ini = NewIniPath();
    WriteNote(ini, L"002", {{L"m_pos_y", L"90"}, {L"m_pos_x", L"80"}, {L"m_cy", L"200"}, {L"m_cx", L"210"},
                            {L"m_clrBkgnd", L"16312779"}, {L"m_by_hidden", L"0"}});
    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    HWND note = p.WaitForWindow(IsNoteWindow);
    ASSERT_TRUE(note);
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(::GetDlgItem(note, kTextArea), WM_SETTEXT, 0,
                          reinterpret_cast<LPARAM>(L"one\r\ntwo\r\nthree"), SMTO_ABORTIFHUNG, 5000, &ignored);
    SaveByCloseRequest(note);
    EXPECT_TRUE(::IsWindowVisible(note)) << "a close request only saves";
    EXPECT_EQ(kSavedKeys, IniKeys(ini, L"002_Notice_set"));
    EXPECT_EQ(L"\\t\\v is \\r\\n max len 8K", IniRead(ini, L"002_Notice_set", L"m_note_str_info"));
    const std::wstring content = IniRead(ini, L"002_Notice_set", L"m_note_str");
    EXPECT_EQ(0u, content.find(L"{\\rtf")) << "rich text";
    EXPECT_NE(std::wstring::npos, content.find(L"\t\v"));
    EXPECT_EQ(std::wstring::npos, content.find(L"\r"));
    EXPECT_EQ(L"80", IniRead(ini, L"002_Notice_set", L"m_pos_x"));
    EXPECT_EQ(L"210", IniRead(ini, L"002_Notice_set", L"m_cx"));

    // And it reads back with its three paragraphs.
    p.Kill();
    QuillProcess again;
    ASSERT_TRUE(Start(again, ini));
    HWND back = again.WaitForWindow(IsNoteWindow);
    ASSERT_TRUE(back);
    EXPECT_EQ(L"one\r\ntwo\r\nthree", Text(back));
}

TEST(Notes, FiftyThousandCharactersSurviveARestart)
{
    std::wstring line;
    for (int i = 0; line.size() < 50000 - 40; ++i)
        line += L"line " + std::to_wstring(i) + L" of a long note\t\v";
    line.append(50000 - line.size(), L'x');
    const std::wstring ini = NewIniPath();
    WriteNote(ini, L"006", {{L"m_cx", L"250"}, {L"m_cy", L"250"}, {L"m_pos_x", L"50"}, {L"m_pos_y", L"50"},
                            {L"m_note_str", line}});
    LRESULT expected = 0;
    {
        QuillProcess p;
        ASSERT_TRUE(Start(p, ini));
        HWND note = p.WaitForWindow(IsNoteWindow);
        ASSERT_TRUE(note);
        expected = TextLength(note);
        EXPECT_GT(expected, 49000);
        EXPECT_NE(std::wstring::npos, Text(note).find(L"xxxxxxxxxx")) << "the end of the text is there";
        SaveByCloseRequest(note);
    }
    EXPECT_GT(IniRead(ini, L"006_Notice_set", L"m_note_str").size(), 50000u);
    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    HWND note = p.WaitForWindow(IsNoteWindow);
    ASSERT_TRUE(note);
    EXPECT_EQ(expected, TextLength(note));
}

TEST(Notes, LongFaceNamesNeitherCrashNorBreakSaving)
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"m_default_font", std::wstring(1000, L'D').c_str());
    WriteNote(ini, L"001", {{L"m_cx", L"200"}, {L"m_cy", L"200"}, {L"m_pos_x", L"50"}, {L"m_pos_y", L"50"},
                            {L"m_font_str", std::wstring(300, L'S')}});
    WriteNote(ini, L"002", {{L"m_cx", L"200"}, {L"m_cy", L"200"}, {L"m_pos_x", L"300"}, {L"m_pos_y", L"50"},
                            {L"m_font_str", std::wstring(1000, L'T')}});
    {
        QuillProcess p;
        ASSERT_TRUE(Start(p, ini));
        ASSERT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 2; }));
        for (HWND note : NoteWindows(p))
            SaveByCloseRequest(note);
        EXPECT_TRUE(p.Running());
    }
    EXPECT_EQ(std::wstring(244, L'S'), IniRead(ini, L"001_Notice_set", L"m_font_str"));
    EXPECT_EQ(std::wstring(244, L'T'), IniRead(ini, L"002_Notice_set", L"m_font_str"));
    EXPECT_EQ(kSavedKeys.size(), IniKeys(ini, L"001_Notice_set").size());
    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    EXPECT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 2; }));
}

TEST(Notes, HandEditedExtremesStillStartAndShowTheOtherNotes)
{
    const std::wstring ini = NewIniPath();
    const wchar_t* sizes[] = {L"0", L"-5", L"30000", L"2147483647"};
    const wchar_t* ids[] = {L"010", L"011", L"012", L"013"};
    for (int i = 0; i < 4; ++i)
        WriteNote(ini, ids[i], {{L"m_cx", sizes[i]}, {L"m_cy", sizes[i]}, {L"m_pos_x", L"2147483647"},
                                {L"m_pos_y", L"-2147483648"}});
    WriteNote(ini, L"014", {{L"m_cx", L"200"}, {L"m_cy", L"200"}, {L"m_pos_x", L"400"}, {L"m_pos_y", L"100"},
                            {L"m_transparency", L"-1"}});
    WriteNote(ini, L"015", {{L"m_cx", L"200"}, {L"m_cy", L"200"}, {L"m_pos_x", L"650"}, {L"m_pos_y", L"100"},
                            {L"m_transparency", L"101"}});
    WriteNote(ini, L"016", {{L"m_cx", L"200"}, {L"m_cy", L"200"}, {L"m_pos_x", L"400"}, {L"m_pos_y", L"350"},
                            {L"m_transparency", L"2147483647"}});
    WriteNote(ini, L"017", {{L"m_cx", L"200"}, {L"m_cy", L"200"}, {L"m_pos_x", L"650"}, {L"m_pos_y", L"350"},
                            {L"m_font_h", L"-2147483648"}, {L"m_note_str", L"huge font"}});
    WriteNote(ini, L"018", {{L"m_cx", L"220"}, {L"m_cy", L"180"}, {L"m_pos_x", L"900"}, {L"m_pos_y", L"600"},
                            {L"m_note_str", L"ordinary"}});
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"1");

    QuillProcess p;
    ASSERT_TRUE(Start(p, ini));
    ASSERT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 9; })) << NoteWindows(p).size();
    HWND ordinary = NoteAt(p, 900, 600);
    ASSERT_TRUE(ordinary);
    EXPECT_TRUE(::IsWindowVisible(ordinary));
    EXPECT_EQ(L"ordinary", Text(ordinary));
    EXPECT_EQ(255, Alpha(NoteAt(p, 400, 100))) << "-1 % counts as 0 %";
    EXPECT_EQ(0, Alpha(NoteAt(p, 650, 100))) << "101 % counts as 100 %";
    EXPECT_EQ(0, Alpha(NoteAt(p, 400, 350)));
    EXPECT_EQ(L"huge font", Text(NoteAt(p, 650, 350)));
    ::Sleep(500);  // the placement's own save and the shadows' first paint
    EXPECT_TRUE(p.Running());
    DWORD_PTR ignored = 0;
    EXPECT_TRUE(::SendMessageTimeoutW(ordinary, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored)) << "still responsive";
}
