// The default settings, the note record and its INI persistence, against a
// real note window in this process.
#include "notes/NoteDlg.h"
#include "notes/NoteTable.h"
#include "notes/NoteText.h"
#include "notes_test_util.h"

#include <richedit.h>

#include <memory>

using notes_test::NotesFixture;
using notes_test::Pump;
using notes_test::SectionKeys;

namespace {

std::wstring PlainText(HWND text)
{
    GETTEXTLENGTHEX len = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT n = ::SendMessageW(text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    std::wstring out(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX get = {static_cast<DWORD>((n + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const LRESULT got = ::SendMessageW(text, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                       reinterpret_cast<LPARAM>(&out[0]));
    out.resize(static_cast<size_t>(got));
    return out;
}

std::unique_ptr<CNoteDlg> OpenNote(const wchar_t* id, bool loadSettings = true)
{
    auto note = std::make_unique<CNoteDlg>(id);
    if (loadSettings)
        note->LoadSettings();
    EXPECT_TRUE(note->Create(nullptr));
    return note;
}

class DefaultSettings : public NotesFixture {};
class NoteRecord : public NotesFixture {};

}  // namespace

TEST_F(DefaultSettings, MissingFileKeepsTheBuiltInValues)
{
    LoadDefaultSettings();
    EXPECT_EQ(1, m_default_note_theme.Get());
    EXPECT_EQ(1, m_default_bg_color.Get());
    EXPECT_EQ(0x002CFFFF, m_custom_bg_color.Get());
    EXPECT_EQ(0, m_default_fg_color.Get());
    EXPECT_EQ(44, m_custom_fg_color.Get());
    EXPECT_EQ(0, m_default_transparency.Get());
    EXPECT_EQ(0, m_default_on_top.Get());
    EXPECT_EQ(0, m_hide_bar.Get());
    EXPECT_EQ(L"Segoe Print", m_default_font.Get());
    EXPECT_EQ(-21, m_default_font_size.Get());
    EXPECT_EQ(400, m_default_font_bold.Get());
    EXPECT_EQ(0, m_default_font_italic.Get());
    EXPECT_EQ(L"250", m_default_note_size.Get());
    EXPECT_EQ(0, m_default_note_time_task.Get());
    EXPECT_EQ(1, wd_checked_cur.Get());
}

TEST_F(DefaultSettings, StoredValuesAreTakenWithoutRangeLimits)
{
    WriteProfileString(L"Quillboard", L"m_default_bg_color", L"7");
    WriteProfileString(L"Quillboard", L"m_default_transparency", L"abc");
    WriteProfileString(L"Quillboard", L"m_default_font_size", L" -30px");
    WriteProfileString(L"Program", L"m_default_font", L"Comic Neue");
    WriteProfileString(L"Program", L"m_default_note_size", L"500");
    // Integers live in the main section only, texts in "Program" only.
    WriteProfileString(L"Program", L"m_default_note_theme", L"2");
    WriteProfileString(L"Quillboard", L"m_default_note_size", L"100");
    LoadDefaultSettings();
    EXPECT_EQ(7, m_default_bg_color.Get());
    EXPECT_EQ(0, m_default_transparency.Get()) << "a value that is no number reads as 0";
    EXPECT_EQ(-30, m_default_font_size.Get());
    EXPECT_EQ(L"Comic Neue", m_default_font.Get());
    EXPECT_EQ(L"500", m_default_note_size.Get());
    EXPECT_EQ(1, m_default_note_theme.Get());
}

TEST_F(DefaultSettings, SetAndStoreWritesAtOnceAndTextsOnlyWhenChanged)
{
    m_default_transparency.SetAndStore(30);
    EXPECT_EQ(L"30", ReadProfileString(L"Quillboard", L"m_default_transparency", L"<missing>"));
    m_default_transparency.SetAndStore(30);
    EXPECT_EQ(L"30", ReadProfileString(L"Quillboard", L"m_default_transparency", L"<missing>"));

    ::DeleteFileW(m_path.c_str());
    m_default_font.SetAndStore(L"Segoe Print");
    EXPECT_EQ(L"<missing>", ReadProfileString(L"Program", L"m_default_font", L"<missing>")) << "unchanged: not written";
    m_default_font.SetAndStore(L"segoe print");
    EXPECT_EQ(L"segoe print", ReadProfileString(L"Program", L"m_default_font", L"<missing>")) << "case counts";
}

TEST_F(NoteRecord, NewNoteTakesTheDefaults)
{
    CNoteDlg note(L"000");
    EXPECT_EQ(250, note.m_cx);
    EXPECT_EQ(250, note.m_cy);
    EXPECT_EQ(L"Segoe Print", note.m_font_str);
    EXPECT_EQ(-21, note.m_font_h);
    EXPECT_EQ(400, note.b_bold);
    EXPECT_EQ(0, note.b_italic);
    EXPECT_EQ(0, note.m_transparency);
    EXPECT_EQ(0, note.m_ontop);
    EXPECT_EQ(1, note.Theme());
    EXPECT_EQ(0, note.m_time_note);
    for (int shift : {0, 8, 16}) {
        EXPECT_GE((note.m_clrBkgnd >> shift) & 0xFF, 128u) << "light background";
        EXPECT_LT((note.m_color >> shift) & 0xFF, 96u) << "dark text";
    }
    POINT cursor;
    ::GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x + 100, note.m_pos_x);
}

TEST_F(NoteRecord, NewNoteSizeIsClampedAndCustomColoursUsed)
{
    m_default_note_size.SetAndStore(L"500");
    m_default_bg_color.SetAndStore(3);
    m_default_fg_color.SetAndStore(3);
    m_custom_fg_color.SetAndStore(0x00112233);
    m_default_note_theme.SetAndStore(2);
    m_default_transparency.SetAndStore(20);
    CNoteDlg big(L"000");
    EXPECT_EQ(400, big.m_cx);
    EXPECT_EQ(400, big.m_cy);
    EXPECT_EQ(0x002CFFFFu, big.m_clrBkgnd);
    EXPECT_EQ(0x00112233u, big.m_color);
    EXPECT_EQ(2, big.Theme());
    EXPECT_EQ(20, big.m_transparency);

    m_default_note_size.SetAndStore(L"50");
    CNoteDlg small(L"001");
    EXPECT_EQ(100, small.m_cx);
}

TEST_F(NoteRecord, ProbeFindsANoteByItsWidthKey)
{
    EXPECT_FALSE(CNoteDlg::ProbeNote(3));
    WriteProfileString(L"003_Notice", L"line", L"legacy only");
    EXPECT_FALSE(CNoteDlg::ProbeNote(3)) << "a legacy section alone is no note";
    WriteProfileString(L"003_Notice_set", L"m_pos_x", L"10");
    EXPECT_FALSE(CNoteDlg::ProbeNote(3)) << "no m_cx, no note";
    WriteProfileString(L"003_Notice_set", L"m_cx", L"-1000");
    EXPECT_FALSE(CNoteDlg::ProbeNote(3));
    WriteProfileString(L"003_Notice_set", L"m_cx", L"-999");
    EXPECT_TRUE(CNoteDlg::ProbeNote(3));
    EXPECT_FALSE(CNoteDlg::ProbeNote(30));
}

TEST_F(NoteRecord, SaveWritesSixteenKeysInOrder)
{
    auto note = OpenNote(L"007", false);
    ::SetWindowTextW(note->TextArea(), L"First\r\nSecond\r\nThird");
    note->SaveNote();
    const std::vector<std::wstring> expected = {
        L"m_pos_y", L"m_pos_x", L"m_cy", L"m_cx", L"m_clrBkgnd", L"m_by_hidden", L"m_color", L"m_transparency",
        L"m_ontop", L"m_closed", L"b_italic", L"b_bold", L"m_font_h", L"m_font_str", L"m_note_str",
        L"m_note_str_info"};
    EXPECT_EQ(expected, SectionKeys(L"007_Notice_set"));
    EXPECT_EQ(kNoteStrInfo, ReadProfileString(L"007_Notice_set", L"m_note_str_info"));
    EXPECT_EQ(L"<none>", ReadProfileString(L"007_Notice", L"m_note_str", L"<none>")) << "legacy section never written";

    const std::wstring line = ReadProfileString(L"007_Notice_set", L"m_note_str");
    EXPECT_TRUE(LooksLikeRtf(line));
    EXPECT_NE(std::wstring::npos, line.find(L"\t\v"));
    EXPECT_EQ(std::to_wstring(static_cast<int>(note->m_clrBkgnd)), ReadProfileString(L"007_Notice_set", L"m_clrBkgnd"));
}

TEST_F(NoteRecord, ThreeParagraphsComeBackAfterARestart)
{
    {
        auto note = OpenNote(L"002", false);
        ::SetWindowTextW(note->TextArea(), L"First\r\nSecond\r\nThird");
        note->SaveNote();
        note->DeleteStoredNote(false);  // only to check that the next save puts everything back
        note->SaveNote();
    }
    auto again = OpenNote(L"002");
    EXPECT_EQ(L"First\rSecond\rThird", PlainText(again->TextArea()));
}

TEST_F(NoteRecord, LongContentIsReadWhole)
{
    // Far beyond the 8192-character buffer a fixed read would use.
    std::wstring stored = L"end";
    for (int i = 0; stored.size() < 50000 - 40; ++i)
        stored.insert(0, L"line " + std::to_wstring(i) + L" of a long note\r\n");
    stored.insert(0, 50000 - stored.size(), L'x');
    ASSERT_EQ(50000u, stored.size());
    // The control ends its paragraphs with a bare CR.
    std::wstring shown = stored;
    for (size_t at = shown.find(L"\r\n"); at != std::wstring::npos; at = shown.find(L"\r\n", at))
        shown.erase(at + 1, 1);

    WriteProfileString(L"004_Notice_set", L"m_cx", L"300");
    WriteProfileString(L"004_Notice_set", L"m_note_str", EncodeNoteLine(stored).c_str());
    {
        auto note = OpenNote(L"004");
        const std::wstring got = PlainText(note->TextArea());
        ASSERT_EQ(shown.size(), got.size());
        EXPECT_EQ(shown, got);
        note->SaveNote();
    }
    // And as rich text through a save and a load.
    EXPECT_GT(ReadProfileString(L"004_Notice_set", L"m_note_str").size(), 50000u);
    auto again = OpenNote(L"004");
    EXPECT_EQ(shown, PlainText(again->TextArea()));
}

TEST_F(NoteRecord, LegacyLinesAreTheFallbackContent)
{
    WriteProfileString(L"005_Notice", L"Shopping", L"milk");
    WriteProfileString(L"005_Notice", L"Later", L"bread");
    WriteProfileString(L"005_Notice_set", L"m_cx", L"200");
    auto note = OpenNote(L"005");
    EXPECT_EQ(L"Shopping=milk\rLater=bread\r", PlainText(note->TextArea()));

    // A stored m_note_str wins over the legacy section.
    WriteProfileString(L"006_Notice", L"old", L"text");
    WriteProfileString(L"006_Notice_set", L"m_cx", L"200");
    WriteProfileString(L"006_Notice_set", L"m_note_str", L"new\t\vtext");
    auto newer = OpenNote(L"006");
    EXPECT_EQ(L"new\rtext", PlainText(newer->TextArea()));
}

TEST_F(NoteRecord, LoadReadsEveryKeyAndTakesValuesAsTheyAre)
{
    m_default_transparency.SetAndStore(40);
    const wchar_t* s = L"008_Notice_set";
    WriteProfileString(s, L"m_pos_x", L"-30");
    WriteProfileString(s, L"m_pos_y", L"40");
    WriteProfileString(s, L"m_cx", L"20");
    WriteProfileString(s, L"m_cy", L"150");
    WriteProfileString(s, L"m_clrBkgnd", L"16312779");
    WriteProfileString(s, L"m_color", L"44");
    WriteProfileString(s, L"m_transparency", L"90");
    WriteProfileString(s, L"m_ontop", L"1");
    WriteProfileString(s, L"m_closed", L"1");
    WriteProfileString(s, L"b_bold", L"700");
    WriteProfileString(s, L"b_italic", L"1");
    WriteProfileString(s, L"m_font_h", L"-30");
    WriteProfileString(s, L"m_font_str", L"Tahoma");
    WriteProfileString(s, L"m_by_hidden", L"1");
    CNoteDlg note(L"008");
    note.LoadSettings();
    EXPECT_EQ(-30, note.m_pos_x);
    EXPECT_EQ(40, note.m_pos_y);
    EXPECT_EQ(20, note.m_cx);
    EXPECT_EQ(150, note.m_cy);
    EXPECT_EQ(16312779u, note.m_clrBkgnd);
    EXPECT_EQ(44u, note.m_color);
    EXPECT_EQ(90, note.m_transparency);
    EXPECT_EQ(1, note.m_ontop);
    EXPECT_EQ(1, note.m_closed);
    EXPECT_EQ(700, note.b_bold);
    EXPECT_EQ(1, note.b_italic);
    EXPECT_EQ(-30, note.m_font_h);
    EXPECT_EQ(L"Tahoma", note.m_font_str);
    EXPECT_EQ(1, note.m_by_hidden);

    // Missing keys: transparency from the defaults, hidden 0.
    WriteProfileString(L"009_Notice_set", L"m_cx", L"200");
    CNoteDlg bare(L"009");
    bare.LoadSettings();
    EXPECT_EQ(40, bare.m_transparency);
    EXPECT_EQ(0, bare.m_by_hidden);
    EXPECT_EQ(200, bare.m_cx);
    EXPECT_EQ(250, bare.m_cy);
}

TEST_F(NoteRecord, DeleteRemovesBothSectionsAndMarkMakesItDeleted)
{
    WriteProfileString(L"010_Notice", L"a", L"b");
    auto note = OpenNote(L"010", false);
    ::SetWindowTextW(note->TextArea(), L"keep me");
    note->SaveNote();
    note->ShowWindow(SW_SHOWNA);

    note->DeleteStoredNote(true);
    EXPECT_TRUE(SectionKeys(L"010_Notice_set").empty());
    EXPECT_TRUE(SectionKeys(L"010_Notice").empty());
    EXPECT_TRUE(note->IsDeleted());
    EXPECT_TRUE(note->IsClosedWhileEmpty());
    EXPECT_FALSE(::IsWindowVisible(note->m_hWnd));
    EXPECT_EQ(0, ::GetWindowTextLengthW(note->TextArea()));

    // A deleted note is never saved, not even after its text changes.
    ::SetWindowTextW(note->TextArea(), L"typed later");
    note->SaveNote();
    Pump(400);
    EXPECT_TRUE(SectionKeys(L"010_Notice_set").empty());

    // A fresh record for the reused slot makes it live again.
    note->InitFromDefaults();
    EXPECT_FALSE(note->IsDeleted());
    note->SaveNote();
    EXPECT_FALSE(SectionKeys(L"010_Notice_set").empty());
}

TEST_F(NoteRecord, DeleteWithoutMarkKeepsTheNoteLive)
{
    auto note = OpenNote(L"011", false);
    note->SaveNote();
    note->DeleteStoredNote(false);
    EXPECT_TRUE(SectionKeys(L"011_Notice_set").empty());
    EXPECT_FALSE(note->IsDeleted());
    note->SaveNote();
    EXPECT_EQ(16u, SectionKeys(L"011_Notice_set").size());
}

TEST_F(NoteRecord, SingleKeyReadAndWrite)
{
    CNoteDlg note(L"012");
    int value = 77;
    note.ReadKeyInt(L"m_pos_x", value);
    EXPECT_EQ(77, value) << "missing key keeps the current value";
    note.WriteKeyInt(L"m_pos_x", -5);
    EXPECT_EQ(L"-5", ReadProfileString(L"012_Notice_set", L"m_pos_x"));
    note.ReadKeyInt(L"m_pos_x", value);
    EXPECT_EQ(-5, value);
}

TEST_F(NoteRecord, TextChangesAreSavedAfterAPause)
{
    auto note = OpenNote(L"013", false);
    Pump(400);  // the placement's own size save
    DeleteProfileSection(L"013_Notice_set");
    ::SetWindowTextW(note->TextArea(), L"typed");
    EXPECT_TRUE(SectionKeys(L"013_Notice_set").empty()) << "not at once";
    EXPECT_TRUE(notes_test::PumpUntil([] { return !SectionKeys(L"013_Notice_set").empty(); }));
    EXPECT_NE(std::wstring::npos, ReadProfileString(L"013_Notice_set", L"m_note_str").find(L"typed"));
}

TEST_F(NoteRecord, ShowingWritesTheHiddenFlagAtOnce)
{
    WriteProfileString(L"014_Notice_set", L"m_cx", L"200");
    WriteProfileString(L"014_Notice_set", L"m_by_hidden", L"1");
    auto note = OpenNote(L"014");
    EXPECT_EQ(1, note->m_by_hidden);
    note->ShowWindow(SW_SHOWNA);
    EXPECT_EQ(0, note->m_by_hidden);
    EXPECT_EQ(L"0", ReadProfileString(L"014_Notice_set", L"m_by_hidden"));
}

TEST_F(NoteRecord, LoadAllCreatesAWindowPerStoredNote)
{
    WriteProfileString(L"000_Notice_set", L"m_cx", L"210");
    WriteProfileString(L"007_Notice_set", L"m_cx", L"220");
    WriteProfileString(L"007_Notice_set", L"m_by_hidden", L"1");
    WriteProfileString(L"005_Notice", L"legacy", L"only");
    WriteProfileString(L"009_Notice_set", L"m_cx", L"-1000");
    LoadAllNotes();
    int count = 0;
    for (int n = 0; n < kMaxNotes; ++n)
        count += GetNote(n) != nullptr;
    EXPECT_EQ(2, count);
    ASSERT_TRUE(GetNote(0));
    ASSERT_TRUE(GetNote(7));
    EXPECT_TRUE(::IsWindowVisible(GetNote(0)->m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(GetNote(7)->m_hWnd)) << "stored as hidden";
    RECT rc;
    ::GetWindowRect(GetNote(7)->m_hWnd, &rc);
    EXPECT_EQ(220, rc.right - rc.left);
    notes_test::ResetNoteTableForTestingAndPump();
}
