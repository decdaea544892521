#include "controls/MyAero.h"

namespace {

using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);

bool g_looked = false;
HMODULE g_dwmapi = nullptr;
DwmIsCompositionEnabledFn g_isCompositionEnabled = nullptr;

}  // namespace

CMyAero::CMyAero()
{
    if (g_looked)
        return;
    g_looked = true;
    g_dwmapi = GetModuleHandleW(L"dwmapi.dll");
    if (g_dwmapi)
        g_isCompositionEnabled = reinterpret_cast<DwmIsCompositionEnabledFn>(
            reinterpret_cast<void*>(GetProcAddress(g_dwmapi, "DwmIsCompositionEnabled")));
}

bool CMyAero::IsCompositionEnabled() const
{
    BOOL enabled = FALSE;
    return g_isCompositionEnabled && SUCCEEDED(g_isCompositionEnabled(&enabled)) && enabled;
}
