#include "app/Config.h"
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

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        wchar_t file[MAX_PATH];
        ::GetTempFileNameW(temp, L"qbc", 0, file);
        m_path = file;
        SetConfigPathForTesting(m_path);
    }
    void TearDown() override { ::DeleteFileW(m_path.c_str()); }
    std::wstring m_path;
};

TEST_F(ConfigFile, IntegersRoundTripAndMissingKeysGiveTheDefault)
{
    EXPECT_EQ(5, ReadProfileInt(L"S", L"missing", 5));
    WriteProfileString(L"S", L"empty", L"");
    EXPECT_EQ(5, ReadProfileInt(L"S", L"empty", 5));
    WriteProfileString(L"S", L"text", L"abc");
    EXPECT_EQ(0, ReadProfileInt(L"S", L"text", 5));
    WriteProfileInt(L"S", L"n", -123);
    EXPECT_EQ(-123, ReadProfileInt(L"s", L"N", 0)) << "sections and keys ignore case";
    WriteProgramInt(L"lng", 1);
    EXPECT_EQ(1, ReadProgramInt(L"lng", 0));
}

TEST_F(ConfigFile, BufferReadsCutAndKeepTheDefault)
{
    wchar_t buf[8] = L"dflt";
    EXPECT_EQ(4u, ReadProfileString(L"S", L"missing", buf, 8));
    EXPECT_STREQ(L"dflt", buf);

    WriteProfileString(L"S", L"long", L"0123456789abcdef");
    wchar_t guard[20];
    for (wchar_t& c : guard)
        c = L'#';
    EXPECT_EQ(7u, ReadProfileString(L"S", L"long", guard, 8));
    EXPECT_STREQ(L"0123456", guard);
    EXPECT_EQ(L'#', guard[8]) << "nothing written past the buffer";
}

TEST_F(ConfigFile, WholeValueAndSectionReads)
{
    std::wstring big(50000, L'q');
    WriteProfileString(L"Big", L"v", big.c_str());
    EXPECT_EQ(big, ReadProfileString(L"Big", L"v"));
    WriteProfileString(L"Sec", L"a", L"1");
    WriteProfileString(L"Sec", L"b", L"two");
    EXPECT_EQ(L"a=1\r\nb=two\r\n", ReadProfileSection(L"Sec"));
    DeleteProfileSection(L"Sec");
    EXPECT_EQ(L"", ReadProfileSection(L"Sec"));
    EXPECT_EQ(L"x", ReadProgramString(L"missing", L"x"));
}

TEST_F(ConfigFile, FileTestTellsFolderFileAndMissing)
{
    EXPECT_EQ(1, FileTest(m_path.c_str()));
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    EXPECT_EQ(2, FileTest(temp));
    EXPECT_EQ(0, FileTest((m_path + L".none").c_str()));
    EXPECT_EQ(0, FileTest(L"C:\\no\\such\\folder\\x.ini"));
}

}  // namespace
