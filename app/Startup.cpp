#include "app/Startup.h"

#include "app/CommandLine.h"
#include "app/Config.h"
#include "app/ConfigRules.h"
#include "app/MainDlg.h"
#include "lang/LanguageTable.h"
#include "ui/MessageLoop.h"

#include <commctrl.h>
#include <objbase.h>

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

// The installer, uninstaller and portable installer share this program file.
// They are not built yet: such a start ends at once and starts nothing else.
int RunInstaller(InstallerMode, const StartOptions&)
{
    return 0;
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
    ::CoInitialize(nullptr);

    if (!LoadLanguageTable()) {
        ::CoUninitialize();
        return 0;
    }

    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);
    // The main window's lists are extended combo boxes: make sure their class exists too.
    INITCOMMONCONTROLSEX iccEx = {sizeof(iccEx), ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&iccEx);

    g_instanceMessage = ::RegisterWindowMessageW(kProgramName);
    ::LoadLibraryW(L"RICHED20.DLL");

    g_instanceMutex = ::CreateMutexW(nullptr, FALSE, kMutexName);
    DWORD err = ::GetLastError();
    if (err == ERROR_ALREADY_EXISTS || err == ERROR_ACCESS_DENIED) {
        HandOverToFirstInstance();
        ::CoUninitialize();
        return 0;
    }

    g_lang_index = LanguageFromUser();

    StartOptions options;
    if (commandLine && *commandLine) {
        options = EvaluateSwitches(ParseCommandLine(commandLine));
        SetConfigOverride(options.iniOverride);
    }

    InstallerMode mode = SelectInstallerMode(options, FileNameOf(GetProgramPath()));
    if (mode != InstallerMode::None) {
        int code = RunInstaller(mode, options);
        ::CoUninitialize();
        return code;
    }

    g_module.Init(hInstance);
    int exitCode = Run(commandLine, showCommand);
    g_module.Term();
    ::CoUninitialize();
    return exitCode;
}
