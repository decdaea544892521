// Start-up, single instance, command line and where the configuration file
// ends up, each against the real program.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

constexpr DWORD kExitAfterExitCommand = 0xAFFE;

bool Visible(HWND hWnd)
{
    return ::IsWindowVisible(hWnd) != FALSE;
}

void ExitProgram(QuillProcess& p, HWND main)
{
    ::PostMessageW(main, WM_COMMAND, 32916, 0);
    DWORD code = 0;
    EXPECT_TRUE(p.WaitForExit(15000, &code));
}

TEST(Startup, MainWindowCommandsAndExitCode)
{
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] { return Visible(main); }));
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(32916, 1), 0);
    EXPECT_FALSE(p.WaitForExit(1000, nullptr)) << "Exit with notification code 1 must do nothing";
    // Enter does nothing; Esc hides into the tray and the program keeps running.
    ::SendMessageW(main, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(Visible(main));
    ::SendMessageW(main, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Visible(main); }));
    // System command 18 toggles, 17 exits.
    ::SendMessageW(main, WM_SYSCOMMAND, 18, 0);
    EXPECT_TRUE(WaitUntil([&] { return Visible(main); }));
    ::SendMessageW(main, WM_SYSCOMMAND, 18, 0);
    EXPECT_TRUE(WaitUntil([&] { return !Visible(main); }));
    ::PostMessageW(main, WM_SYSCOMMAND, 17, 0);
    DWORD code = 0;
    ASSERT_TRUE(p.WaitForExit(15000, &code));
    EXPECT_EQ(kExitAfterExitCommand, code) << "got " << code;
}

TEST(Startup, SecondInstanceWakesTheFirstAndEndsWithZero)
{
    QuillProcess first;
    HWND main = first.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    ::SendMessageW(main, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !Visible(main); }));

    QuillProcess second;
    ASSERT_TRUE(second.Start(L"-ini:" + NewIniPath()));
    DWORD code = 0xDEAD;
    ASSERT_TRUE(second.WaitForExit(20000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(WaitUntil([&] { return Visible(main); })) << "the first instance's main window comes up";
    // Shown first without activation; the posted bring-to-front makes it the foreground a moment later.
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; })) << ::GetForegroundWindow();
    ::PostMessageW(main, WM_COMMAND, 32916, 0);
    ASSERT_TRUE(first.WaitForExit(15000, &code));
    EXPECT_EQ(kExitAfterExitCommand, code) << "got " << code;
}

TEST(Startup, DashBgAloneKeepsTheMainWindowHidden)
{
    ::DeleteFileW(UserConfigPath().c_str());
    QuillProcess p;
    HWND main = p.StartMain(L"-bg");
    ASSERT_TRUE(main);
    ::Sleep(300);
    EXPECT_FALSE(Visible(main));
    ExitProgram(p, main);

    // Longer command lines, and the upper-case switch, show it.
    for (const std::wstring& args : {L"-bg -ini:" + NewIniPath(), std::wstring(L"-BG")}) {
        QuillProcess q;
        HWND shown = q.StartMain(args);
        ASSERT_TRUE(shown);
        EXPECT_TRUE(WaitUntil([&] { return Visible(shown); })) << "args: " << std::string(args.begin(), args.end());
        ExitProgram(q, shown);
    }
}

// An existing writable file beside the program wins even over "-ini", unless
// the program runs from inside the temporary folder.
TEST(ConfigLocation, FileBesideTheProgramWinsOverIniOutsideTheTemporaryFolder)
{
    for (bool outsideTemp : {true, false}) {
        std::wstring folder = NewFolder(outsideTemp);
        std::wstring beside = folder + L"\\Quillboard.ini";
        IniWrite(beside, L"Program", L"lng", L"1");
        std::wstring other = NewIniPath();

        QuillProcess p(CopyProgram(folder, L"Quillboard.exe"));
        HWND main = p.StartMain(L"-ini:" + other);
        ASSERT_TRUE(main);
        EXPECT_EQ(outsideTemp ? L"eeee" : L"<missing>", IniRead(beside, L"Program", L"TestIni")) << outsideTemp;
        EXPECT_EQ(outsideTemp ? L"<missing>" : L"eeee", IniRead(other, L"Program", L"TestIni")) << outsideTemp;
        ExitProgram(p, main);
    }
}

TEST(ConfigLocation, PortableNameCreatesTheFileBesideItself)
{
    std::wstring folder = NewFolder(true);
    QuillProcess p(CopyProgram(folder, L"Quillboard_p.exe"));
    HWND main = p.StartMain(L"");
    ASSERT_TRUE(main);
    EXPECT_EQ(L"eeee", IniRead(folder + L"\\Quillboard.ini", L"Program", L"TestIni"));
    std::wstring title = WindowText(main);
    EXPECT_EQ(L" Portable", title.substr(title.size() - 9)) << std::string(title.begin(), title.end());
    ExitProgram(p, main);
}

TEST(ConfigLocation, LeadingUnderscorePIsNotPortable)
{
    ::DeleteFileW(UserConfigPath().c_str());
    std::wstring folder = NewFolder(true);
    QuillProcess p(CopyProgram(folder, L"_pQuillboard.exe"));
    HWND main = p.StartMain(L"");
    ASSERT_TRUE(main);
    EXPECT_FALSE(FileExists(folder + L"\\Quillboard.ini"));
    // Without "-ini" the per-user file is used.
    EXPECT_EQ(L"eeee", IniRead(UserConfigPath(), L"Program", L"TestIni"));
    ExitProgram(p, main);
}

TEST(ConfigLocation, ShortIniValueIsIgnoredAndLongOneUsedWhole)
{
    ::DeleteFileW(UserConfigPath().c_str());
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:a.i");
    ASSERT_TRUE(main);
    EXPECT_EQ(L"eeee", IniRead(UserConfigPath(), L"Program", L"TestIni"));
    ExitProgram(p, main);

    // Longer than the 255 characters a fixed buffer would hold, yet within
    // MAX_PATH, which the platform's INI functions need.
    std::wstring folder = NewFolder();
    folder += L"\\" + std::wstring(200 - folder.size(), L'a');
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    std::wstring ini = folder + L"\\" + std::wstring(258 - folder.size() - 5, L'b') + L".ini";
    ASSERT_EQ(258u, ini.size());
    QuillProcess q;
    main = q.StartMain(L"\"-ini:" + ini + L"\"");
    ASSERT_TRUE(main);
    EXPECT_EQ(L"eeee", IniRead(ini, L"Program", L"TestIni"));
    ExitProgram(q, main);
}

}  // namespace
