// Stock icons out of the system shell library, for menu pictures.
#pragma once

#include <windows.h>

class CUniSysIco {
public:
    virtual ~CUniSysIco() = default;

    // The shell library's icon with this resource id: at the system's large-icon
    // size when `large`, else as LoadIconW gives it. Null when the shell library
    // is not in the process or has no such icon. The icon is shared: never destroy it.
    HICON LoadShellIcon(UINT resourceId, bool large) const;

    // The shell library's module, looked up once; the library is never loaded or freed here.
    static HMODULE ShellModule();
};
