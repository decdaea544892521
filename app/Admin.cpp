#include "app/Admin.h"

#include <windows.h>

#include "ui/ScopedHandles.h"

namespace {

bool ProbeAdmin()
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_WRITE, &opened) !=
        ERROR_SUCCESS)
        return false;
    ScopedRegKey key(opened);
    const wchar_t name[] = L"_________ADMIN_TEST_Brightmoor";
    DWORD value = 11111;
    bool ok = ::RegSetValueExW(key.Get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
              ERROR_SUCCESS;
    if (ok)
        ::RegDeleteValueW(key.Get(), name);
    return ok;
}

}  // namespace

bool IsAdminProcess()
{
    static const bool admin = ProbeAdmin();
    return admin;
}
