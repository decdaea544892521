// The built-in table as the program carries it.
#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

std::wstring Str(const wchar_t* s)
{
    return s ? std::wstring(s) : std::wstring(L"<null>");
}

struct Text {
    int id;
    const wchar_t* english;
    const wchar_t* german; // null: the German section lacks the ID
};

// Every text whose wording is fixed, as the program must show it.
const Text kTexts[] = {
    {6, L"Cancel", L"Abbruch"},
    {7, L"E&xit", L"B&eenden"},
    {8, L"New Note", L"Neue Notiz"},
    {9, L"New Desktop Note", L"Neue Desktop Notiz"},
    {10, L"New time capsule", L"Neue Zeitkapsel"},
    {11, L"Delete", L"Löschen"},
    {12, L"Delete all", L"Alle Löschen"},
    {13, L"Delete all time capsule", L"Alle Zeitkapsel Löschen"},
    {14, L"Show all", L"Alle Zeitgen"},
    {15, L"Hide all", L"Alle Ausblenden"},
    {16, L"Are you sure?", L"Sind Sie sicher?"},
    {23, L"Help", L"Hilfe"},
    {24, L"Info", L"Info"},
    {25, L"Always on Top", L"Immer im Vordergrund"},
    {26, L"Paths", L"Pfade"},
    {27, L"Disable", L"Deaktivieren"},
    {28, L"Please select a theme.", L"Bitte wählen ein Theme aus"},
    {30, L"Theme", L"Theme"},
    {31, L"Color", L"Farbe"},
    {32, L"Transparency", L"Transparenz"},
    {33, L"Font", L"Schrift"},
    {34, L"Always on Top", L"Immer im Vordergrund"},
    {35, L"Size", L"Größe"},
    {36, L"Text Color", L"Text Farbe"},
    {37, L"Type", L"Typ"},
    {38, L"Default settings when creating a new desktop note",
     L"Standardeinstellungen beim Erstellen einer neuen Desktopnotiz"},
    {41, L"Simple", L"Einfach"},
    {42, L"Simple with shadows", L"Einfach mit Schatten"},
    {43, L"Simple with shadow in note color", L"Einfach mit Schatten in Notiz Farbe"},
    {50, L"Random Dark Color", L"Zufällige dunkle Farbe"},
    {51, L"Random Light Color", L"Zufällige helle Farbe"},
    {52, L"Zufällige Farbe", L"Zufällige Farbe"},
    {53, L"Custom Color", L"Benutzerdefinierte Farbe"},
    {55, L"Next note on", L"Nächster Hinweis am"},
    {56, L"Time Capsule", L"Zeitkapsel"},
    {57, L"Simple time note", L"Einfache Zeitnotiz"},
    {58, L"Every Year", L"Jedes Jahr"},
    {59, L"Every Month", L"Jeden Monat"},
    {60, L"Every Month Last Day", L"Jeden letzten Tag des Monats"},
    {61, L"Every Weekday", L"Jeden Wochentag"},
    {62, L"Every first Weekday in Month", L"Jeden ersten Wochentag im Monat"},
    {63, L"Every last Weekday in Month", L"Jeden letzten Wochentag im Monat"},
    {64, L"Every first Weekday in Quarter", L"Jeder ersten Wochentag im Quartal"},
    {65, L"Every last Weekday in Quarter", L"Jeder letzten Wochentag im Quartal"},
    {67, L"Program", nullptr},
    {68, L"No", L"Nein"},
    {69, L"Yes", L"Ja "},
    {77, L"Language", L"Sprache"},
    {78, L"Donate", L"Spenden"},
    {79, L"Run in admin mode", L"Im Admin-Modus ausführen"},
    {80, L"Note-Pad", L"Note-Pad"},
    {81, L"Word-Pad", L"Word-Pad"},
    {82, L"Hide bars automatically", L"Leisten automatisch ausblenden"},
    {90, L"Info", L"Info"},
    {91, L"Quillboard is a small Windows tool that lets you create desktop notes on the desktop.",
     L"Quillboard ist ein kleines Windows Tool, womit man die Desktop-Notizen am Desktop erstellen kann."},
    {92, L"With various options and customizations, as more and more Windows 10 users wanted it",
     L"Mit verschiedenen Optionen und Anpassungen, da es von immer mehr Windows 10 Anwendern gewünscht wurde"},
    {97, L"Quillboard.exe Command-Line Options:", L"Quillboard.exe Befehlszeilenoptionen:"},
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
    {245, L"History", L"History"},
    {246, L"Homepage", L"Homepage"},
};

bool LoadBuiltTable()
{
#ifdef _WIN32
    return LoadLanguageTable();
#else
    std::vector<uint8_t> stream;
    if (FILE* f = std::fopen(QB_LANG_TABLE_LZ, "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF)
            stream.push_back(uint8_t(c));
        std::fclose(f);
    }
    return !stream.empty() && LoadLanguageTableFromStream(stream.data(), stream.size());
#endif
}

class LangTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLang_ = g_lang_index;
        TheLanguageTable().fileMode = 0;
        ASSERT_TRUE(LoadBuiltTable());
    }
    void TearDown() override { g_lang_index = savedLang_; }

private:
    int savedLang_ = 1;
};

int NonEmptyCount(int lang)
{
    int n = 0;
    for (const wchar_t* s : TheLanguageTable().strings[lang])
        n += s != nullptr && *s != 0;
    return n;
}

} // namespace

