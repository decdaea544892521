// The language menu and the report of a loaded language file, against the built-in table. (The export and
// its loading back run end to end.)
#include "lang/LanguageFiles.h"
#include "lang/LanguageMenu.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "tests/TestSupport.h"
#include "tests/unit/LangState.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

void WriteUtf16(const std::wstring& path, const std::wstring& text)
{
    std::ofstream out(path.c_str(), std::ios::binary);
    out.put(char(0xFF)).put(char(0xFE));
    for (wchar_t c : text)
        out.put(char(c & 0xFF)).put(char(c >> 8));
}

using LangMenu = LangStateTest;

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

TEST_F(LangMenu, SubmenuListsNamedLanguagesWithTheCurrentOneGreyed)
{
    for (int current : {0, 1}) {
        SetCurrentLanguage(current);
        HMENU bar = ::CreateMenu();
        AppendLanguageMenu(bar);
        HMENU menu = ::GetSubMenu(bar, 0);
        ASSERT_TRUE(menu);
        std::vector<std::wstring> items;  // id and text, then "(grey)" for a greyed item
        for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
            wchar_t text[100] = {};
            ::GetMenuStringW(menu, i, text, 100, MF_BYPOSITION);
            const bool grey = (::GetMenuState(menu, i, MF_BYPOSITION) & MF_GRAYED) && ::GetMenuItemID(menu, i);
            items.push_back(std::to_wstring(::GetMenuItemID(menu, i)) + L" " + text + (grey ? L" (grey)" : L""));
        }
        const std::wstring mark[] = {current == 0 ? L" (grey)" : L"", current == 1 ? L" (grey)" : L""};
        EXPECT_EQ(items, (std::vector<std::wstring>{
                             std::to_wstring(ID_LANGUAGE_FIRST) + L" German\tDeutsch / 99 %" + mark[0],
                             std::to_wstring(ID_LANGUAGE_FIRST + 1) + L" Englisch\tEnglish / 100 %" + mark[1], L"0 ",
                             std::to_wstring(ID_TRANSLATE) + L" Translate",
                             std::to_wstring(ID_LOAD_LANGUAGE_FILE) + L" Load from File (Unicode)"}))
            << "the empty third language is left out";
        ::DestroyMenu(bar);
    }
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

TEST_F(LangMenu, TranslationExportWithATemporaryFolderPastThePathLimitFailsQuietly)
{
    wchar_t saved[2][2048] = {};
    const wchar_t* names[] = {L"TMP", L"TEMP"};
    const std::wstring longTemp = L"C:\\" + std::wstring(246, L'q') + L"\\";  // 250 characters
    for (int i = 0; i < 2; ++i) {
        ::GetEnvironmentVariableW(names[i], saved[i], 2048);
        ::SetEnvironmentVariableW(names[i], longTemp.c_str());
    }
    bool opened = false;
    EXPECT_EQ(L"", TranslationExportPath());
    EXPECT_FALSE(ExportTranslation([&](const std::wstring&) { opened = true; }));
    for (int i = 0; i < 2; ++i)
        ::SetEnvironmentVariableW(names[i], saved[i]);
    EXPECT_FALSE(opened);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(L"Quillboard_1.00_translate.txt")) << "no stray file here";
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(longTemp.c_str()));
}
