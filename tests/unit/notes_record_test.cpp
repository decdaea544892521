// The note record, its INI persistence and its appearance, against a real note window in this process and a
// fresh INI file per test. (A long note and the order of the saved keys are checked end to end.)
#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "notes/NoteDlg.h"
#include "notes/NoteRecord.h"
#include "notes/NoteText.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>
#include <richedit.h>

namespace {

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

TEST_F(NoteInFile, RecordWithoutAWindowSavesAndLoadsBack)
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

    EXPECT_EQ(L"{\\rtf1 one\t\vtwo}", ReadProfileString(L"007_Notice_set", L"m_note_str"));
    EXPECT_EQ(L"-1", ReadProfileString(L"007_Notice_set", L"m_color"));
    EXPECT_TRUE(NoteRecord::ProbeNote(7));

    NoteRecord loaded(L"007");
    loaded.LoadSettings();
    EXPECT_TRUE(loaded.IsLoaded() && loaded.Number() == 7);
    auto fields = [](const NoteRecord& r) {
        return std::to_wstring(r.m_pos_x) + L" " + std::to_wstring(r.b_bold) + L" " + std::to_wstring(r.m_font_h) +
               L" " + std::to_wstring(r.m_by_hidden) + L" " + std::to_wstring(r.m_clrBkgnd) + L" " +
               std::to_wstring(r.m_color) + L" " + r.m_font_str;
    };
    EXPECT_EQ(fields(saved), fields(loaded));

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
