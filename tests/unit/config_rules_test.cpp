// The configuration file's rules that need no Windows.
#include "app/ConfigRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(ProfileInt, LeadingIntegerClampedToTheLimits)
{
    const std::pair<const wchar_t*, int> cases[] = {
        {L"abc", 0},
        {L" 42x", 42},
        {L"-21", -21},
        {L"+7", 7},
        {L"--7", 0},
        {L"- 7", 0},
        {L"2147483647", INT_MAX},
        {L"-2147483648", INT_MIN},
        {L"2147483648", INT_MAX},
        {L"-2147483649", INT_MIN},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(value, ParseProfileInt(text)) << std::wstring(text).size() << " characters";
    EXPECT_EQ(INT_MAX, ParseProfileInt(std::wstring(41, L'9').c_str()));
    EXPECT_EQ(INT_MIN, ParseProfileInt((L"-" + std::wstring(41, L'9')).c_str()));
}

TEST(PortableName, MarkMustFollowTheFirstCharacter)
{
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"Quillboard_p.exe", true}, {L"QUILLBOARD_PORTABLE.EXE", true},
        {L"Quillboard.exe", false},  {L"_pQuillboard.exe", false},
        {L"_pQuill_port.exe", true}, {L"_pQuill_p.exe", false}};  // only the first "_p" counts: here it stands first
    for (auto [name, portable] : cases)
        EXPECT_EQ(portable, IsPortableFileName(name)) << std::wstring(name).size();
}

TEST(NormalizeFolder, LowerCaseSingleBackslashesTrailingOne)
{
    EXPECT_EQ(L"c:\\users\\me\\temp\\", NormalizeFolder(L"C:\\Users\\\\Me\\Temp\\"));
    EXPECT_EQ(L"c:\\x\\", NormalizeFolder(L"C:\\X"));
    EXPECT_EQ(L"quill.exe", FileNameOf(L"C:\\a\\b\\quill.exe"));
    EXPECT_EQ(L"quill.exe", FileNameOf(L"quill.exe"));
}

}  // namespace
