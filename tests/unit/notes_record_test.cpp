// The note record, its INI persistence and its appearance, against a real note
// window in this process and a fresh INI file per test.
#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "notes/NoteDlg.h"
#include "notes/NoteRecord.h"
#include "notes/NoteText.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <memory>
#include <vector>

namespace {

std::wstring PlainText(HWND text)
{
    GETTEXTLENGTHEX len = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LRESULT n = ::SendMessageW(text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&len), 0);
    std::wstring out(static_cast<size_t>(n) + 1, L'\0');
    GETTEXTEX get = {static_cast<DWORD>((n + 1) * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const LRESULT got =
        ::SendMessageW(text, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&out[0]));
    out.resize(static_cast<size_t>(got));
    return out;
}

class NoteInFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::LoadLibraryW(L"RICHED20.DLL");
        SetConfigPathForTesting(m_file.Path());
    }
    void TearDown() override { m_default_font.SetAndStore(L"Segoe Print"); }
    test::TempIniFile m_file;
};

}  // namespace

TEST_F(NoteInFile, ContentBeyondTheOldBufferIsReadWhole)
{
    // 50 000 characters, far beyond the 8192-character buffer a fixed read would use.
    std::wstring stored;
    for (int i = 0; stored.size() < 50000 - 40; ++i)
        stored += L"line " + std::to_wstring(i) + L" of a long note\r\n";
    stored.append(50000 - stored.size(), L'x');
    std::wstring shown = stored;  // the control ends its paragraphs with a bare CR
    for (size_t at = shown.find(L"\r\n"); at != std::wstring::npos; at = shown.find(L"\r\n", at))
        shown.erase(at + 1, 1);
    WriteProfileString(L"004_Notice_set", L"m_cx", L"300");
    WriteProfileString(L"004_Notice_set", L"m_note_str", EncodeNoteLine(stored).c_str());
    // First as the plain text written above, then as the rich text the save writes.
    for (const char* form : {"plain", "rich"}) {
        auto note = std::make_unique<CNoteDlg>(L"004");
        note->LoadSettings();
        ASSERT_TRUE(note->Create(nullptr));
        EXPECT_EQ(shown, PlainText(note->TextArea())) << form;
        note->SaveNote();
        EXPECT_GT(ReadProfileString(L"004_Notice_set", L"m_note_str").size(), 50000u);
    }
}

TEST_F(NoteInFile, DeletedNoteIsNeverSavedAgain)
{
    WriteProfileString(L"010_Notice", L"a", L"b");
    CNoteDlg note(L"010");
    ASSERT_TRUE(note.Create(nullptr));
    note.SaveNote();
    note.DeleteStoredNote(true);
    EXPECT_TRUE(ReadProfileSection(L"010_Notice_set").empty());
    EXPECT_TRUE(ReadProfileSection(L"010_Notice").empty());
    ::SetWindowTextW(note.TextArea(), L"typed later");
    note.SaveNote();
    EXPECT_TRUE(ReadProfileSection(L"010_Notice_set").empty());
}

