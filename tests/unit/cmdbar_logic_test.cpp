// Platform-free parts of the command bar: the item text cut, mnemonics and the toolbar resource format.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controls/CmdBarLogic.h"
#include "controls/ToolbarResFormat.h"

using namespace cmdbar;

TEST(CmdBarLogic, ItemTextIsCutToTheBufferAndNeverOverruns)
{
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
    const std::wstring cases[][2] = {
        {L"E&xit", L"E&xit"},
        {std::wstring(99, L'x'), std::wstring(99, L'x')},
        {std::wstring(100, L'x'), std::wstring(99, L'x')},
        {std::wstring(5000, L'x'), std::wstring(99, L'x')},
        {std::wstring(98, L'a') + pair + L"tail", std::wstring(98, L'a')},  // no half of a surrogate pair
        {std::wstring(L"ab\0cd", 5), L"ab"},
    };
    for (const auto& [src, kept] : cases) {
        SCOPED_TRACE(testing::Message() << "length " << src.size());
        struct {
            unsigned before = 0xDEADBEEF;
            wchar_t text[kItemTextChars];
            unsigned after = 0xDEADBEEF;
        } g;
        EXPECT_EQ(CopyItemText(g.text, src), kept.size());
        EXPECT_EQ(std::wstring(g.text), kept);
        EXPECT_TRUE(g.before == 0xDEADBEEF && g.after == 0xDEADBEEF);
    }
}

TEST(CmdBarLogic, DoubledAmpersandsAndNoMenus)
{
    EXPECT_EQ(HideMnemonics(L"Fish && &Chips&"), L"Fish & Chips");
    EXPECT_EQ(HideMnemonics(L"&&&x"), L"&x");
    EXPECT_TRUE(HasMnemonic(L"Fish && &Chips", L'c'));
    EXPECT_FALSE(HasMnemonic(L"Fish && Chips", L' '));
    EXPECT_FALSE(HasMnemonic(L"Trailing&", L'\0'));
    EXPECT_EQ(WrapIndex(-1, 0), -1);  // a bar without menus opens none
}

TEST(CmdBarLogic, ToolbarResourceFormat)
{
    struct {
        std::vector<unsigned> words;
        bool ok;
        std::vector<std::uint16_t> commands;
    } cases[] = {
        {{1, 16, 15, 4, 2074, 0, 32905, 65535}, true, {2074, 0, 32905, 65535}},  // ids read unsigned
        {{1, 16, 16, 0}, true, {}},
        {{1, 16, 15, 3, 2074, 2032}, false, {}},  // fewer ids than its count
        {{2, 16, 15, 1, 2074}, false, {}},
        {{1, 0, 15, 1, 2074}, false, {}},
        {{1, 16, 0, 1, 2074}, false, {}},
        {{1, 16, 15}, false, {}},
        {{16, 0, 15, 0, 1, 0, 2074, 0}, false, {}},  // the DWORD layout windres writes for TOOLBAR
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << &c - cases);
        std::vector<unsigned char> bytes;
        for (unsigned w : c.words)
            bytes.insert(bytes.end(), {static_cast<unsigned char>(w & 0xFF), static_cast<unsigned char>(w >> 8)});
        for (int pass = 0; pass < 2; ++pass, bytes.push_back(0x7F)) {  // an odd trailing byte changes nothing
            ToolbarResource res;
            res.commands = {7};
            EXPECT_EQ(ParseToolbarResource(bytes.data(), bytes.size(), res), c.ok);
            EXPECT_EQ(res.commands, c.commands);
            EXPECT_EQ(res.imageWidth, c.ok ? 16 : 0);
        }
    }
    ToolbarResource res;
    EXPECT_FALSE(ParseToolbarResource(nullptr, 0, res));
}
