// The one-line form of a note's content.
#include "notes/NoteText.h"

#include <gtest/gtest.h>

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
