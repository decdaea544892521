#include "app/Config.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

class ConfigFile : public ::testing::Test {
protected:
    void SetUp() override { SetConfigPathForTesting(m_path); }
    test::TempIniFile m_file;
    const std::wstring m_path = m_file.Path();
};

// (Whole values and sections are compared with the platform's below, and a 50 000-character note runs end to end.)
TEST_F(ConfigFile, AnEmptyIntegerAndBufferReadsThatCut)
{
    WriteProfileString(L"S", L"empty", L"");
    EXPECT_EQ(5, ReadProfileInt(L"S", L"empty", 5));
    WriteProfileString(L"S", L"long", L"0123456789abcdef");
    wchar_t guard[20];
    std::fill(std::begin(guard), std::end(guard), L'#');
    EXPECT_EQ(7u, ReadProfileString(L"S", L"long", guard, 8));
    EXPECT_STREQ(L"0123456", guard);
    EXPECT_EQ(L'#', guard[8]) << "nothing written past the buffer";
}

std::string Bytes(const std::wstring& path)
{
    std::ifstream in(std::string(path.begin(), path.end()), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void PutBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::string(path.begin(), path.end()), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// Our file next to one written by the platform's profile functions, call by call.
class ProfileTwin : public ConfigFile {
protected:
    void SetUp() override
    {
        ConfigFile::SetUp();
        m_twin = m_path + L".twin";
    }
    void Start(const std::string& bytes)  // "-": no file
    {
        for (const std::wstring& path : {m_path, m_twin})
            bytes == "-" ? void(::DeleteFileW(path.c_str())) : PutBytes(path, bytes);
    }
    void Set(const wchar_t* section, const wchar_t* key, const wchar_t* value)
    {
        EXPECT_TRUE(WriteProfileString(section, key, value));
        ::WritePrivateProfileStringW(section, key, value, m_twin.c_str());
    }
    void Delete(const wchar_t* section)
    {
        DeleteProfileSection(section);
        ::WritePrivateProfileSectionW(section, nullptr, m_twin.c_str());
    }
    std::wstring m_twin;
};

// Random writes, deletions and reads on top of each starting file: the bytes and the answers must be the
// platform's own.
TEST_F(ProfileTwin, WritesAndReadsAsTheProfileFunctionsDo)
{
    using namespace std::string_literals;
    const std::string starts[] = {
        "-",  // no file
        "; comment\r\n\r\n  [Program]  \r\nlng = 1\r\nloose line\r\n[Quillboard]\nm_cx=3\n\n[]\nx=1\r\n=a\r\n=b\r\n",
        "\xFF\xFE[\0P\0]\0\r\0\n\0a\0=\0\x49\x04\r\0\n\0"s,  // UTF-16
        "\xEF\xBB\xBF[A]\r\nk=\xC3\xA9\r\n",                 // UTF-8
        "[S]\rk1=1\n\nk2=2\r\n\r\n\r\n[T]",                  // line ends
    };
    const wchar_t* sections[] = {L"Program", L"PROGRAM", L"  Quillboard ", L"000_Notice_set", L" 001_Notice_set", L"S"};
    const wchar_t* keys[] = {L"lng", L"LNG", L" m_cx ", L"m_note_str", L"a b", L"k1", L"TestIni"};
    const std::vector<std::wstring> values({L"", L"0", L"-12", L"  250", L"trail ", L"\"Comic Sans\" ", L"'s'", L"x;y",
                                            L"\xE9\xFC\x20AC", L"{\\rtf1 a=b; [x] \t\v c}", L"line\r\nbreak=x"});
    std::srand(1234);
    for (size_t s = 0; s < std::size(starts); ++s) {
        Start(starts[s]);
        for (int i = 0; i < 80; ++i) {
            const int r = std::rand();
            if (r % 17 == 0)
                Delete(sections[r / 17 % 6]);
            else
                Set(sections[r % 6], keys[r / 6 % 7], values[r / 42 % 11].c_str());
            ASSERT_EQ(Bytes(m_twin), Bytes(m_path)) << "start " << s << ", step " << i;
            if (i % 8)
                continue;
            for (const wchar_t* section : sections) {
                for (const wchar_t* key : keys) {
                    wchar_t theirs[256] = L"";
                    ::GetPrivateProfileStringW(section, key, L"dflt ", theirs, 256, m_twin.c_str());
                    ASSERT_EQ(std::wstring(theirs), ReadProfileString(section, key, L"dflt ")) << "step " << i;
                }
                std::vector<wchar_t> lines(65536);
                const DWORD n = ::GetPrivateProfileSectionW(section, lines.data(), 65536, m_twin.c_str());
                std::wstring theirs;
                for (DWORD at = 0; at < n && lines[at]; at += static_cast<DWORD>(std::wcslen(&lines[at])) + 1)
                    theirs += std::wstring(&lines[at]) + L"\r\n";
                ASSERT_EQ(theirs, ReadProfileSection(section)) << "step " << i;
            }
        }
    }
}

TEST_F(ProfileTwin, OneCallForANotesKeysEqualsOneWriteEach)
{
    Start("[Program]\r\nlng=1\r\n[000_Notice_set]\r\nm_cy=5\r\nm_pos_x=7\r\n[Other]\r\na=1\r\n");
    std::vector<ProfileKey> keys;  // a note's sixteen, some already in the file
    for (const wchar_t* key : {L"m_pos_y", L"m_pos_x", L"m_cy", L"m_cx", L"m_clrBkgnd", L"m_by_hidden", L"m_color",
                               L"m_transparency", L"m_ontop", L"m_closed", L"b_italic", L"b_bold", L"m_font_h",
                               L"m_font_str", L"m_note_str", L"m_note_str_info"})
        keys.push_back({key, std::to_wstring(keys.size()) + L" \"x\""});
    EXPECT_TRUE(WriteProfileKeys(L"000_Notice_set", keys));
    for (const ProfileKey& k : keys)
        ::WritePrivateProfileStringW(L"000_Notice_set", k.key, k.value.c_str(), m_twin.c_str());
    EXPECT_EQ(Bytes(m_twin), Bytes(m_path));
}

TEST_F(ConfigFile, AKilledWriteIsFinishedOrForgottenAtTheNextStart)
{
    WriteProfileString(L"Program", L"lng", L"1");
    const std::string before = Bytes(m_path);
    // Killed while writing: the half-written file goes, the file stays.
    PutBytes(PendingConfigPath(m_path, false), "[Prog");
    RecoverConfigFile(m_path);
    EXPECT_EQ(before, Bytes(m_path));
    EXPECT_EQ(0, FileTest(PendingConfigPath(m_path, false).c_str()));
    // Killed between the two renames: the complete new file wins, even over a missing file.
    for (bool keepOld : {true, false}) {
        if (!keepOld)
            ::DeleteFileW(m_path.c_str());
        PutBytes(PendingConfigPath(m_path, true), "[Program]\r\nlng=0\r\n");
        RecoverConfigFile(m_path);
        EXPECT_EQ("[Program]\r\nlng=0\r\n", Bytes(m_path));
        EXPECT_EQ(0, FileTest(PendingConfigPath(m_path, true).c_str()));
    }
}

TEST_F(ConfigFile, AFileNobodyMayWriteFailsTheWriteAndStaysAsItWas)
{
    WriteProfileString(L"Program", L"lng", L"1");
    const std::string before = Bytes(m_path);
    HANDLE holder = ::CreateFileW(m_path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_FALSE(WriteProfileString(L"Program", L"lng", L"0"));
    EXPECT_FALSE(WriteProfileKeys(L"Program", {{L"a", L"1"}}));
    ::CloseHandle(holder);
    EXPECT_EQ(before, Bytes(m_path));
    EXPECT_EQ(0, FileTest(PendingConfigPath(m_path, false).c_str()));
    EXPECT_TRUE(WriteProfileString(L"Program", L"lng", L"0"));
}

}  // namespace