TEST_F(NoteInFile, DefaultCharacterFormatHoldsAFaceOfAnyLength)
{
    // A face this long comes from a hand-edited file; the format holds 31 characters and a terminator.
    m_default_font.SetAndStore(std::wstring(1000, L'D'));
    CNoteDlg note(L"020");
    ASSERT_TRUE(note.Create(nullptr));
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    ::SendMessageW(note.TextArea(), EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(std::wstring(31, L'D'), format.szFaceName);
    EXPECT_EQ(252, format.yHeight);
    EXPECT_EQ(238, format.bCharSet);
}

TEST_F(NoteInFile, ColoursAppliedAThousandTimesFreeTheBrushesTheyReplace)
{
    CNoteDlg note(L"021");
    ASSERT_TRUE(note.Create(nullptr));
    for (int i = 0; i < 1000; ++i) {
        HBRUSH oldFrame = note.FrameBrush();
        HBRUSH oldBackground = note.BackgroundBrush();
        note.m_clrBkgnd = RGB(i & 0xFF, 100, 200);
        note.ApplyColorsAndFont();
        ASSERT_EQ(0u, ::GetObjectType(oldFrame)) << "frame brush leaked at round " << i;
        ASSERT_EQ(0u, ::GetObjectType(oldBackground)) << "background brush leaked at round " << i;
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(note.FrameBrush()));
}

TEST_F(NoteInFile, RecordWithoutAWindowSavesItsKeysInOrderAndLoadsThemBack)
{
    NoteRecord saved(L"007");
    saved.m_pos_x = -40;
    saved.m_clrBkgnd = 16312779;
    saved.m_color = 0xFFFFFFFF;  // a full 32-bit COLORREF survives as a signed decimal
    saved.b_bold = 700;
    saved.m_font_h = -15;
    saved.m_font_str = L"Comic Neue";
    saved.m_by_hidden = 1;
    WriteProfileString(L"007_Notice", L"legacy", L"text");
    EXPECT_FALSE(NoteRecord::ProbeNote(7));
    saved.SaveRecord(L"{\\rtf1 one\r\ntwo}");

    const std::vector<std::wstring> order = {L"m_pos_y",    L"m_pos_x",     L"m_cy",       L"m_cx",
                                             L"m_clrBkgnd", L"m_by_hidden", L"m_color",    L"m_transparency",
                                             L"m_ontop",    L"m_closed",    L"b_italic",   L"b_bold",
                                             L"m_font_h",   L"m_font_str",  L"m_note_str", L"m_note_str_info"};
    std::vector<std::wstring> keys;
    const std::wstring section = ReadProfileSection(L"007_Notice_set");
    for (size_t at = 0; at < section.size();) {
        const size_t end = section.find(L"\r\n", at);
        keys.push_back(section.substr(at, section.find(L'=', at) - at));
        at = end == std::wstring::npos ? section.size() : end + 2;
    }
    EXPECT_EQ(order, keys);
    EXPECT_EQ(L"{\\rtf1 one\t\vtwo}", ReadProfileString(L"007_Notice_set", L"m_note_str"));
    EXPECT_EQ(L"-1", ReadProfileString(L"007_Notice_set", L"m_color"));
    EXPECT_TRUE(NoteRecord::ProbeNote(7));

    NoteRecord loaded(L"007");
    loaded.LoadSettings();
    EXPECT_TRUE(loaded.IsLoaded());
    EXPECT_EQ(7, loaded.Number());
    EXPECT_EQ(-40, loaded.m_pos_x);
    EXPECT_EQ(700, loaded.b_bold);
    EXPECT_EQ(-15, loaded.m_font_h);
    EXPECT_EQ(1, loaded.m_by_hidden);
    EXPECT_EQ(16312779u, loaded.m_clrBkgnd);
    EXPECT_EQ(0xFFFFFFFFu, loaded.m_color);
    EXPECT_EQ(L"Comic Neue", loaded.m_font_str);

    loaded.DeleteSections();
    EXPECT_TRUE(ReadProfileSection(L"007_Notice_set").empty());
    EXPECT_TRUE(ReadProfileSection(L"007_Notice").empty());
    EXPECT_FALSE(NoteRecord::ProbeNote(7));
}

TEST_F(NoteInFile, MissingKeysKeepTheirFieldsAndTransparencyComesFromTheDefault)
{
    m_default_transparency.SetAndStore(20);
    WriteProfileString(L"003_Notice_set", L"m_cx", L"300");
    WriteProfileString(L"003_Notice_set", L"m_transparency", L"x9");
    WriteProfileString(L"004_Notice_set", L"m_cx", L"-1000");
    NoteRecord record(L"003");
    record.ResetFromDefaults(10, 20);
    record.m_transparency = 45;
    record.m_by_hidden = 1;
    const int height = record.m_cy;
    record.LoadSettings();
    EXPECT_EQ(300, record.m_cx);
    EXPECT_EQ(height, record.m_cy) << "missing: kept";
    EXPECT_EQ(110, record.m_pos_x) << "the cursor plus 100";
    EXPECT_EQ(0, record.m_transparency) << "no leading digits: 0";
    EXPECT_EQ(0, record.m_by_hidden);
    EXPECT_TRUE(NoteRecord::ProbeNote(3));
    EXPECT_FALSE(NoteRecord::ProbeNote(4)) << "-1000 marks no note";
    NoteRecord fresh(L"005");
    fresh.ResetFromDefaults(0, 0);
    fresh.LoadSettings();
    EXPECT_EQ(20, fresh.m_transparency) << "no key: the default transparency";
    m_default_transparency.SetAndStore(0);
}
