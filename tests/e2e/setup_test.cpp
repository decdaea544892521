// The installer modes of the real program file, unattended and through their dialogs: install, the registered
// uninstall, portable install, cancel.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <vector>

using namespace e2e;

namespace {

constexpr DWORD kCancelled = 1602;
constexpr DWORD kFailed = 1603;
constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillboard";
constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool Registered(HKEY root)
{
    return RegText(root, kUninstallKey, L"InstallLocation") != L"<missing>";
}

// The program's shortcut in a special folder.
std::wstring Link(int csidl)
{
    wchar_t buf[MAX_PATH] = L"";
    ::SHGetSpecialFolderPathW(nullptr, buf, csidl, FALSE);
    return buf + std::wstring(L"\\Quillboard.lnk");
}

bool Absent(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES;
}

// Whatever an install in this test wrote outside its folders goes at the end, however the test ended.
struct InstallCleanup {
    ~InstallCleanup()
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
            ::RegDeleteKeyW(root, kUninstallKey);
            ::RegDeleteKeyValueW(root, kRunKey, L"Quillboard");
        }
        for (int csidl : {CSIDL_PROGRAMS, CSIDL_COMMON_PROGRAMS, CSIDL_DESKTOPDIRECTORY, CSIDL_COMMON_DESKTOPDIRECTORY})
            ::DeleteFileW(Link(csidl).c_str());
    }
};

DWORD RunToEnd(const std::wstring& program, const std::wstring& args)
{
    QuillProcess p(program);
    DWORD code = 0xDEADBEEF;
    if (p.Start(args))
        p.WaitForExit(30000, &code);
    return code;
}

// The uninstaller's box other than `except`, a window of another process.
HWND UninstallBox(HWND except = nullptr)
{
    return WaitForWindow([&](HWND w) {
        return w != except && ::IsWindowVisible(w) && ClassName(w) == L"#32770" && WindowText(w) == L"Uninstall";
    });
}

TEST(Setup, SilentInstallEndsTheRunningProgramAndItsQuietUninstallRemovesIt)
{
    InstallCleanup cleanup;
    const std::wstring ini = NewIniPath();
    StoreNote(ini, 0, 100, 100, 200, 150);
    QuillProcess running;
    HWND main = running.StartMain(L"-ini:" + NewIniPath());
    ASSERT_TRUE(main);

    // Blanks in the target: the folder must come back as one -?UNPATH value. The euro sign is no character of the
    // batch file's code page.
    const std::wstring target = NewFolder(true) + L"\\Quill Board \x20AC Target";
    const std::wstring setup = CopyProgram(NewFolder(true), L"QuillboardSetup.exe");
    ASSERT_EQ(0u, RunToEnd(setup, L"-?SILENT \"-?dir:" + target + L"\" -ini:" + ini));
    DWORD code = 0;
    EXPECT_TRUE(running.WaitForExit(5000, &code)) << "the running program was ended";
    EXPECT_EQ(kExitAfterExitCommand, code);

    const std::wstring exe = target + L"\\Quillboard.exe";
    ASSERT_TRUE(FileExists(exe));
    const HKEY hkcu = HKEY_CURRENT_USER;
    EXPECT_EQ(target, RegText(hkcu, kUninstallKey, L"InstallLocation"));
    EXPECT_EQ(L"\"" + exe + L"\" -?uninstall \"-?UNPATH:" + target + L"\" -?silent",
              RegText(hkcu, kUninstallKey, L"QuietUninstallString"));
    EXPECT_TRUE(FileExists(Link(CSIDL_PROGRAMS)));
    EXPECT_FALSE(FileExists(Link(CSIDL_DESKTOPDIRECTORY))) << "desktop shortcut is off";
    EXPECT_EQ(L"\"" + exe + L"\" -bg", RegText(hkcu, kRunKey, L"Quillboard"));
    EXPECT_FALSE(Registered(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(target, IniRead(ini, L"Program", L"install_dir"));

    // The quiet uninstall as a package manager would run it: by its registered text.
    const std::wstring quiet = RegText(hkcu, kUninstallKey, L"QuietUninstallString");
    const size_t close = quiet.find(L'"', 1);
    ASSERT_NE(std::wstring::npos, close);
    ASSERT_EQ(0u, RunToEnd(quiet.substr(1, close - 1), quiet.substr(close + 2)));
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(exe) && Absent(target); }, 10000))
        << "program file and folder removed by the batch file";
    EXPECT_FALSE(FileExists(Link(CSIDL_PROGRAMS)));
    EXPECT_FALSE(Registered(hkcu));
    EXPECT_EQ(L"<missing>", RegText(hkcu, kRunKey, L"Quillboard"));
    EXPECT_EQ(L"200", IniRead(ini, L"000_Notice_set", L"m_cx")) << "the configuration file keeps its notes";
}

