// Platform-free parts of the command bar: text cut, picture table, wrap-around,
// check glyph, item geometry and the toolbar resource format.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "controls/CmdBarLogic.h"
#include "controls/ToolbarResFormat.h"

using namespace cmdbar;

namespace {

// An item text buffer with guard words on both sides, to see any overrun.
struct GuardedText {
    unsigned before = 0xDEADBEEF;
    wchar_t text[kItemTextChars];
    unsigned after = 0xDEADBEEF;
};

}  // namespace

TEST(CmdBarText, ShortTextIsCopiedWhole)
{
    GuardedText g;
    EXPECT_EQ(CopyItemText(g.text, L"E&xit"), 5u);
    EXPECT_STREQ(g.text, L"E&xit");
}

TEST(CmdBarText, LongTextIsCutToTheBufferAndNeverOverruns)
{
    for (size_t len : {98u, 99u, 100u, 101u, 150u, 5000u}) {
        GuardedText g;
        std::wstring src(len, L'x');
        size_t kept = CopyItemText(g.text, src);
        size_t expected = len < kItemTextChars ? len : kItemTextChars - 1;
        EXPECT_EQ(kept, expected) << "length " << len;
        EXPECT_EQ(std::wstring(g.text), std::wstring(expected, L'x')) << "length " << len;
        EXPECT_EQ(g.before, 0xDEADBEEF) << "length " << len;
        EXPECT_EQ(g.after, 0xDEADBEEF) << "length " << len;
    }
}

TEST(CmdBarText, CutDoesNotSplitASurrogatePair)
{
    GuardedText g;
    std::wstring src(98, L'a');
    src += static_cast<wchar_t>(0xD83D);  // position 98: would be the last kept character
    src += static_cast<wchar_t>(0xDE00);
    src += L"tail";
    EXPECT_EQ(CopyItemText(g.text, src), 98u);
    EXPECT_EQ(std::wstring(g.text), std::wstring(98, L'a'));
}

TEST(CmdBarText, EmbeddedTerminatorEndsTheText)
{
    GuardedText g;
    EXPECT_EQ(CopyItemText(g.text, std::wstring_view(L"ab\0cd", 5)), 2u);
    EXPECT_STREQ(g.text, L"ab");
}

TEST(CmdBarText, SplitAtFirstTab)
{
    ItemTextParts p = SplitAtTab(L"FAQ\t(# ?)");
    EXPECT_EQ(p.label, L"FAQ");
    EXPECT_EQ(p.shortcut, L"(# ?)");
    p = SplitAtTab(L"a\tb\tc");
    EXPECT_EQ(p.label, L"a");
    EXPECT_EQ(p.shortcut, L"b\tc");
    p = SplitAtTab(L"plain");
    EXPECT_EQ(p.label, L"plain");
    EXPECT_TRUE(p.shortcut.empty());
}

TEST(CmdBarText, MnemonicPrefixesAreHidden)
{
    EXPECT_EQ(HideMnemonics(L"E&xit"), L"Exit");
    EXPECT_EQ(HideMnemonics(L"Fish && Chips"), L"Fish & Chips");
    EXPECT_EQ(HideMnemonics(L"&&&x"), L"&x");
    EXPECT_EQ(HideMnemonics(L"end&"), L"end");
    EXPECT_EQ(HideMnemonics(L"(# ?)"), L"(# ?)");
    EXPECT_EQ(HideMnemonics(L""), L"");
}

TEST(CmdBarText, Mnemonics)
{
    EXPECT_TRUE(HasMnemonic(L"E&xit", L'x'));
    EXPECT_TRUE(HasMnemonic(L"E&xit", L'X'));
    EXPECT_FALSE(HasMnemonic(L"E&xit", L'e'));
    EXPECT_FALSE(HasMnemonic(L"Fish && Chips", L' '));
    EXPECT_TRUE(HasMnemonic(L"Fish && &Chips", L'c'));
    EXPECT_FALSE(HasMnemonic(L"Trailing&", L'\0'));
    EXPECT_FALSE(HasMnemonic(L"", L'a'));
}

