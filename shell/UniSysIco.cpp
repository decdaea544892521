#include "shell/UniSysIco.h"

namespace {

HMODULE g_shellModule = nullptr;

}  // namespace

HMODULE CUniSysIco::ShellModule()
{
    // A failed look-up is retried next time: the library may come in later.
    if (!g_shellModule)
        g_shellModule = ::GetModuleHandleW(L"shell32.dll");
    return g_shellModule;
}

HICON CUniSysIco::LoadShellIcon(UINT resourceId, bool large) const
{
    HMODULE shell = ShellModule();
    if (!shell)
        return nullptr;
    if (large) {
        return static_cast<HICON>(::LoadImageW(shell, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON),
                                               LR_SHARED));
    }
    return ::LoadIconW(shell, MAKEINTRESOURCEW(resourceId));
}
