#include "setup/Setup.h"

#include <shellapi.h>

#include <vector>

#include "app/Admin.h"
#include "app/Config.h"
#include "app/ProgramMenu.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "setup/Install.h"
#include "setup/Mail.h"
#include "setup/SetupDlg.h"
#include "setup/SetupSystem.h"
#include "ui/ScopedHandles.h"

namespace {

constexpr int kTextInstall = 200;
constexpr int kTextPortable = 201;
constexpr int kTextUninstall = 202;
constexpr int kTextRemoveQuestion = 211;
constexpr int kTextSettingsStay = 212;
constexpr int kTextInstalled = 213;
constexpr int kTextUninstalled = 214;
constexpr int kTextNeedsAdmin = 218;
constexpr int kTextRunNow = 219;
constexpr int kTextFailed = 221;

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

int Ask(int captionId, const std::wstring& text, UINT type)
{
    return ::MessageBoxW(nullptr, text.c_str(), Lang(captionId).c_str(), type | MB_SETFOREGROUND);
}

struct UnattendedSwitches {
    bool silent = false;
    std::wstring dir;
};

UnattendedSwitches ReadUnattended(const std::wstring& raw)
{
    const std::vector<CommandLineToken> tokens = ParseCommandLine(raw);
    UnattendedSwitches u;
    u.silent = FindSwitch(tokens, L"-?silent", false) != nullptr;
    if (const CommandLineToken* t = FindSwitch(tokens, L"-?dir", true); t && t->value)
        u.dir = TrimFolder(*t->value);
    return u;
}

// The same program file again, elevated, with the user's choices as switches;
// its exit code becomes ours.
int RestartElevated(const std::wstring& raw, const InstallChoice& choice)
{
    // Ours first: the first of a switch counts.
    std::wstring parameters = L"-?install forall \"-?dir:" + choice.target + L"\" " + raw;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = L"runas";
    info.lpFile = GetProgramPath().c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info))
        return ::GetLastError() == ERROR_CANCELLED ? kSetupCancelled : kSetupFailed;
    DWORD code = kSetupFailed;
    if (ScopedHandle process(info.hProcess); process) {
        ::WaitForSingleObject(process.Get(), INFINITE);
        ::GetExitCodeProcess(process.Get(), &code);
    }
    return static_cast<int>(code);
}

void OfferToStart(int captionId, const SetupOutcome& done)
{
    if (Ask(captionId, Lang(kTextInstalled) + L"\r\n\r\n" + Lang(kTextRunNow), MB_YESNO | MB_ICONINFORMATION) != IDYES)
        return;
    const std::wstring folder = FolderOf(done.program);
    ::ShellExecuteW(nullptr, L"open", done.program.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL);
}

int Finish(int captionId, bool silent, const SetupOutcome& outcome)
{
    if (outcome.code != kSetupDone) {
        if (!silent)
            Ask(captionId, Lang(outcome.messageId ? outcome.messageId : kTextFailed), MB_OK | MB_ICONERROR);
        return outcome.code;
    }
    if (!silent)
        OfferToStart(captionId, outcome);
    return kSetupDone;
}

int Install(const StartOptions& options, const UnattendedSwitches& u, const std::wstring& raw)
{
    InstallChoice choice;
    choice.forAll = options.forAll;
    choice.target = u.dir.empty() ? DefaultTarget(choice.forAll) : u.dir;
    if (u.silent) {
        if (choice.forAll && !IsAdminProcess())
            return kSetupFailed;
        return Finish(kTextInstall, true, PerformInstall(choice, options.iniOverride));
    }
    CSetupDlg dlg(false, choice);
    if (dlg.DoModal(nullptr) != IDOK)
        return kSetupCancelled;
    choice = dlg.Choice();
    if (choice.forAll && !IsAdminProcess()) {
        if (Ask(kTextInstall, Lang(kTextNeedsAdmin), MB_YESNO | MB_ICONWARNING) != IDYES)
            return kSetupCancelled;
        return RestartElevated(raw, choice);
    }
    return Finish(kTextInstall, false, PerformInstall(choice, options.iniOverride));
}

int PortableInstall(const StartOptions& options, const UnattendedSwitches& u)
{
    InstallChoice choice;
    choice.target = u.dir;
    if (u.silent) {
        if (choice.target.empty())
            return kSetupFailed;
        return Finish(kTextPortable, true, PerformPortableInstall(choice, options.iniOverride));
    }
    CSetupDlg dlg(true, choice);
    if (dlg.DoModal(nullptr) != IDOK)
        return kSetupCancelled;
    return Finish(kTextPortable, false, PerformPortableInstall(dlg.Choice(), options.iniOverride));
}

int Uninstall(const StartOptions& options, const UnattendedSwitches& u)
{
    const std::wstring target = options.uninstallPath.empty() ? GetProgramFolder() : TrimFolder(options.uninstallPath);
    if (!u.silent && Ask(kTextUninstall, ReplaceProgramName(Lang(kTextRemoveQuestion), kProgramName),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return kSetupCancelled;
    SetupOutcome outcome = PerformUninstall(target);
    if (outcome.code != kSetupDone) {
        if (!u.silent)
            Ask(kTextUninstall, Lang(outcome.messageId), MB_OK | MB_ICONERROR);
        return outcome.code;
    }
    if (!u.silent) {
        std::wstring text = Lang(kTextUninstalled);
        if (FileTest(outcome.config.c_str()) == 1)
            text += L"\r\n\r\n" + Lang(kTextSettingsStay) + L"\r\n" + outcome.config;
        Ask(kTextUninstall, text, MB_OK | MB_ICONINFORMATION);
    }
    // Last of all: the batch file waits for this process to let go of its file.
    if (FileTest(outcome.program.c_str()) == 1 && !StartSelfRemoval(outcome.program, FolderOf(outcome.program)))
        return kSetupFailed;
    return kSetupDone;
}

}  // namespace

int RunInstaller(InstallerMode mode, const StartOptions& options, const std::wstring& rawCommandLine)
{
    // Without "m_lang_id" the language the user chose in the program, else the system's.
    const std::wstring config = ConfigPathFor(GetProgramPath(), options.iniOverride, false);
    const int chosen =
        static_cast<int>(::GetPrivateProfileIntW(kProgramSection, L"lng", GetCurrentLanguage(), config.c_str()));
    SetCurrentLanguage(InstallerLanguage(options.installerLanguage, chosen == 0 || chosen == 1 ? chosen : 1));
    const UnattendedSwitches u = ReadUnattended(rawCommandLine);
    switch (mode) {
        case InstallerMode::Install:
            return Install(options, u, rawCommandLine);
        case InstallerMode::Uninstall:
            return Uninstall(options, u);
        case InstallerMode::PortableInstall:
            return PortableInstall(options, u);
        case InstallerMode::None:
            break;
    }
    return kSetupDone;
}

bool OnSetupCommand(HWND owner, UINT command)
{
    switch (command) {
        case ID_RECOMMEND:
        case ID_SEND_BY_MAIL:
            RecommendByMail(owner, command == ID_SEND_BY_MAIL);
            return false;
        case ID_UNINSTALL_USER:
        case ID_UNINSTALL_ALL_USERS:
            // Only what the menu offers: an entry for this very program file.
            return UninstallMenuCommand() == command && RunRegisteredUninstall(command);
        default:
            return false;
    }
}
