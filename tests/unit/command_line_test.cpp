#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

std::wstring ValueOf(const CommandLineToken& t)
{
    return t.value ? *t.value : L"<none>";
}

TEST(ParseCommandLine, FirstColonSplitsNameFromValue)
{
    auto tokens = ParseCommandLine(L"-ini:C:\\Notes\\my.ini -ini");
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(L"-ini", tokens[0].name);
    EXPECT_EQ(L"C:\\Notes\\my.ini", ValueOf(tokens[0]));
    EXPECT_EQ(L"-ini", tokens[1].name);
    EXPECT_FALSE(tokens[1].value.has_value());
}

TEST(ParseCommandLine, QuotedSpacesStayInOneToken)
{
    auto tokens = ParseCommandLine(L"\"-ini:C:\\My Notes\\a  b.ini\" -bg");
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(L"C:\\My Notes\\a  b.ini", ValueOf(tokens[0]));
    EXPECT_EQ(L"-bg", tokens[1].name);
    // A quote in the middle of a token toggles too.
    tokens = ParseCommandLine(L"-ini:\"C:\\a b\\x.ini\"");
    ASSERT_EQ(1u, tokens.size());
    EXPECT_EQ(L"C:\\a b\\x.ini", ValueOf(tokens[0]));
}

TEST(ParseCommandLine, TabsAndLineFeedsBecomeSpacesInsideTokens)
{
    EXPECT_TRUE(ParseCommandLine(L"     ").empty());
    auto tokens = ParseCommandLine(L"  a\tb   c\nd ");
    ASSERT_EQ(2u, tokens.size());
    EXPECT_EQ(L"a b", tokens[0].name);
    EXPECT_EQ(L"c d", tokens[1].name);
}

TEST(ParseCommandLine, KeepsOnlyTheFirst256Tokens)
{
    std::wstring text;
    for (int i = 0; i < 300; ++i)
        text += L"t" + std::to_wstring(i) + L" ";
    auto tokens = ParseCommandLine(text);
    ASSERT_EQ(256u, tokens.size());
    EXPECT_EQ(L"t255", tokens.back().name);
}

TEST(Switches, CaseRulesFollowTheSwitchTable)
{
    auto o = EvaluateSwitches(ParseCommandLine(L"-BG HIDE -INI:x.ini FORALL m_lang_id:7"));
    EXPECT_TRUE(o.background);
    EXPECT_TRUE(o.hide);
    EXPECT_TRUE(o.forAll);
    EXPECT_EQ(L"", o.iniOverride) << "-ini is case-sensitive";
    ASSERT_TRUE(o.installerLanguage.has_value());
    EXPECT_EQ(7, *o.installerLanguage);

    o = EvaluateSwitches(ParseCommandLine(L"-ini:first.ini -ini:second.ini"));
    EXPECT_EQ(L"first.ini", o.iniOverride);
}

TEST(Switches, LongIniValueIsKeptWhole)
{
    std::wstring path = L"C:\\" + std::wstring(400, L'x') + L".ini";
    auto o = EvaluateSwitches(ParseCommandLine(L"-ini:" + path));
    EXPECT_EQ(path, o.iniOverride);
}

TEST(InstallerMode, SwitchesComeBeforeTheFileName)
{
    auto mode = [](const wchar_t* args, const wchar_t* name) {
        return SelectInstallerMode(EvaluateSwitches(ParseCommandLine(args)), name);
    };
    EXPECT_EQ(InstallerMode::None, mode(L"", L"Quillboard.exe"));
    EXPECT_EQ(InstallerMode::Install, mode(L"-?install", L"Quillboard.exe"));
    EXPECT_EQ(InstallerMode::Install, mode(L"-?install -?uninstall", L"Quillboard.exe"));
    EXPECT_EQ(InstallerMode::Uninstall, mode(L"-?UNINSTALL", L"Quillboard_setup.exe"));
    EXPECT_EQ(InstallerMode::PortableInstall, mode(L"-?portable_install", L"Quillboard.exe"));
    // Without switches the file name decides.
    EXPECT_EQ(InstallerMode::Uninstall, mode(L"", L"Quillboard_Uninstall.exe"));
    EXPECT_EQ(InstallerMode::PortableInstall, mode(L"", L"quillboard_portable_install.exe"));
    EXPECT_EQ(InstallerMode::Install, mode(L"", L"QuillboardSetup.exe"));
    EXPECT_EQ(InstallerMode::Install, mode(L"", L"quillboard_set_up.exe"));
    EXPECT_EQ(InstallerMode::Install, mode(L"", L"Quillboard_Inst.exe"));
    // A file-name install outranks a portable-install switch.
    EXPECT_EQ(InstallerMode::Install, mode(L"-?portable_install", L"setup.exe"));
}

TEST(StartsHidden, OnlyTheShortRawTextWithDashBg)
{
    EXPECT_TRUE(StartsHidden(L"-bg"));
    EXPECT_TRUE(StartsHidden(L" -bg"));
    EXPECT_FALSE(StartsHidden(L"-BG"));
    EXPECT_FALSE(StartsHidden(L"-bg -ini:D:\\x.ini"));
    EXPECT_FALSE(StartsHidden(L""));
}

}  // namespace
