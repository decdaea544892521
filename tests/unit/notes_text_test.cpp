// A note's stored content: its one-line form, and the check before rich text reaches the control.
#include "notes/NoteText.h"
#include "notes/RtfCheck.h"

#include <gtest/gtest.h>

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

}  // namespace
