// The built-in table as the program carries it.
#include "lang/LanguageTable.h"
#include "tests/unit/LangState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::wstring Str(const wchar_t* s)
{
    return s ? std::wstring(s) : std::wstring(L"<null>");
}

// Texts with umlauts, a tab, quotes, a trailing blank, a marker and a long line; null: the text must be there.
const struct {
    int id;
    const wchar_t* english;
    const wchar_t* german;
} kTexts[] = {
    {8, L"New Note", L"Neue Notiz"},
    {35, L"Size", L"Größe"},
    {69, L"Yes", L"Ja "},
    {91, L"Quillboard is a small Windows tool that lets you create desktop notes on the desktop.",
     L"Quillboard ist ein kleines Windows Tool, womit man die Desktop-Notizen am Desktop erstellen kann."},
    {98, L"-bg\t(Start To-Tray)", L"-bg\t(starte To-Tray)"},
    {101, nullptr, L"Mehr Infos im FAQ über das Button \"#?\" oder über das \"Hilfe\" Button."},
    {202, L"Uninstall", nullptr},
    {242, L"Recommend #AP# ", nullptr},
};

using LangTable = LangStateTest;

}  // namespace

TEST_F(LangTable, SampleTextsInBothLanguages)
{
    const LanguageTable& t = TheLanguageTable();
    for (const auto& x : kTexts) {
        for (int lang : {0, 1}) {
            const wchar_t* want = lang == 0 ? x.german : x.english;
            const wchar_t* got = t.strings[lang][x.id];
            if (want) {
                EXPECT_EQ(Str(got), want) << "language " << lang << ", ID " << x.id;
            } else {
                EXPECT_TRUE(got && *got) << "language " << lang << " lacks ID " << x.id;
            }
        }
    }
}

// (The title's header text and the first two languages' completeness show end to end and in the language menu.)
TEST_F(LangTable, LookupsFallBackToTheBaseLanguage)
{
    const LanguageTable& t = TheLanguageTable();
    ASSERT_EQ(t.languageCount, 3);
    g_lang_index = 0;
    EXPECT_EQ(t.strings[0][67], nullptr);
    EXPECT_EQ(Str(GetLangString(67)), L"Program") << "from the base language";
    EXPECT_EQ(GetLangString(39), nullptr);
    for (int lang : {1, 2, 64}) {
        g_lang_index = lang;
        EXPECT_EQ(Str(GetLangString(8)), L"New Note") << "language " << lang;
    }
    EXPECT_EQ(GetHeaderString(22), nullptr);
    EXPECT_EQ(t.completeness[2], 0) << "the empty third language";
    // Stored with a byte-order mark and CR LF line ends, the form the translators' export copies.
    EXPECT_EQ(t.text[0], wchar_t(0xFEFF));
    const std::wstring& base = t.baseCopy;
    EXPECT_EQ(std::count(base.begin(), base.end(), L'\n'), std::count(base.begin(), base.end(), L'\r'));
}