TEST(CmdBarIndex, WrapsAtBothEnds)
{
    EXPECT_EQ(WrapIndex(-1, 3), 2);  // Left on the first opens the last
    EXPECT_EQ(WrapIndex(3, 3), 0);   // Right on the last opens the first
    EXPECT_EQ(WrapIndex(1, 3), 1);
    EXPECT_EQ(WrapIndex(0, 1), 0);
    EXPECT_EQ(WrapIndex(-1, 1), 0);
    EXPECT_EQ(WrapIndex(0, 0), -1);
    EXPECT_EQ(WrapIndex(-1, 0), -1);
}

TEST(CmdBarPictures, TableHoldsExactly256AndRefusesMore)
{
    PictureTable table;
    for (unsigned i = 0; i < kMaxPictures; ++i)
        ASSERT_TRUE(table.Add(1000 + i)) << "entry " << i;
    EXPECT_TRUE(table.Full());
    EXPECT_FALSE(table.Add(5000));
    EXPECT_EQ(table.Count(), kMaxPictures);
    EXPECT_EQ(table.Find(5000), -1);
    EXPECT_EQ(table.Find(1000), 0);
    EXPECT_EQ(table.Find(1000 + kMaxPictures - 1), kMaxPictures - 1);
}

TEST(CmdBarPictures, FirstEntryOfACommandWins)
{
    PictureTable table;
    table.Add(32917);
    table.Add(32918);
    table.Add(32917);
    EXPECT_EQ(table.Find(32917), 0);
    EXPECT_EQ(table.Find(32918), 1);
    EXPECT_EQ(table.Find(1), -1);
}

TEST(CmdBarGlyph, CheckGlyphRows)
{
    const char* rows[kCheckGlyphSize] = {
        ".........", "........X", ".......XX", "X.....XXX", "XX...XXX.",
        "XXX.XXX..", ".XXXXX...", "..XXX....", "...X.....",
    };
    for (int y = 0; y < kCheckGlyphSize; ++y) {
        std::string got;
        for (int x = 0; x < kCheckGlyphSize; ++x)
            got += CheckGlyphPixel(x, y) ? 'X' : '.';
        EXPECT_EQ(got, rows[y]) << "row " << y + 1;
    }
    EXPECT_FALSE(CheckGlyphPixel(-1, 3));
    EXPECT_FALSE(CheckGlyphPixel(9, 1));
    EXPECT_FALSE(CheckGlyphPixel(8, 9));
}

TEST(CmdBarGeometry, Measure)
{
    EXPECT_EQ(MeasureItemHeight(-12), 20);
    EXPECT_EQ(MeasureItemHeight(12), 20);
    EXPECT_EQ(MeasureItemHeight(-9), 18);  // never below the minimum
    EXPECT_EQ(MeasureItemHeight(0), 18);
    // text + 2 x 21 + 21 - check width + 1
    EXPECT_EQ(MeasureItemWidth(50, 13), 50 + 42 + 21 - 13 + 1);
}

TEST(CmdBarGeometry, LayoutWithoutPictureOrCheck)
{
    ItemLayout l = LayoutItem({10, 100, 210, 120}, false, false);
    EXPECT_EQ(l.pictureBox.left, 10);
    EXPECT_EQ(l.pictureBox.top, 101);  // 18 high, centred in 20
    EXPECT_EQ(l.pictureBox.right, 31);
    EXPECT_EQ(l.pictureBox.bottom, 119);
    EXPECT_EQ(l.text.left, 10 + 21 + 3);
    EXPECT_EQ(l.text.right, 210 - 21);
    EXPECT_EQ(l.text.top, 100);
    EXPECT_EQ(l.text.bottom, 120);
}

TEST(CmdBarGeometry, CheckedItemWithoutPictureKeepsTheTextInLine)
{
    ItemLayout plain = LayoutItem({0, 0, 200, 18}, false, false);
    ItemLayout checked = LayoutItem({0, 0, 200, 18}, false, true);
    EXPECT_EQ(checked.text.left, plain.text.left);
    EXPECT_EQ(checked.checkGlyph.x, 0 + 10 - 4);  // box centre minus 4
    EXPECT_EQ(checked.checkGlyph.y, 0 + 9 - 4);
}

