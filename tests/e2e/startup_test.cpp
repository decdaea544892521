// Start-up, single instance, command line and where the configuration file ends up.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

TEST(Startup, MainWindowCommandsSecondInstanceAndExitCode)
{
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main); }));
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 1), 0);
    EXPECT_FALSE(p.WaitForExit(1000)) << "Exit with notification code 1 must do nothing";
    // Esc hides into the tray and the program keeps running.
    ::SendMessageW(main, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }));

    // A second instance wakes the first and ends with 0.
    QuillProcess second;
    ASSERT_TRUE(second.Start(L"-ini:" + NewIniPath()));
    DWORD code = 0xDEAD;
    ASSERT_TRUE(second.WaitForExit(20000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main); })) << "the first instance's main window comes up";
    // The wake-up posts its bring-to-front: the foreground follows a moment later.
    EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == main; })) << ::GetForegroundWindow();

    // System command 18 toggles, 17 exits.
    ::SendMessageW(main, WM_SYSCOMMAND, 18, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(main); }));
    ::SendMessageW(main, WM_SYSCOMMAND, 18, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(main); }));
    ::PostMessageW(main, WM_SYSCOMMAND, 17, 0);
    ASSERT_TRUE(p.WaitForExit(15000, &code));
    EXPECT_EQ(kExitAfterExitCommand, code) << "got " << code;
}

// "-bg" alone (as the autostart entry starts it) keeps the main window hidden; which spellings count is the unit
// tests'.
TEST(Startup, DashBgAloneKeepsTheMainWindowHidden)
{
    ::DeleteFileW(UserConfigPath().c_str());
    QuillProcess p;
    HWND main = p.StartMain(L"-bg");
    ASSERT_TRUE(main);
    // Started and waiting for input: whatever the start-up posted has been handled.
    ASSERT_TRUE(Send(main, WM_NULL));
    EXPECT_FALSE(::IsWindowVisible(main));
    EXPECT_EQ(kExitAfterExitCommand, p.Exit(main));
}

// Where the configuration file ends up.
TEST(ConfigLocation, TheFileBesideTheProgramTheIniValueOrThePerUserFile)
{
    // Longer than the 255 characters a fixed buffer would hold, yet within MAX_PATH, which the INI functions need.
    std::wstring folder = NewFolder();
    folder += L"\\" + std::wstring(200 - folder.size(), L'a');
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring longIni = folder + L"\\" + std::wstring(258 - folder.size() - 5, L'b') + L".ini";
    ASSERT_EQ(258u, longIni.size());

    enum Where { kBeside, kIni, kUser };
    const struct {
        const wchar_t* name;
        bool outsideTemp, besideExists;
        std::wstring ini;  // "*": a new path
        Where where;
    } cases[] = {
        // An existing writable file beside the program wins even over "-ini", unless the program runs
        // from inside the temporary folder.
        {L"Quillboard.exe", true, true, L"*", kBeside},
        {L"Quillboard.exe", false, true, L"*", kIni},
        // A portable name creates the file beside itself.
        {L"Quillboard_p.exe", true, false, L"", kBeside},
        // A too short "-ini" value is ignored, a long one used whole.
        {L"Quillboard.exe", true, false, L"a.i", kUser},
        {L"Quillboard.exe", true, false, longIni, kIni},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Narrow(c.name) + " -ini:" + Narrow(c.ini.substr(0, 10)));
        ::DeleteFileW(UserConfigPath().c_str());
        const std::wstring at = NewFolder(c.outsideTemp), beside = at + L"\\Quillboard.ini";
        if (c.besideExists)
            IniWrite(beside, L"Program", L"lng", L"1");
        const std::wstring ini = c.ini == L"*" ? NewIniPath() : c.ini;
        if (c.ini == L"*")
            IniWrite(ini, L"Program", L"lng", L"0");  // German where this file is used: the same title
        QuillProcess p(CopyProgram(at, c.name));
        HWND main = p.StartMain(ini.empty() ? L"" : L"\"-ini:" + ini + L"\"");
        ASSERT_TRUE(main);
        const std::wstring files[] = {beside, ini, UserConfigPath()};
        for (int where : {kBeside, kIni, kUser})
            EXPECT_EQ(where == c.where ? L"eeee" : L"<missing>", IniRead(files[where], L"Program", L"TestIni"))
                << "file " << where;
        EXPECT_EQ(kExitAfterExitCommand, p.Exit(main));
    }
}

}  // namespace
