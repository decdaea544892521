// A note's stored content: its one-line form, the check before rich text reaches the control, and long
// stretches split into short runs for Wine's control without changing the text, only where that is safe.
#include "notes/NoteText.h"
#include "notes/RtfRuns.h"
#include "notes/RtfCheck.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>

namespace {

TEST(NoteLine, ThreeParagraphsRoundTripThroughOneLine)
{
    const std::wstring rtf =
        L"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Segoe Print;}}\r\n"
        L"\\pard First\\par\r\nSecond\\par\r\nThird\\par\r\n}\r\n";
    const std::wstring line = EncodeNoteLine(rtf);
    EXPECT_EQ(std::wstring::npos, line.find_first_of(L"\r\n"));
    EXPECT_NE(std::wstring::npos, line.find(L"\\par\t\vSecond\\par\t\vThird"));
    EXPECT_EQ(rtf, DecodeNoteLine(line));
    // Only the pairs change: a lone CR, LF, TAB or VT stays.
    EXPECT_EQ(L"a\rb\nc\t\vd", EncodeNoteLine(L"a\rb\nc\r\nd"));
    EXPECT_EQ(L"a\tb\vc\r\n", DecodeNoteLine(L"a\tb\vc\t\v"));
}

std::wstring Nested(int depth)
{
    return L"{\\rtf1" + std::wstring(depth - 1, L'{') + L"x" + std::wstring(depth, L'}');
}

TEST(RtfCheck, PassesWhatTheControlWritesAndStopsWhatCrashesIt)
{
    struct Case {
        std::wstring rtf;
        bool safe;
    };
    const Case cases[] = {
        {L"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Tahoma;}}\\f0\\fs20 a\\'80 \\{b\\} "
         L"\\\\\\par\r\n}\r\n",
         true},
        {Nested(kMaxRtfDepth), true},
        {Nested(kMaxRtfDepth + 1), false},
        {Nested(40), false},
        {L"{\\rtf1 {x}", false},         // never closed
        {L"{\\rtf1 x}}", false},         // closed twice
        {L"{\\rtf1 x} tail", false},     // text after the outer group
        {L"{\\rtf1 \\}", false},         // an escaped brace closes nothing
        {L"{\\rtf1 \\bin3 {{{}", true},  // binary bytes are not groups
        {L"{\\rtf1 \\bin99999999999999999999 x}", false},
        {L"plain text", false},
        {L"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.safe, RtfIsSafe(c.rtf)) << std::string(c.rtf.begin(), c.rtf.end());
}

const std::string kHead =
    "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0{\\fonttbl{\\f0\\fcharset238 Segoe Print;}{\\f1 Tahoma;}}\r\n"
    "{\\colortbl;\\red255\\green255\\blue255;}\r\n\\pard\\cf1";

std::string Words(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "word" + std::to_string(i) + " ";
    return text;
}

TEST(RtfRuns, LongStretchSwitchesBetweenFontAndTwinAfterSpaces)
{
    const std::string body = "\\f1\\fs25 " + Words(200) + "\\'e9t\\'e9\\par\r\n}";
    const std::string split = SplitLongTextRuns(kHead + body, 100);
    // Twins of both fonts, numbered after the highest, differ only in pitch.
    EXPECT_NE(std::string::npos, split.find("{\\f2\\fprq4\\fcharset238 Segoe Print;}{\\f3\\fprq4 Tahoma;}}"));
    // Font 1 alternates with its twin 3, each switch right after a space, each run at most 100 characters and a word.
    const std::regex toggle(" \\\\f([0-9]+) ");
    int switches = 0;
    std::string expected = "3";
    for (std::sregex_iterator it(split.begin(), split.end(), toggle), end; it != end; ++it, ++switches) {
        EXPECT_EQ(expected, (*it)[1].str());
        expected = expected == "3" ? "1" : "3";
    }
    EXPECT_GE(switches, 12);
    // Without switches and twins it is the text as it came.
    std::string back = std::regex_replace(split, std::regex("\\\\f[23] |\\\\f1 (?=word)"), "");
    back = std::regex_replace(back, std::regex("\\{\\\\f[23]\\\\fprq4[^}]*\\}"), "");
    EXPECT_EQ(kHead + body, back);
}

TEST(RtfRuns, LeftAsStoredWhereSplittingIsNotSafeOrNeeded)
{
    const std::string longText = Words(200) + "\\par\r\n}";
    const std::string cases[] = {
        kHead + " " + Words(10) + "\\par\r\n}",                           // short
        kHead + "\\b " + Words(10) + "\\b0 " + Words(10) + "\\par\r\n}",  // runs already short
        kHead + "{\\*\\generator " + longText + "}",                      // inside a group only
        "{\\rtf1{\\fonttbl{\\f0\\fprq2 Arial;}}" + longText,              // a pitch of its own
        "{\\rtf1{\\fonttbl\\f0 Arial;}" + longText,                       // entries not in groups
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\bin4 {}{}" + longText,          // binary data
        "{\\rtf1{\\fonttbl{\\f0 Arial;}}\x82" + longText,                 // raw bytes of a code page
        "plain " + longText,
    };
    for (const std::string& rtf : cases)
        EXPECT_EQ(rtf, SplitLongTextRuns(rtf, 100)) << rtf.substr(0, 60);
}

}  // namespace
