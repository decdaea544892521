// The built-in table as the program carries it.
#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring Str(const wchar_t* s)
{
    return s ? std::wstring(s) : std::wstring(L"<null>");
}

// Fixed wordings, a sample with umlauts, tabs, quotes, blanks and long lines; null: the text must be there.
const struct {
    int id;
    const wchar_t* english;
    const wchar_t* german;
} kTexts[] = {
    {7, L"E&xit", L"B&eenden"},
    {8, L"New Note", L"Neue Notiz"},
    {11, L"Delete", L"Löschen"},
    {14, L"Show all", L"Alle Zeitgen"},
    {16, L"Are you sure?", L"Sind Sie sicher?"},
    {25, L"Always on Top", L"Immer im Vordergrund"},
    {28, L"Please select a theme.", L"Bitte wählen ein Theme aus"},
    {35, L"Size", L"Größe"},
    {38, L"Default settings when creating a new desktop note",
     L"Standardeinstellungen beim Erstellen einer neuen Desktopnotiz"},
    {50, L"Random Dark Color", L"Zufällige dunkle Farbe"},
    {52, L"Zufällige Farbe", L"Zufällige Farbe"},
    {58, L"Every Year", L"Jedes Jahr"},
    {62, L"Every first Weekday in Month", L"Jeden ersten Wochentag im Monat"},
    {65, L"Every last Weekday in Quarter", L"Jeder letzten Wochentag im Quartal"},
    {69, L"Yes", L"Ja "},
    {77, L"Language", L"Sprache"},
    {79, L"Run in admin mode", L"Im Admin-Modus ausführen"},
    {91, L"Quillboard is a small Windows tool that lets you create desktop notes on the desktop.",
     L"Quillboard ist ein kleines Windows Tool, womit man die Desktop-Notizen am Desktop erstellen kann."},
    {98, L"-bg\t(Start To-Tray)", L"-bg\t(starte To-Tray)"},
    {99, L"hide\t(Start Hidden)", L"hide\t(Versteckt starten )"},
    {100, L"-ini://path-toini/xxx.ini", L"-ini://path-toini/xxx.ini"},
    {101, nullptr, L"Mehr Infos im FAQ über das Button \"#?\" oder über das \"Hilfe\" Button."},
    {202, L"Uninstall", nullptr},
    {207, L"Start with Windows", nullptr},
    {222, L"File access error", nullptr},
    {242, L"Recommend #AP# ", nullptr},
    {243, L"Send #AP# via e-mail", nullptr},
    {244, L"FAQ", L"FAQ"},
};

class LangTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheLanguageTable().fileMode = 0;
#ifdef _WIN32
        ASSERT_TRUE(LoadLanguageTable());
#else
        std::ifstream in(QB_LANG_TABLE_LZ, std::ios::binary);
        std::vector<uint8_t> s(std::istreambuf_iterator<char>(in), {});
        ASSERT_TRUE(!s.empty() && LoadLanguageTableFromStream(s.data(), s.size()));
#endif
    }
    void TearDown() override
    {
        g_lang_index = savedLang_;
    }

private:
    int savedLang_ = g_lang_index;
};

}  // namespace

TEST_F(LangTable, EveryFixedTextInBothLanguages)
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

TEST_F(LangTable, LookupsHeadersAndCompleteness)
{
    const LanguageTable& t = TheLanguageTable();
    ASSERT_EQ(t.languageCount, 3);
    g_lang_index = 0;
    EXPECT_EQ(Str(GetLangString(8)), L"Neue Notiz");
    EXPECT_EQ(t.strings[0][67], nullptr);
    EXPECT_EQ(Str(GetLangString(67)), L"Program") << "from the base language";
    EXPECT_EQ(GetLangString(39), nullptr);
    for (int lang : {1, 2, 64}) {
        g_lang_index = lang;
        EXPECT_EQ(Str(GetLangString(8)), L"New Note") << "language " << lang;
    }
    EXPECT_EQ(Str(GetHeaderString(19)), L"Quillboard 1.00");
    EXPECT_EQ(GetHeaderString(22), nullptr);
    EXPECT_EQ(t.completeness[0], 99);
    EXPECT_EQ(t.completeness[1], 100);
    EXPECT_EQ(t.completeness[2], 0);
    // Stored with a byte-order mark and CR LF line ends, the form the translators' export copies.
    EXPECT_EQ(t.text[0], wchar_t(0xFEFF));
    const std::wstring& base = t.baseCopy;
    EXPECT_EQ(std::count(base.begin(), base.end(), L'\n'), std::count(base.begin(), base.end(), L'\r'));
}
