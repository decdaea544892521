// The language menu, the translation export and loading a language file, against the built-in table.
#include "lang/LanguageFiles.h"
#include "lang/LanguageMenu.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> FileBytes(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteUtf16(const std::wstring& path, const std::wstring& text)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out.put(char(0xFF)).put(char(0xFE));
    for (wchar_t c : text)
        out.put(char(c & 0xFF)).put(char(c >> 8));
}

class LangMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheLanguageTable().fileMode = 0;
        ASSERT_TRUE(LoadLanguageTable());
    }
    void TearDown() override
    {
        // File mode is process-wide; the other tests of this program expect the built-in texts.
        TheLanguageTable().fileMode = 0;
        g_lang_index = m_savedLang;
    }
    int m_savedLang = g_lang_index;
};

// A base language with IDs 1..20 and a file that lacks `missing` of them (from ID 3 on).
std::wstring ReportWithMissing(int missing)
{
    static std::wstring texts[kLangMaxIds];
    const wchar_t* base[kLangMaxIds] = {};
    const wchar_t* file[kLangMaxIds] = {};
    for (int id = 1; id <= 20; id++) {
        texts[id] = L"t" + std::to_wstring(id);
        base[id] = texts[id].c_str();
        file[id] = id >= 3 && id < 3 + missing ? L"" : L"x";
    }
    file[200] = L"only in the file";
    return ComposeLanguageReport(base, file);
}

}  // namespace

