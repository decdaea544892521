#include "app/Admin.h"

#include <windows.h>

namespace {

bool ProbeAdmin()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_WRITE, &key) !=
        ERROR_SUCCESS)
        return false;
    const wchar_t name[] = L"_________ADMIN_TEST_Brightmoor";
    DWORD value = 11111;
    bool ok = ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
              ERROR_SUCCESS;
    if (ok)
        ::RegDeleteValueW(key, name);
    ::RegCloseKey(key);
    return ok;
}

}  // namespace

bool IsAdminProcess()
{
    static const bool admin = ProbeAdmin();
    return admin;
}
