// The installer's rules without Windows. (The entry the installer registers is read back end to end.)
#include "setup/SetupRules.h"

#include <gtest/gtest.h>

namespace {

std::string Narrow(const std::wstring& s)
{
    return std::string(s.begin(), s.end());
}

TEST(UninstallEntry, BlanksTrailingBackslashesRootsAndPartKilobytes)
{
    const struct {
        const wchar_t* exe;
        const wchar_t* target;
        uint64_t bytes;
        const wchar_t* location;
        const wchar_t* uninstall;
        uint32_t kb;
    } cases[] = {
        {L"C:\\My Apps\\Q b\\Quillboard.exe", L"C:\\My Apps\\Q b\\\\", 2049, L"C:\\My Apps\\Q b",
         L"\"C:\\My Apps\\Q b\\Quillboard.exe\" -?uninstall \"-?UNPATH:C:\\My Apps\\Q b\"", 3},
        {L"D:\\Quillboard.exe", L"D:\\", 0, L"D:\\", L"\"D:\\Quillboard.exe\" -?uninstall \"-?UNPATH:D:\\\"", 0},
    };
    for (const auto& c : cases) {
        const UninstallEntry e = MakeUninstallEntry(c.exe, c.target, c.bytes, 2026, 3, 7);
        EXPECT_EQ(c.location, e.installLocation) << Narrow(c.exe);
        EXPECT_EQ(c.uninstall, e.uninstallString) << Narrow(c.exe);
        EXPECT_EQ(c.kb, e.estimatedSizeKb) << Narrow(c.exe);
        EXPECT_EQ(L"20260307", e.installDate);
    }
}

TEST(UninstallEntry, RegisteredCommandSplitsBackIntoProgramAndParameters)
{
    const struct {
        std::wstring command;
        const wchar_t* program;
        const wchar_t* parameters;
    } cases[] = {
        {MakeUninstallEntry(L"C:\\A b\\Quillboard.exe", L"C:\\A b", 1, 2026, 1, 1).uninstallString,
         L"C:\\A b\\Quillboard.exe", L"-?uninstall \"-?UNPATH:C:\\A b\""},
        {L"C:\\x.exe -bg", L"C:\\x.exe", L"-bg"},
        {L"  \"C:\\y z.exe\"   -bg ", L"C:\\y z.exe", L"-bg "},
        {L"\"C:\\unclosed", L"C:\\unclosed", L""},
    };
    for (const auto& c : cases) {
        std::wstring program, parameters;
        SplitCommand(c.command, &program, &parameters);
        EXPECT_EQ(c.program, program) << Narrow(c.command);
        EXPECT_EQ(c.parameters, parameters) << Narrow(c.command);
    }
}

TEST(SelfRemovalBatch, RetriesTheFileThenRemovesTheEmptyFolderThenItself)
{
    const std::wstring text =
        SelfRemovalBatch(L"C:\\Pro gram\\Quillboard.exe", L"C:\\Pro gram\\", L"C:\\Temp\\Quillboard_uninstall_7.bat");
    size_t at = 0;
    for (const wchar_t* step :
         {L":retry\r\ndel /f /q \"C:\\Pro gram\\Quillboard.exe\"",
          L"if not exist \"C:\\Pro gram\\Quillboard.exe\" goto removed", L"if %n% geq 120 goto finish",
          L"goto retry\r\n", L":removed\r\nrmdir \"C:\\Pro gram\" >nul",
          L"del /f /q \"C:\\Temp\\Quillboard_uninstall_7.bat\""}) {
        at = text.find(step, at);
        EXPECT_NE(std::wstring::npos, at) << Narrow(step) << " in order in\n" << Narrow(text);
    }
    // Never a recursive removal: the configuration file may lie in that folder.
    EXPECT_EQ(std::wstring::npos, text.find(L"/s"));
}

TEST(SetupRules, FoldersLanguagesAndPaths)
{
    EXPECT_TRUE(SameFolder(L"C:\\Apps\\Quillboard", L"c:\\apps\\QUILLBOARD\\"));
    EXPECT_FALSE(SameFolder(L"C:\\Apps\\Quillboard", L"C:\\Apps\\Quillboard2"));
    EXPECT_TRUE(PathInside(L"C:\\Apps\\Q\\Quillboard.exe", L"c:\\apps\\q"));
    EXPECT_FALSE(PathInside(L"C:\\Apps\\Q2\\Quillboard.exe", L"C:\\Apps\\Q"));
    EXPECT_FALSE(PathInside(L"C:\\Apps\\Q", L"C:\\Apps\\Q\\"));
    EXPECT_EQ(L"C:\\", TrimFolder(L"C:\\\\"));
    // An index, or a Windows language id: every German one is German.
    const struct {
        std::optional<int> id;
        int current, expected;
    } languages[] = {{std::nullopt, 1, 1}, {0, 1, 0}, {1, 0, 1}, {0x0407, 1, 0}, {0x0C07, 1, 0}, {0x0409, 0, 1}};
    for (const auto& l : languages)
        EXPECT_EQ(l.expected, InstallerLanguage(l.id, l.current)) << l.id.value_or(-1);
}

}  // namespace
