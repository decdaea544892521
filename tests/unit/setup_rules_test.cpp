#include "setup/SetupRules.h"

#include <gtest/gtest.h>

namespace {

std::string Narrow(const std::wstring& s)
{
    return std::string(s.begin(), s.end());
}

TEST(UninstallEntry, ValuesFromGivenPaths)
{
    struct Case {
        const wchar_t* exe;
        const wchar_t* target;
        uint64_t bytes;
        const wchar_t* location;
        const wchar_t* uninstall;
        uint32_t kb;
    } cases[] = {
        {L"C:\\Apps\\Quillboard\\Quillboard.exe", L"C:\\Apps\\Quillboard", 2048, L"C:\\Apps\\Quillboard",
         L"\"C:\\Apps\\Quillboard\\Quillboard.exe\" -?uninstall \"-?UNPATH:C:\\Apps\\Quillboard\"", 2},
        // Blanks stay inside the quotes; a trailing backslash goes; a part-kilobyte counts whole.
        {L"C:\\My Apps\\Q b\\Quillboard.exe", L"C:\\My Apps\\Q b\\\\", 2049, L"C:\\My Apps\\Q b",
         L"\"C:\\My Apps\\Q b\\Quillboard.exe\" -?uninstall \"-?UNPATH:C:\\My Apps\\Q b\"", 3},
        {L"D:\\Quillboard.exe", L"D:\\", 0, L"D:\\", L"\"D:\\Quillboard.exe\" -?uninstall \"-?UNPATH:D:\\\"", 0},
    };
    for (const Case& c : cases) {
        UninstallEntry e = MakeUninstallEntry(c.exe, c.target, c.bytes, 2026, 3, 7);
        SCOPED_TRACE(Narrow(c.exe));
        EXPECT_EQ(L"Quillboard", e.displayName);
        EXPECT_EQ(L"1.00", e.displayVersion);
        EXPECT_FALSE(e.publisher.empty());
        EXPECT_EQ(std::wstring(c.exe) + L",0", e.displayIcon);
        EXPECT_EQ(c.location, e.installLocation);
        EXPECT_EQ(c.uninstall, e.uninstallString);
        EXPECT_EQ(std::wstring(c.uninstall) + L" -?silent", e.quietUninstallString);
        EXPECT_EQ(c.kb, e.estimatedSizeKb);
        EXPECT_EQ(L"20260307", e.installDate);
    }
}

TEST(UninstallEntry, RegisteredCommandSplitsBackIntoProgramAndParameters)
{
    UninstallEntry e = MakeUninstallEntry(L"C:\\A b\\Quillboard.exe", L"C:\\A b", 1, 2026, 1, 1);
    std::wstring program, parameters;
    SplitCommand(e.uninstallString, &program, &parameters);
    EXPECT_EQ(L"C:\\A b\\Quillboard.exe", program);
    EXPECT_EQ(L"-?uninstall \"-?UNPATH:C:\\A b\"", parameters);

    struct Case {
        const wchar_t* command;
        const wchar_t* program;
        const wchar_t* parameters;
    } cases[] = {
        {L"C:\\x.exe -bg", L"C:\\x.exe", L"-bg"},
        {L"  \"C:\\y z.exe\"   -bg ", L"C:\\y z.exe", L"-bg "},
        {L"\"C:\\unclosed", L"C:\\unclosed", L""},
    };
    for (const Case& c : cases) {
        SplitCommand(c.command, &program, &parameters);
        EXPECT_EQ(c.program, program) << Narrow(c.command);
        EXPECT_EQ(c.parameters, parameters) << Narrow(c.command);
    }
}

TEST(SelfRemovalBatch, DeletesTheFileRetryingThenTheEmptyFolderThenItself)
{
    const std::wstring text =
        SelfRemovalBatch(L"C:\\Pro gram\\Quillboard.exe", L"C:\\Pro gram\\", L"C:\\Temp\\Quillboard_uninstall_7.bat");
    const wchar_t* expected =
        L"@echo off\r\n"
        L"set n=0\r\n"
        L":retry\r\n"
        L"del /f /q \"C:\\Pro gram\\Quillboard.exe\" >nul 2>&1\r\n"
        L"if not exist \"C:\\Pro gram\\Quillboard.exe\" goto removed\r\n"
        L"set /a n+=1\r\n"
        L"if %n% geq 120 goto finish\r\n"
        L"ping -n 2 -w 500 127.0.0.1 >nul 2>&1\r\n"
        L"goto retry\r\n"
        L":removed\r\n"
        L"rmdir \"C:\\Pro gram\" >nul 2>&1\r\n"
        L":finish\r\n"
        L"del /f /q \"C:\\Temp\\Quillboard_uninstall_7.bat\" >nul 2>&1\r\n";
    EXPECT_EQ(expected, text);
    // Never a recursive removal: the configuration file may lie in that folder.
    EXPECT_EQ(std::wstring::npos, text.find(L"/s"));
}

TEST(SetupRules, FoldersCompareWithoutCaseAndTrailingBackslashes)
{
    EXPECT_TRUE(SameFolder(L"C:\\Apps\\Quillboard", L"c:\\apps\\QUILLBOARD\\"));
    EXPECT_FALSE(SameFolder(L"C:\\Apps\\Quillboard", L"C:\\Apps\\Quillboard2"));
    EXPECT_TRUE(PathInside(L"C:\\Apps\\Q\\Quillboard.exe", L"c:\\apps\\q"));
    EXPECT_FALSE(PathInside(L"C:\\Apps\\Q2\\Quillboard.exe", L"C:\\Apps\\Q"));
    EXPECT_FALSE(PathInside(L"C:\\Apps\\Q", L"C:\\Apps\\Q\\"));
    EXPECT_EQ(L"C:\\", TrimFolder(L"C:\\\\"));
}

TEST(SetupRules, InstallerLanguageFromIndexOrWindowsLanguageId)
{
    EXPECT_EQ(1, InstallerLanguage(std::nullopt, 1));
    EXPECT_EQ(0, InstallerLanguage(0, 1));
    EXPECT_EQ(1, InstallerLanguage(1, 0));
    EXPECT_EQ(0, InstallerLanguage(0x0407, 1));  // German (Germany)
    EXPECT_EQ(0, InstallerLanguage(0x0C07, 1));  // German (Austria)
    EXPECT_EQ(1, InstallerLanguage(0x0409, 0));
}

}  // namespace
