#include "app/Config.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
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
    void Start(const std::string& bytes)
    {
        PutBytes(m_path, bytes);
        PutBytes(m_twin, bytes);
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

#define EXPECT_SAME_BYTES(step) EXPECT_EQ(Bytes(m_twin), Bytes(m_path)) << "after " << step

TEST_F(ProfileTwin, ScriptedWritesGiveTheProfileFunctionsBytes)
{
    struct Case {
        const char* name;
        std::string start;  // the file before the writes; "-" for none
    };
    const Case cases[] = {
        {"new file", "-"},
        {"hand-written",
         "; comment\r\n\r\n  [Program]  \r\nlng = 1\r\nloose line\r\n[Quillboard]\nm_cx=3\n\n[]\nx=1\r\n=a\r\n=b\r\n"},
        {"UTF-16", std::string("\xFF\xFE[\0P\0]\0\r\0\n\0a\0=\0\x49\x04\r\0\n\0", 22)},
        {"UTF-8", "\xEF\xBB\xBF[A]\r\nk=\xC3\xA9\r\n"},
        {"line ends", "[S]\rk1=1\n\nk2=2\r\n\r\n\r\n[T]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (std::string(c.start) == "-") {
            ::DeleteFileW(m_path.c_str());
            ::DeleteFileW(m_twin.c_str());
        } else {
            Start(c.start);
        }
        Set(L"Program", L"TestIni", L"eeee");
        EXPECT_SAME_BYTES("a new key");
        Set(L"program", L"LNG", L"0");
        EXPECT_SAME_BYTES("a key in another case");
        Set(L"  Quillboard ", L" m_cx ", L"  250");
        EXPECT_SAME_BYTES("names and value with blanks");
        Set(L"007_Notice_set", L"m_font_str", L"\"Comic Sans\" ");
        EXPECT_SAME_BYTES("quotes and a trailing blank");
        Set(L"007_Notice_set", L"m_note_str", L"{\\rtf1 a=b; [x] \t\v c}");
        EXPECT_SAME_BYTES("a value with = ; [ ]");
        Set(L"007_Notice_set", L"m_cx", L"250");
        EXPECT_SAME_BYTES("after the blank is read back");
        Set(L"007_Notice_set", L"m_cx", L"250");
        EXPECT_SAME_BYTES("unchanged value");
        Set(L"S", L"k1", L"");
        EXPECT_SAME_BYTES("empty value");
        Delete(L"S");
        EXPECT_SAME_BYTES("deleted section");
        Delete(L"none");
        EXPECT_SAME_BYTES("deleting a missing section");
        Set(L"Program", L"TestIni", L"line\r\nbreak=x");
        EXPECT_SAME_BYTES("a value with a line break");
        Set(L"Program", L"lng", L"1");
        EXPECT_SAME_BYTES("the write after it");
    }
}

TEST_F(ProfileTwin, RandomWritesGiveTheProfileFunctionsBytes)
{
    const wchar_t* sections[] = {L"Program", L"PROGRAM", L"Quillboard", L"000_Notice_set", L" 001_Notice_set", L"x"};
    const wchar_t* keys[] = {L"lng", L"LNG", L"m_cx", L"m_note_str", L"a b", L" k ", L"TestIni"};
    const wchar_t* values[] = {L"",      L"0",   L"-12", L" lead",          L"trail ",
                               L"\"q\"", L"'s'", L"a=b", L"\xE9\xFC\x20AC", L"x;y"};
    std::srand(1234);
    ::DeleteFileW(m_path.c_str());
    ::DeleteFileW(m_twin.c_str());
    for (int i = 0; i < 300; ++i) {
        const int r = std::rand();
        if (r % 17 == 0)
            Delete(sections[r / 17 % 6]);
        else
            Set(sections[r % 6], keys[r / 6 % 7], values[r / 42 % 10]);
        ASSERT_EQ(Bytes(m_twin), Bytes(m_path)) << "step " << i;
        // Reads answer as the profile functions do: quotes, blanks, case, whole sections.
        for (const wchar_t* section : sections) {
            if (i % 6)
                break;
            for (const wchar_t* key : keys) {
                wchar_t theirs[256] = L"";
                ::GetPrivateProfileStringW(section, key, L"dflt ", theirs, 256, m_twin.c_str());
                ASSERT_EQ(std::wstring(theirs), ReadProfileString(section, key, L"dflt ")) << "step " << i;
            }
            std::vector<wchar_t> lines(65536);
            const DWORD n = ::GetPrivateProfileSectionW(section, lines.data(), 65536, m_twin.c_str());
            std::wstring theirs;
            for (DWORD at = 0; at < n && lines[at];) {
                const std::wstring line(&lines[at]);
                theirs += line + L"\r\n";
                at += static_cast<DWORD>(line.size()) + 1;
            }
            ASSERT_EQ(theirs, ReadProfileSection(section)) << "step " << i;
        }
    }
}

TEST_F(ProfileTwin, OneCallForANotesKeysEqualsOneWriteEach)
{
    Start("[Program]\r\nlng=1\r\n[000_Notice_set]\r\nm_cy=5\r\nm_pos_x=7\r\n[Other]\r\na=1\r\n");
    const std::vector<ProfileKey> keys = {{L"m_pos_y", L"120"},
                                          {L"m_pos_x", L"100"},
                                          {L"m_cy", L"200"},
                                          {L"m_cx", L"250"},
                                          {L"m_clrBkgnd", L"16312779"},
                                          {L"m_by_hidden", L"0"},
                                          {L"m_color", L"44"},
                                          {L"m_transparency", L"0"},
                                          {L"m_ontop", L"0"},
                                          {L"m_closed", L"0"},
                                          {L"b_italic", L"0"},
                                          {L"b_bold", L"0"},
                                          {L"m_font_h", L"-13"},
                                          {L"m_font_str", L"Tahoma "},
                                          {L"m_note_str", L"{\\rtf1 x}"},
                                          {L"m_note_str_info", L"\\t\\v is \\r\\n max len 8K"}};
    EXPECT_TRUE(WriteProfileKeys(L"000_Notice_set", keys));
    for (const ProfileKey& k : keys)
        ::WritePrivateProfileStringW(L"000_Notice_set", k.key, k.value.c_str(), m_twin.c_str());
    EXPECT_SAME_BYTES("sixteen keys");
}

TEST_F(ConfigFile, TextOutsideTheCodePageTurnsTheFileIntoUtf16)
{
    WriteProfileString(L"Program", L"lng", L"1");
    EXPECT_EQ("[Program]\r\nlng=1\r\n", Bytes(m_path)) << "ANSI while the code page holds the text";
    const std::wstring text = L"\x03A9\x03BC\x03AD\x03B3\x03B1 \x6F22\x5B57 \xD83D\xDE00";
    WriteProfileString(L"000_Notice_set", L"m_font_str", text.c_str());
    const std::string bytes = Bytes(m_path);
    EXPECT_EQ(std::string("\xFF\xFE[\0", 4), bytes.substr(0, 4));
    EXPECT_EQ(text, ReadProfileString(L"000_Notice_set", L"m_font_str"));
    EXPECT_EQ(1, ReadProgramInt(L"lng", 0));
    WriteProfileString(L"Program", L"lng", L"0");
    EXPECT_EQ("\xFF\xFE", Bytes(m_path).substr(0, 2)) << "stays UTF-16";
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