TEST_F(LangTable, EveryFixedTextInBothLanguages)
{
    const LanguageTable& t = TheLanguageTable();
    for (const Text& x : kTexts) {
        SCOPED_TRACE(testing::Message() << "ID " << x.id);
        if (x.english) {
            EXPECT_EQ(Str(t.strings[1][x.id]), x.english);
        } else {
            EXPECT_NE(t.strings[1][x.id], nullptr);
        }
        if (x.german) {
            EXPECT_EQ(Str(t.strings[0][x.id]), x.german);
        } else if (x.id != 67) {
            EXPECT_NE(t.strings[0][x.id], nullptr);
        }
    }
    EXPECT_EQ(t.strings[0][67], nullptr);
}

TEST_F(LangTable, RangesTheProgramAsksFor)
{
    const LanguageTable& t = TheLanguageTable();
    std::vector<int> ids = {0, 101};
    for (int id = 140; id <= 151; id++)
        ids.push_back(id);
    for (int id = 200; id <= 222; id++)
        ids.push_back(id);
    for (int id = 240; id <= 246; id++)
        ids.push_back(id);
    for (int id : ids) {
        for (int lang : {0, 1}) {
            EXPECT_TRUE(t.strings[lang][id] && *t.strings[lang][id]) << "language " << lang << " lacks ID " << id;
            if (t.strings[lang][id]) {
                EXPECT_EQ(std::wstring(t.strings[lang][id]).find(L"#AP#") == std::wstring::npos,
                          id != 242 && id != 243)
                    << "ID " << id << ": only the recommend texts carry the program-name placeholder";
            }
        }
    }
}

TEST_F(LangTable, LookupRules)
{
    g_lang_index = 0;
    EXPECT_EQ(Str(GetLangString(8)), L"Neue Notiz");
    EXPECT_EQ(Str(GetLangString(67)), L"Program");
    EXPECT_EQ(GetLangString(39), nullptr);
    g_lang_index = 1;
    EXPECT_EQ(Str(GetLangString(8)), L"New Note");
    EXPECT_EQ(GetLangString(39), nullptr);
    g_lang_index = 2;
    EXPECT_EQ(Str(GetLangString(8)), L"New Note");
    g_lang_index = 64;
    EXPECT_EQ(Str(GetLangString(8)), L"New Note");
}

TEST_F(LangTable, LanguagesAndCompleteness)
{
    const LanguageTable& t = TheLanguageTable();
    ASSERT_EQ(t.languageCount, 3);
    EXPECT_EQ(Str(t.names[0]), L"German\tDeutsch");
    EXPECT_EQ(Str(t.names[1]), L"Englisch\tEnglish");
    EXPECT_EQ(t.names[2], nullptr);
    EXPECT_EQ(NonEmptyCount(1), 105);
    EXPECT_EQ(NonEmptyCount(0), 104);
    EXPECT_EQ(NonEmptyCount(2), 0);
    EXPECT_EQ(t.completeness[0], 99);
    EXPECT_EQ(t.completeness[1], 100);
    EXPECT_EQ(t.completeness[2], 0);
    ASSERT_NE(t.freeText[0], nullptr);
    ASSERT_NE(t.freeText[1], nullptr);
    EXPECT_NE(*t.freeText[0], 0);
    EXPECT_NE(*t.freeText[1], 0);
}

TEST_F(LangTable, StoredForm)
{
    const LanguageTable& t = TheLanguageTable();
    EXPECT_EQ(t.text[0], wchar_t(0xFEFF));
    // The base copy is the English section as stored: CR LF line ends, headings, credit lines.
    const std::wstring& base = t.baseCopy;
    EXPECT_EQ(base.rfind(L"TranslatorName=", 0), 0u);
    EXPECT_NE(base.find(L"\r\nTranslatorURL="), std::wstring::npos);
    for (const wchar_t* heading : {L"[Options1]", L"[Theme]", L"[Color]", L"[time note]", L"[Print]", L"[Install]",
                                   L"[DIV]", L"[INFO]"})
        EXPECT_NE(base.find(std::wstring(L"\r\n") + heading + L"\r\n"), std::wstring::npos) << Str(heading);
    EXPECT_NE(base.find(L"\r\n8=New Note\r\n"), std::wstring::npos);
    for (size_t i = 0; i < base.size(); i++) {
        if (base[i] == L'\n') {
            ASSERT_TRUE(i > 0 && base[i - 1] == L'\r') << "bare line feed at " << i;
        }
    }
    ASSERT_GE(base.size(), 2u);
    EXPECT_EQ(base.substr(base.size() - 2), L"\r\n");
}

TEST_F(LangTable, HeaderStrings)
{
    EXPECT_EQ(Str(GetHeaderString(19)), L"Quillboard 1.00");
    EXPECT_EQ(GetHeaderString(22), nullptr);
    for (int id : {20, 21, 23, 24}) {
        std::wstring url = Str(GetHeaderString(id));
        EXPECT_EQ(url.rfind(L"https://", 0), 0u) << "header " << id;
        EXPECT_EQ(url.find_first_of(L" \t\r\n"), std::wstring::npos) << "header " << id;
    }
    EXPECT_NE(Str(GetHeaderString(20)), Str(GetHeaderString(21)));
    EXPECT_NE(Str(GetHeaderString(23)), Str(GetHeaderString(24)));
    std::wstring request = Str(GetHeaderString(25));
    const std::wstring tail = L"\r\nLangName=\r\nLangNameInEnglish=";
    ASSERT_GT(request.size(), tail.size());
    EXPECT_EQ(request.substr(request.size() - tail.size()), tail);
    EXPECT_EQ(request.find(L"\\r"), std::wstring::npos);
    EXPECT_EQ(request.find(L"\\n"), std::wstring::npos);
    EXPECT_NE(Str(GetHeaderString(27)).find(L"Freeware und"), std::wstring::npos) << "the later ID 27 wins";
    EXPECT_NE(GetHeaderString(28), nullptr);
}
