// The configuration file's rules that need no Windows.
#include "app/ConfigRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ProfileInt, ParsesLikeTheFileFormatSays)
{
    EXPECT_EQ(0, ParseProfileInt(L"abc"));
    EXPECT_EQ(42, ParseProfileInt(L" 42x"));
    EXPECT_EQ(-21, ParseProfileInt(L"-21"));
    EXPECT_EQ(7, ParseProfileInt(L"+7"));
    EXPECT_EQ(0, ParseProfileInt(L"--7"));
    EXPECT_EQ(0, ParseProfileInt(L"- 7"));
    EXPECT_EQ(INT_MAX, ParseProfileInt(L"2147483647"));
    EXPECT_EQ(INT_MIN, ParseProfileInt(L"-2147483648"));
}

TEST(ProfileInt, HugeNumbersClampToTheLimits)
{
    EXPECT_EQ(INT_MAX, ParseProfileInt(L"2147483648"));
    EXPECT_EQ(INT_MIN, ParseProfileInt(L"-2147483649"));
    EXPECT_EQ(INT_MAX, ParseProfileInt(L"99999999999999999999999999999999999999999"));
    EXPECT_EQ(INT_MIN, ParseProfileInt(L"-99999999999999999999999999999999999999999"));
}

TEST(PortableName, MarkMustFollowTheFirstCharacter)
{
    EXPECT_TRUE(IsPortableFileName(L"Quillboard_p.exe"));
    EXPECT_TRUE(IsPortableFileName(L"QUILLBOARD_PORTABLE.EXE"));
    EXPECT_FALSE(IsPortableFileName(L"Quillboard.exe"));
    EXPECT_FALSE(IsPortableFileName(L"_pQuillboard.exe"));
    EXPECT_TRUE(IsPortableFileName(L"_pQuill_port.exe"));
    // Only the first "_p" counts, and here it stands first.
    EXPECT_FALSE(IsPortableFileName(L"_pQuill_p.exe"));
}

TEST(NormalizeFolder, LowerCaseSingleBackslashesTrailingOne)
{
    EXPECT_EQ(L"c:\\users\\me\\temp\\", NormalizeFolder(L"C:\\Users\\\\Me\\Temp\\"));
    EXPECT_EQ(L"c:\\x\\", NormalizeFolder(L"C:\\X"));
    EXPECT_EQ(L"quill.exe", FileNameOf(L"C:\\a\\b\\quill.exe"));
    EXPECT_EQ(L"quill.exe", FileNameOf(L"quill.exe"));
}

TEST(NoteIdText, ThreeDigits)
{
    EXPECT_EQ(L"007", NoteIdText(7));
    EXPECT_EQ(L"039", NoteIdText(39));
}

}  // namespace
