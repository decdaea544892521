#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/Config.h"
#include "app/ConfigRules.h"
#include "app/MainDlg.h"
#include "lang/LanguageTable.h"
#include "setup/Setup.h"
#include "ui/MessageLoop.h"
#include "ui/ScopedHandles.h"

#include <commctrl.h>

#include <string>

UINT g_instanceMessage = 0;

namespace {

const wchar_t kMutexName[] = L"Quillboard_WETZREWZREZ";

// Kept for the life of the process: the first instance is the one holding it.
HANDLE g_instanceMutex = nullptr;

std::wstring g_commandLine;

BOOL CALLBACK WakeFirstInstance(HWND hWnd, LPARAM found)
{
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(hWnd, g_instanceMessage, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 5000, &result))
        return TRUE;
    if (result != g_instanceMessage)
        return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

void HandOverToFirstInstance()
{
    bool found = false;
    ::EnumWindows(&WakeFirstInstance, reinterpret_cast<LPARAM>(&found));
    ::PostQuitMessage(kExitCodeAfterExit);
}

int LanguageFromUser()
{
    return PRIMARYLANGID(::GetUserDefaultLangID()) == LANG_GERMAN ? 0 : 1;
}

int Run(const wchar_t* commandLine, int showCommand)
{
    g_commandLine = commandLine ? commandLine : L"";
    ResolveConfigPath();
    g_lang_index = ReadProgramInt(L"lng", g_lang_index);

    CMessageLoop loop;
    g_module.AddMessageLoop(&loop);

    int exitCode = 0;
    {
        CMainDlg mainDlg;
        if (mainDlg.Create(nullptr)) {
            if (!StartsHidden(g_commandLine))
                mainDlg.ShowWindow(showCommand);
            exitCode = loop.Run();
        }
        if (mainDlg.IsWindow())
            mainDlg.DestroyWindow();
    }

    g_module.RemoveMessageLoop();
    return exitCode;
}

}  // namespace

int QuillboardMain(HINSTANCE hInstance, const wchar_t* commandLine, int showCommand)
{
    ScopedComInit com;

    if (!LoadLanguageTable())
        return 0;

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    // The main window's lists are extended combo boxes: make sure their class exists too.
    INITCOMMONCONTROLSEX iccEx = {sizeof(iccEx), ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&iccEx);

    g_instanceMessage = ::RegisterWindowMessageW(kProgramName);
    ::LoadLibraryW(L"RICHED20.DLL");

    // The installer modes come before the single-instance test, so that setup
    // and uninstall run while Quillboard runs.
    g_lang_index = LanguageFromUser();
    StartOptions options;
    if (commandLine && *commandLine)
        options = EvaluateSwitches(ParseCommandLine(commandLine));
    InstallerMode mode = SelectInstallerMode(options, FileNameOf(GetProgramPath()));
    if (mode != InstallerMode::None) {
        SetConfigOverride(options.iniOverride);
        return RunInstaller(mode, options, commandLine ? commandLine : L"");
    }

    g_instanceMutex = ::CreateMutexW(nullptr, FALSE, kMutexName);
    DWORD err = ::GetLastError();
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_ACCESS_DENIED) {
        HandOverToFirstInstance();
        return 0;
    }
    SetConfigOverride(options.iniOverride);

    g_module.Init(hInstance);
    int exitCode = Run(commandLine, showCommand);
    g_module.Term();
    return exitCode;
}