TEST(Setup, ForAllWritesTheMachineEntryWhoseProgramOffersTheUninstall)
{
    InstallCleanup cleanup;
    const std::wstring target = NewFolder(true) + L"\\All";
    const std::wstring ini = NewIniPath();
    ASSERT_EQ(0u, RunToEnd(ProgramPath(), L"-?install forall -?silent \"-?dir:" + target + L"\" -ini:" + ini));
    const std::wstring exe = target + L"\\Quillboard.exe";
    EXPECT_EQ(target, RegText(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"));
    EXPECT_EQ(L"\"" + exe + L"\" -bg", RegText(HKEY_LOCAL_MACHINE, kRunKey, L"Quillboard"));
    EXPECT_FALSE(Registered(HKEY_CURRENT_USER));
    EXPECT_TRUE(FileExists(Link(CSIDL_COMMON_PROGRAMS)));
    EXPECT_EQ(L"1", IniRead(ini, L"Program", L"for_all_install"));

    // A copy elsewhere is not the registered one: the uninstall command does nothing there.
    {
        QuillProcess elsewhere;
        HWND main = elsewhere.StartMain(L"-ini:" + NewIniPath());
        ASSERT_TRUE(main);
        ::PostMessageW(main, WM_COMMAND, ID_UNINSTALL_ALL_USERS, 0);
        EXPECT_FALSE(elsewhere.WaitForExit(1500, nullptr));
        EXPECT_EQ(kExitAfterExitCommand, elsewhere.Exit(main));
    }

    // The installed program runs its registered uninstall and steps aside with 0. It uses the per-user file, which
    // the uninstaller names at its end.
    const bool hadUserConfig = FileExists(UserConfigPath());
    QuillProcess installed(exe);
    // Once in several runs the start right after the install failed at once under Wine: retried, as after a kill.
    ASSERT_TRUE(WaitUntil([&] { return installed.Start(L""); }, 10000, 200)) << "error " << ::GetLastError();
    HWND main = installed.WaitForMainWindow();
    ASSERT_TRUE(main) << "running: " << installed.Running();
    installed.WaitIdle();
    ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(ID_UNINSTALL_ALL_USERS, 1), 0);
    EXPECT_FALSE(installed.WaitForExit(1000, nullptr)) << "notification code 1 is no command";
    ::PostMessageW(main, WM_COMMAND, ID_UNINSTALL_ALL_USERS, 0);
    DWORD code = 0xDEAD;
    ASSERT_TRUE(installed.WaitForExit(10000, &code));
    EXPECT_EQ(0u, code);

    // The uninstaller asks first; Yes, then its closing message, then the batch file.
    HWND ask = UninstallBox();
    ASSERT_TRUE(ask && CloseBox(ask, IDYES)) << "the uninstaller's question";
    HWND done = UninstallBox(ask);
    ASSERT_TRUE(done);
    const std::wstring said = BoxText(done);
    EXPECT_NE(std::wstring::npos, said.find(UserConfigPath())) << Narrow(said);
    CloseBox(done);
    EXPECT_TRUE(WaitUntil([&] { return !FileExists(exe) && !Registered(HKEY_LOCAL_MACHINE); }, 10000));
    EXPECT_FALSE(FileExists(Link(CSIDL_COMMON_PROGRAMS)));
    EXPECT_EQ(L"<missing>", RegText(HKEY_LOCAL_MACHINE, kRunKey, L"Quillboard"));
    EXPECT_TRUE(FileExists(UserConfigPath()));
    if (!hadUserConfig)
        ::DeleteFileW(UserConfigPath().c_str());
}

TEST(Setup, PortableInstallTakesTheNotesAlong)
{
    const std::wstring ini = NewIniPath();
    StoreNote(ini, 0, 100, 100, 200, 150);
    StoreNote(ini, 3, 500, 100, 200, 150);
    EXPECT_EQ(kFailed, RunToEnd(ProgramPath(), L"-?portable_install -?silent -ini:" + ini)) << "no -?dir";

    const std::wstring stick = NewFolder(true) + L"\\Stick";
    ASSERT_EQ(0u, RunToEnd(ProgramPath(), L"-?portable_install -?silent \"-?dir:" + stick + L"\" -ini:" + ini));
    const std::wstring copy = stick + L"\\Quillboard_p.exe", portableIni = stick + L"\\Quillboard.ini";
    ASSERT_TRUE(FileExists(copy));
    EXPECT_EQ(L"1", IniRead(portableIni, L"Program", L"portable_install"));
    EXPECT_EQ(stick, IniRead(portableIni, L"Program", L"install_dir"));
    EXPECT_FALSE(Registered(HKEY_CURRENT_USER));

    QuillProcess p(copy);
    HWND main = p.StartMain(L"");
    ASSERT_TRUE(main);
    EXPECT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 2; })) << NoteWindows(p).size();
    EXPECT_EQ(kExitAfterExitCommand, p.Exit(main));
}

TEST(Setup, DialogsCancelledExit1602AndWriteNothing)
{
    InstallCleanup cleanup;
    for (const auto& [fileName, caption] :
         {std::pair{L"QuillboardSetup.exe", L"Install"}, {L"Quillboard_portable_install.exe", L"Portable install"}}) {
        const std::wstring target = NewFolder(true) + L"\\Target", ini = NewIniPath();
        QuillProcess p(CopyProgram(NewFolder(true), fileName));
        ASSERT_TRUE(p.Start(L"m_lang_id:1 \"-?dir:" + target + L"\" -ini:" + ini));
        HWND dialog = WaitForBox(p, nullptr, [&](HWND w) { return WindowText(w) == caption; });
        ASSERT_TRUE(dialog) << Narrow(fileName);
        ::SendMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        DWORD code = 0;
        ASSERT_TRUE(p.WaitForExit(10000, &code));
        EXPECT_EQ(kCancelled, code) << Narrow(fileName);
        EXPECT_TRUE(Absent(target));
        EXPECT_FALSE(FileExists(ini));
    }
}

}  // namespace
