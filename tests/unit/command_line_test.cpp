// Platform-free rules of the start: the command line, its switches, file names, folders and the
// configuration file's integers.
#include "app/CommandLine.h"
#include "app/ConfigRules.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

// The tokens as "name" or "name=value", each followed by '|'.
std::wstring Tokens(const std::wstring& text)
{
    std::wstring out;
    for (const CommandLineToken& t : ParseCommandLine(text))
        out += t.name + (t.value ? L"=" + *t.value : L"") + L"|";
    return out;
}

TEST(ParseCommandLine, QuotesBlanksAndTheFirstColon)
{
    const struct {
        const wchar_t* text;
        const wchar_t* tokens;
    } cases[] = {{L"-ini:C:\\Notes\\my.ini -ini", L"-ini=C:\\Notes\\my.ini|-ini|"},
                 {L"\"-ini:C:\\My Notes\\a  b.ini\" -bg", L"-ini=C:\\My Notes\\a  b.ini|-bg|"},
                 {L"-ini:\"C:\\a b\\x.ini\"", L"-ini=C:\\a b\\x.ini|"},  // a quote inside a token toggles too
                 {L"     ", L""},
                 {L"  a\tb   c\nd ", L"a b|c d|"}};  // tabs and line feeds inside a token become blanks
    for (const auto& c : cases)
        EXPECT_EQ(c.tokens, Tokens(c.text)) << std::wstring(c.text).size() << " characters";

    std::wstring many;
    for (int i = 0; i < 300; ++i)
        many += L"t" + std::to_wstring(i) + L" ";
    const auto tokens = ParseCommandLine(many);
    ASSERT_EQ(256u, tokens.size()) << "only the first 256 tokens";
    EXPECT_EQ(L"t255", tokens.back().name);
}

TEST(Switches, CaseRulesFirstIniAndALongPathWhole)
{
    auto o = EvaluateSwitches(ParseCommandLine(L"-BG HIDE -INI:x.ini FORALL m_lang_id:7"));
    EXPECT_TRUE(o.background && o.hide && o.forAll);
    EXPECT_EQ(L"", o.iniOverride) << "-ini is case-sensitive";
    EXPECT_EQ(7, o.installerLanguage.value_or(-1));
    EXPECT_EQ(L"first.ini", EvaluateSwitches(ParseCommandLine(L"-ini:first.ini -ini:second.ini")).iniOverride);
    const std::wstring path = L"C:\\" + std::wstring(400, L'x') + L".ini";
    EXPECT_EQ(path, EvaluateSwitches(ParseCommandLine(L"-ini:" + path)).iniOverride);
}

TEST(InstallerMode, SwitchesComeBeforeTheFileName)
{
    using M = InstallerMode;
    const struct {
        const wchar_t* args;
        const wchar_t* name;
        InstallerMode mode;
    } cases[] = {
        {L"", L"Quillboard.exe", M::None},
        {L"-?install", L"Quillboard.exe", M::Install},
        {L"-?install -?uninstall", L"Quillboard.exe", M::Install},
        {L"-?UNINSTALL", L"Quillboard_setup.exe", M::Uninstall},
        {L"-?portable_install", L"Quillboard.exe", M::PortableInstall},
        {L"", L"Quillboard_Uninstall.exe", M::Uninstall},  // without switches the file name decides
        {L"", L"quillboard_portable_install.exe", M::PortableInstall},
        {L"", L"QuillboardSetup.exe", M::Install},
        {L"-?portable_install", L"setup.exe", M::Install},  // a file-name install outranks the switch
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.mode, SelectInstallerMode(EvaluateSwitches(ParseCommandLine(c.args)), c.name))
            << std::wstring(c.args).size() << " " << std::wstring(c.name).size();
}

TEST(StartsHidden, OnlyTheShortRawTextWithDashBg)
{
    for (auto [text, hidden] :
         {std::pair{L"-bg", true}, {L" -bg", true}, {L"-BG", false}, {L"-bg -ini:D:\\x.ini", false}, {L"", false}})
        EXPECT_EQ(hidden, StartsHidden(text)) << std::wstring(text).size();
}

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

}  // namespace
