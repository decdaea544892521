#include "setup/Install.h"

#include <windows.h>
#include <shlobj.h>

#include <ctime>

#include "app/Admin.h"
#include "app/Autostart.h"
#include "app/Config.h"
#include "setup/SetupSystem.h"
#include "shell/SendTo.h"

namespace {

constexpr DWORD kEndProgramTimeoutMs = 5000;
constexpr int kTextPleaseClose = 215;
constexpr int kTextFailed = 221;

SetupOutcome Failed(int messageId)
{
    SetupOutcome o;
    o.code = 1603;
    o.messageId = messageId;
    return o;
}

bool CreateFolder(const std::wstring& folder)
{
    int rc = ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    return rc == ERROR_SUCCESS || rc == ERROR_ALREADY_EXISTS || rc == ERROR_FILE_EXISTS ||
           FileTest(folder.c_str()) == 2;
}

bool SameFile(const std::wstring& a, const std::wstring& b)
{
    return SameFolder(a, b);  // the same comparison serves for files
}

// Copies the running program; installing it over itself leaves it as it is.
bool CopyProgramTo(const std::wstring& path)
{
    return SameFile(GetProgramPath(), path) || ::CopyFileW(GetProgramPath().c_str(), path.c_str(), FALSE);
}

bool WriteShortcutTo(const std::wstring& exe, const std::wstring& link)
{
    if (link.empty())
        return false;
    CreateFolder(FolderOf(link));
    return SUCCEEDED(WriteShortcut(exe.c_str(), kProgramName, link.c_str()));
}

struct InstallerKeys {
    bool desktopShortcut = false;
    bool uninstallEntry = false;
    bool startShortcut = false;
    bool forAll = false;
    bool portable = false;
    std::wstring folder;
};

void WriteInstallerKeys(const std::wstring& ini, const InstallerKeys& k)
{
    auto flag = [&](const wchar_t* key, bool on) {
        ::WritePrivateProfileStringW(kProgramSection, key, on ? L"1" : L"0", ini.c_str());
    };
    flag(L"desktop_shortcut", k.desktopShortcut);
    flag(L"uninstall_shortcut", k.uninstallEntry);
    flag(L"start_shortcut", k.startShortcut);
    flag(L"admin_install", IsAdminProcess());
    flag(L"for_all_install", k.forAll);
    flag(L"portable_install", k.portable);
    ::WritePrivateProfileStringW(kProgramSection, L"install_dir", k.folder.c_str(), ini.c_str());
    ::WritePrivateProfileStringW(kProgramSection, L"Install_Time",
                                 std::to_wstring(static_cast<long long>(std::time(nullptr))).c_str(), ini.c_str());
}

// The Run value counts as ours when it starts a program inside the folder.
bool AutostartInto(const std::wstring& folder, bool forAll)
{
    std::wstring program, parameters;
    SplitCommand(ReadRunValue(kProgramName, forAll), &program, &parameters);
    return PathInside(program, folder);
}

}  // namespace

SetupOutcome PerformInstall(const InstallChoice& choice, const std::wstring& iniOverride)
{
    const std::wstring target = AbsoluteFolder(choice.target);
    if (target.empty())
        return Failed(kTextFailed);
    if (!EndRunningQuillboard(kEndProgramTimeoutMs))
        return Failed(kTextPleaseClose);
    const std::wstring exe = target + L"\\" + kInstalledFileName;
    if (!CreateFolder(target) || !CopyProgramTo(exe))
        return Failed(kTextFailed);

    SYSTEMTIME now;
    ::GetLocalTime(&now);
    // Without the entry nothing could remove the installation: that is a failure.
    if (!WriteUninstallEntry(MakeUninstallEntry(exe, target, FileBytes(exe), now.wYear, now.wMonth, now.wDay),
                             choice.forAll))
        return Failed(kTextFailed);

    InstallerKeys keys;
    keys.startShortcut = choice.startShortcut && WriteShortcutTo(exe, StartMenuShortcut(choice.forAll));
    keys.desktopShortcut = choice.desktopShortcut && WriteShortcutTo(exe, DesktopShortcut(choice.forAll));
    if (choice.autostart)
        WriteRunValue(kProgramName, AutostartCommand(exe), choice.forAll);
    else if (AutostartInto(target, choice.forAll))
        RemoveAutostart(kProgramName, choice.forAll);

    keys.uninstallEntry = true;
    keys.forAll = choice.forAll;
    keys.folder = target;
    SetupOutcome o;
    o.program = exe;
    o.config = ConfigPathFor(exe, iniOverride, true);
    WriteInstallerKeys(o.config, keys);
    return o;
}

SetupOutcome PerformPortableInstall(const InstallChoice& choice, const std::wstring& iniOverride)
{
    const std::wstring target = AbsoluteFolder(choice.target);
    if (target.empty())
        return Failed(kTextFailed);
    const std::wstring exe = target + L"\\" + kPortableFileName;
    if (!CreateFolder(target) || !CopyProgramTo(exe))
        return Failed(kTextFailed);

    SetupOutcome o;
    o.program = exe;
    o.config = target + L"\\" + kProgramName + L".ini";
    // Notes already on the medium are never overwritten.
    if (choice.takeNotes && FileTest(o.config.c_str()) != 1) {
        const std::wstring source = ConfigPathFor(GetProgramPath(), iniOverride, false);
        if (FileTest(source.c_str()) == 1 && !SameFile(source, o.config))
            ::CopyFileW(source.c_str(), o.config.c_str(), TRUE);
    }
    InstallerKeys keys;
    keys.portable = true;
    keys.folder = target;
    WriteInstallerKeys(o.config, keys);
    if (FileTest(o.config.c_str()) != 1)
        return Failed(kTextFailed);
    return o;
}

SetupOutcome PerformUninstall(const std::wstring& targetFolder)
{
    const std::wstring target = AbsoluteFolder(targetFolder);
    if (target.empty())
        return Failed(kTextFailed);
    if (!EndRunningQuillboard(kEndProgramTimeoutMs))
        return Failed(kTextPleaseClose);

    for (bool forAll : {false, true}) {
        if (SameFolder(ReadUninstallValue(forAll, L"InstallLocation"), target))
            DeleteUninstallEntry(forAll);
        if (AutostartInto(target, forAll))
            RemoveAutostart(kProgramName, forAll);
        RemoveShortcutInto(StartMenuShortcut(forAll), target);
        RemoveShortcutInto(DesktopShortcut(forAll), target);
    }
    RemoveShortcutInto(CSendTo::ShortcutPath(kSendToName), target);

    SetupOutcome o;
    o.program = target + L"\\" + kInstalledFileName;
    o.config = ConfigPathFor(o.program, L"", false);
    return o;
}
