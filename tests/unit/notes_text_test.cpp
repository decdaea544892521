// The one-line form of a note's content.
#include "notes/NoteText.h"

#include <gtest/gtest.h>

TEST(NoteLine, ThreeParagraphsRoundTrip)
{
    const std::wstring rtf =
        L"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Segoe Print;}}\r\n"
        L"\\pard First\\par\r\nSecond\\par\r\nThird\\par\r\n}\r\n";
    const std::wstring line = EncodeNoteLine(rtf);
    EXPECT_EQ(std::wstring::npos, line.find(L'\r'));
    EXPECT_EQ(std::wstring::npos, line.find(L'\n'));
    EXPECT_NE(std::wstring::npos, line.find(L"\\par\t\vSecond\\par\t\vThird"));
    EXPECT_EQ(rtf, DecodeNoteLine(line));
}

TEST(NoteLine, OnlyPairsAreTouched)
{
    // A lone CR or LF stays, as does a lone TAB or VT.
    EXPECT_EQ(L"a\rb\nc\t\vd", EncodeNoteLine(L"a\rb\nc\r\nd"));
    EXPECT_EQ(L"a\tb\vc\r\n", DecodeNoteLine(L"a\tb\vc\t\v"));
    EXPECT_EQ(L"\t\v\t\v", EncodeNoteLine(L"\r\n\r\n"));
    EXPECT_EQ(L"\r\t\v", EncodeNoteLine(L"\r\r\n"));
    EXPECT_EQ(L"\t\r\n", DecodeNoteLine(L"\t\t\v"));
    EXPECT_EQ(L"", EncodeNoteLine(L""));
}

TEST(NoteLine, TabVtInTheContentComesBackAsALineBreak)
{
    // The format cannot tell them apart; documented, not guarded.
    EXPECT_EQ(L"x\r\ny", DecodeNoteLine(EncodeNoteLine(L"x\t\vy")));
}

TEST(NoteLine, RtfIsRecognisedByItsHeader)
{
    EXPECT_TRUE(LooksLikeRtf(L"{\\rtf1\\ansi}"));
    EXPECT_FALSE(LooksLikeRtf(L"Shopping\r\nmilk"));
    EXPECT_FALSE(LooksLikeRtf(L"{\\rt"));
    EXPECT_FALSE(LooksLikeRtf(L""));
}

TEST(NoteLine, InfoConstantIsTheDocumentedText)
{
    EXPECT_EQ(std::wstring(L"\\t\\v is \\r\\n max len 8K"), kNoteStrInfo);
    EXPECT_EQ(23u, std::wstring(kNoteStrInfo).size());
}