TEST(CmdBarGeometry, CheckedItemWithPictureShiftsCheckAndText)
{
    ItemLayout l = LayoutItem({0, 0, 200, 18}, true, true);
    EXPECT_EQ(l.picture.x, 2);
    EXPECT_EQ(l.picture.y, 1);
    EXPECT_EQ(l.checkGlyph.x, 16 + 10 - 4);
    EXPECT_EQ(l.checkGlyph.y, 5);
    EXPECT_EQ(l.text.left, 21 + 12 + 3);
}

TEST(CmdBarGeometry, ToolbarSizesGrowToTheFont)
{
    ToolbarSizes s = ComputeToolbarSizes(16, 15, -11);
    EXPECT_EQ(s.bitmapWidth, 16);
    EXPECT_EQ(s.bitmapHeight, 15);
    EXPECT_EQ(s.buttonWidth, 23);
    EXPECT_EQ(s.buttonHeight, 22);
    s = ComputeToolbarSizes(16, 15, -20);
    EXPECT_EQ(s.bitmapHeight, 20);
    EXPECT_EQ(s.buttonHeight, 27);
}

namespace {

std::vector<unsigned char> Words(std::initializer_list<unsigned> words)
{
    std::vector<unsigned char> out;
    for (unsigned w : words) {
        out.push_back(static_cast<unsigned char>(w & 0xFF));
        out.push_back(static_cast<unsigned char>(w >> 8));
    }
    return out;
}

}  // namespace

TEST(ToolbarResourceFormat, ParsesIdsAndSeparators)
{
    auto data = Words({1, 16, 15, 4, 2074, 0, 32905, 65535});
    ToolbarResource res;
    ASSERT_TRUE(ParseToolbarResource(data.data(), data.size(), res));
    EXPECT_EQ(res.imageWidth, 16);
    EXPECT_EQ(res.imageHeight, 15);
    ASSERT_EQ(res.commands.size(), 4u);
    EXPECT_EQ(res.commands[0], 2074);
    EXPECT_EQ(res.commands[1], 0);
    EXPECT_EQ(res.commands[2], 32905);  // above 32767: read as unsigned
    EXPECT_EQ(res.commands[3], 65535);
}

TEST(ToolbarResourceFormat, RejectsBadData)
{
    ToolbarResource res;
    auto truncated = Words({1, 16, 15, 3, 2074, 2032});
    EXPECT_FALSE(ParseToolbarResource(truncated.data(), truncated.size(), res));
    EXPECT_TRUE(res.commands.empty());
    auto version2 = Words({2, 16, 15, 1, 2074});
    EXPECT_FALSE(ParseToolbarResource(version2.data(), version2.size(), res));
    auto noWidth = Words({1, 0, 15, 1, 2074});
    EXPECT_FALSE(ParseToolbarResource(noWidth.data(), noWidth.size(), res));
    auto header = Words({1, 16, 15});
    EXPECT_FALSE(ParseToolbarResource(header.data(), header.size(), res));
    EXPECT_FALSE(ParseToolbarResource(nullptr, 0, res));
    // The DWORD layout windres writes for a TOOLBAR statement is not ours.
    auto dwordLayout = Words({16, 0, 15, 0, 1, 0, 2074, 0});
    EXPECT_FALSE(ParseToolbarResource(dwordLayout.data(), dwordLayout.size(), res));
}

TEST(ToolbarResourceFormat, EmptyButtonListAndOddTrailingByte)
{
    ToolbarResource res;
    auto empty = Words({1, 16, 16, 0});
    ASSERT_TRUE(ParseToolbarResource(empty.data(), empty.size(), res));
    EXPECT_TRUE(res.commands.empty());
    auto odd = Words({1, 16, 16, 1, 57600});
    odd.push_back(0x7F);
    ASSERT_TRUE(ParseToolbarResource(odd.data(), odd.size(), res));
    ASSERT_EQ(res.commands.size(), 1u);
    EXPECT_EQ(res.commands[0], 57600);
}
