// The byte-level rewriting of the configuration file, without Windows: hostile
// files and the choice of encoding. (config_test compares it with the platform.)
#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

using ini::Change;

std::string Rewritten(const std::string& before, const std::vector<Change>& changes)
{
    std::string after;
    return ini::Rewrite(before, changes, ini::PortableCodec(), &after) ? after : before;
}

Change Set(const wchar_t* section, const wchar_t* key, const std::wstring& value)
{
    Change c;
    c.section = section;
    c.key = key;
    c.value = value;
    return c;
}

TEST(IniRewrite, EncodingIsKeptOrWidenedToHoldTheText)
{
    struct Case {
        const char* name;
        std::string before;
        std::wstring value;
        std::string after;
    };
    const Case cases[] = {
        {"ANSI stays ANSI", "[A]\r\n", L"\xE9", "[A]\r\nk=\xE9\r\n"},
        {"ANSI that cannot hold Greek turns UTF-16", "[A]\r\n", L"\x03A9",
         std::string("\xFF\xFE[\0A\0]\0\r\0\n\0k\0=\0\xA9\x03\r\0\n\0", 22)},
        {"UTF-16 big-endian stays so", std::string("\xFE\xFF\0[\0A\0]", 8), L"1",
         std::string("\xFE\xFF\0[\0A\0]\0\r\0\n\0k\0=\0"
                     "1\0\r\0\n",
                     22)},
        {"UTF-8 keeps its mark", "\xEF\xBB\xBF[A]", L"\x6F22", "\xEF\xBB\xBF[A]\r\nk=\xE6\xBC\xA2\r\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.after, Rewritten(c.before, {Set(L"A", L"k", c.value)})) << c.name;
}

TEST(IniRewrite, HostileFilesKeepWhatCanBeReadAndTakeTheWrite)
{
    std::mt19937 random(7);
    std::string binary(64 * 1024, '\0');
    for (char& b : binary)
        b = static_cast<char>(random());
    std::string sections;
    for (int i = 0; i < 1000; ++i)
        sections += "[S" + std::to_string(i) + "]\r\nk=" + std::to_string(i) + "\r\n";
    std::string longLine = "[A]\r\nbig=" + std::string(10 * 1024 * 1024, 'x') + "\r\n";

    EXPECT_NE(std::string::npos,
              Rewritten(binary, {Set(L"Program", L"TestIni", L"eeee")}).find("\r\n[Program]\r\nTestIni=eeee\r\n"));
    for (const std::string* before : {&sections, &longLine}) {
        const std::string after = Rewritten(*before, {Set(L"Program", L"TestIni", L"eeee")});
        // The next write changes only its own value: the written form reads back as written.
        std::string expected = after;
        expected.replace(expected.find("TestIni=eeee"), 12, "TestIni=ffff");
        EXPECT_EQ(expected, Rewritten(after, {Set(L"Program", L"TestIni", L"ffff")}));
    }
    EXPECT_NE(std::string::npos, Rewritten(sections, {Set(L"s999", L"K", L"new")}).find("[S999]\r\nk=new\r\n"));
    EXPECT_EQ(longLine.size() + 25, Rewritten(longLine, {Set(L"Program", L"TestIni", L"eeee")}).size());
}

TEST(IniRewrite, NothingChangedMeansNothingWritten)
{
    std::string after;
    const std::string before = "; hand-made\r\n\r\n[A]\r\n k = v \r\n";
    EXPECT_FALSE(ini::Rewrite(before, {Set(L"a", L"K", L"v")}, ini::PortableCodec(), &after));
    Change gone;
    gone.kind = Change::RemoveSection;
    gone.section = L"missing";
    EXPECT_FALSE(ini::Rewrite(before, {gone}, ini::PortableCodec(), &after));
}

// The parsed copy answers "nothing to write" exactly when the rewrite would write nothing.
TEST(IniRewrite, HoldsAgreesWithTheRewrite)
{
    const std::string file = "[A]\r\nk= v\r\nbare\r\nempty=\r\n[a]\r\nsecond=1\r\n[B ]\r\nx=\"q\"\r\n";
    const Change cases[] = {
        Set(L"A", L"k", L"v"),      Set(L"a", L" K ", L"  v"),  Set(L"A", L"k", L"v "),
        Set(L"A", L"k", L"w"),      Set(L"A", L"bare", L""),    Set(L"A", L"empty", L""),
        Set(L"A", L"missing", L""), Set(L"A", L"second", L"1"), Set(L"B", L"x", L"\"q\""),
        Set(L"B", L"x", L"q"),      Set(L"C", L"k", L"v"),      Set(L"A", L"k", std::wstring(L"v\0z", 3)),
    };
    ini::Encoding encoding = ini::Encoding::Ansi;
    const ini::Document doc = ini::Document::Parse(ini::Decode(file, &encoding, ini::PortableCodec()));
    for (const Change& c : cases) {
        std::string after;
        const bool writes = ini::Rewrite(file, {c}, ini::PortableCodec(), &after);
        EXPECT_EQ(!writes, doc.Holds(c.section, c.key, c.value))
            << "[" << std::string(c.section.begin(), c.section.end()) << "] " << std::string(c.key.begin(), c.key.end())
            << "=" << std::string(c.value.begin(), c.value.end());
    }
}

}  // namespace