TEST(LangReport, MissingListHasNineLinesThenIdsWithCommas)
{
    const struct {
        int missing;
        const wchar_t* expected;
    } cases[] = {
        {0, L"100 %"},
        {1, L"95 %\n\nmiss:\n3=t3\n"},
        {9, L"55 %\n\nmiss:\n3=t3\n4=t4\n5=t5\n6=t6\n7=t7\n8=t8\n9=t9\n10=t10\n11=t11\n"},
        {12, L"40 %\n\nmiss:\n3=t3\n4=t4\n5=t5\n6=t6\n7=t7\n8=t8\n9=t9\n10=t10\n11=t11\n........\n12,13,14,"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, ReportWithMissing(c.missing)) << c.missing << " missing";
    const wchar_t* none[kLangMaxIds] = {};
    EXPECT_EQ(L"0 %", ComposeLanguageReport(none, none)) << "no base texts: no division by zero";
}

TEST(LangReport, ExportComposition)
{
    EXPECT_EQ(
        L"\r\nPlease don't forget! Write in e-mail subject: Strings for: P 1 and Language Name i.e. : German / "
        L"Deutsch \r\n\r\nR\r\n\r\n##=N\r\n\r\n\r\nS\r\n\r\n",
        ComposeTranslationExport(L"P 1", L"R", L"N", L"S"));
}

TEST_F(LangMenu, SubmenuListsNamedLanguagesWithTheCurrentOneGreyed)
{
    for (int current : {0, 1}) {
        SetCurrentLanguage(current);
        HMENU bar = ::CreateMenu();
        AppendLanguageMenu(bar);
        HMENU sub = ::GetSubMenu(bar, 0);
        ASSERT_TRUE(sub);
        const struct {
            UINT id;
            const wchar_t* text;
        } items[] = {{ID_LANGUAGE_FIRST, L"German\tDeutsch / 99 %"},
                     {ID_LANGUAGE_FIRST + 1, L"Englisch\tEnglish / 100 %"},
                     {0, L""},
                     {ID_TRANSLATE, L"Translate"},
                     {ID_LOAD_LANGUAGE_FILE, L"Load from File (Unicode)"}};
        ASSERT_EQ(5, ::GetMenuItemCount(sub)) << "the empty third language is left out";
        for (int i = 0; i < 5; i++) {
            wchar_t text[100] = {};
            ::GetMenuStringW(sub, i, text, 100, MF_BYPOSITION);
            EXPECT_EQ(items[i].id, ::GetMenuItemID(sub, i)) << i;
            EXPECT_EQ(items[i].text, std::wstring(text)) << i;
            const bool grey = (::GetMenuState(sub, i, MF_BYPOSITION) & MF_GRAYED) != 0;
            if (items[i].id) {  // separators count as greyed
                EXPECT_EQ(i == current, grey) << "item " << i << " with language " << current;
            }
        }
        wchar_t title[50] = {};
        ::GetMenuStringW(bar, 0, title, 50, MF_BYPOSITION);
        EXPECT_EQ(current == 0 ? L"Sprache" : L"Language", std::wstring(title));
        ::DestroyMenu(bar);
    }
}

TEST_F(LangMenu, ExportIsUtf16WithByteOrderMarkAndLoadsBackComplete)
{
    std::wstring opened;
    ASSERT_TRUE(ExportTranslation([&](const std::wstring& path) { opened = path; }));
    ASSERT_EQ(TranslationExportPath(), opened);
    EXPECT_NE(std::wstring::npos, opened.find(L"\\Quillboard_1.00_translate.txt"));
    const LanguageTable& t = TheLanguageTable();
    const std::wstring expected =
        ComposeTranslationExport(GetHeaderString(19), GetHeaderString(25), t.names[1], t.baseCopy);
    const std::vector<unsigned char> bytes = FileBytes(opened);
    ASSERT_EQ(2 + 2 * expected.size(), bytes.size());
    EXPECT_EQ(0xFF, bytes[0]);
    EXPECT_EQ(0xFE, bytes[1]);
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(wchar_t(bytes[i] | bytes[i + 1] << 8));
    EXPECT_EQ(expected, text);

    EXPECT_EQ(L"100 %", LoadLanguageFileReport(opened.c_str()));
    EXPECT_TRUE(t.fileMode);
    ::DeleteFileW(opened.c_str());
}

TEST_F(LangMenu, UnreadableOrEmptyFileReportsZeroAndKeepsTheBuiltInTexts)
{
    const test::TempIniFile file;
    const std::wstring& empty = file.Path();
    WriteUtf16(empty, L"no entry here\r\n[Theme]\r\n");
    for (const std::wstring& path : {empty, empty + L".missing"}) {
        const std::wstring report = LoadLanguageFileReport(path.c_str());
        EXPECT_EQ(0u, report.find(L"0 %\n\nmiss:\n")) << std::string(report.begin(), report.begin() + 20);
        EXPECT_NE(std::wstring::npos, report.find(L"\n........\n"));
        EXPECT_FALSE(TheLanguageTable().fileMode);
        EXPECT_STREQ(L"New Note", GetLangString(8));
    }
}

TEST_F(LangMenu, ExportWithATemporaryFolderPastThePathLimitFailsQuietly)
{
    wchar_t savedTmp[2048] = {}, savedTemp[2048] = {};
    ::GetEnvironmentVariableW(L"TMP", savedTmp, 2048);
    ::GetEnvironmentVariableW(L"TEMP", savedTemp, 2048);
    const std::wstring longTemp = L"C:\\" + std::wstring(246, L'q') + L"\\";
    ASSERT_EQ(250u, longTemp.size());
    ::SetEnvironmentVariableW(L"TMP", longTemp.c_str());
    ::SetEnvironmentVariableW(L"TEMP", longTemp.c_str());
    wchar_t cwd[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, cwd);
    const std::wstring stray = std::wstring(cwd) + L"\\Quillboard_1.00_translate.txt";
    ::DeleteFileW(stray.c_str());

    bool opened = false;
    EXPECT_EQ(L"", TranslationExportPath());
    EXPECT_FALSE(ExportTranslation([&](const std::wstring&) { opened = true; }));
    ::SetEnvironmentVariableW(L"TMP", savedTmp);
    ::SetEnvironmentVariableW(L"TEMP", savedTemp);
    EXPECT_FALSE(opened);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(stray.c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(longTemp.c_str()));
}

TEST_F(LangMenu, FileWithoutNineOrTwelveBaseTextsListsThem)
{
    const wchar_t* const* base = TheLanguageTable().strings[kLangBaseLanguage];
    for (int dropped : {9, 12}) {
        std::wstring file, expected;
        int skipped = 0, count = 0;
        for (int id = 0; id < kLangMaxIds; id++) {
            if (!base[id] || !*base[id])
                continue;
            count++;
            if (id == 0 || skipped == dropped) {  // ID 0 holds the credit lines
                file += std::to_wstring(id) + L"=" + base[id] + L"\r\n";
                continue;
            }
            skipped++;
            expected += skipped <= 9 ? std::to_wstring(id) + L"=" + base[id] + L"\n"
                                     : (skipped == 10 ? L"........\n" : L"") + std::to_wstring(id) + L",";
        }
        const test::TempIniFile path;
        WriteUtf16(path.Path(), file);
        const int percent = int(double(count - dropped) * 100.0 / double(count));
        EXPECT_EQ(std::to_wstring(percent) + L" %\n\nmiss:\n" + expected, LoadLanguageFileReport(path.Path().c_str()));
    }
}
