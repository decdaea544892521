#include "app/Autostart.h"

#include <windows.h>

#include "app/Config.h"
#include "ui/ScopedHandles.h"

namespace {

constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
// A program path may be long (up to 32767 characters); the value is read
// whole, never cut, so that a long path is not taken for another one.
constexpr DWORD kMaxValueBytes = 70000;

HKEY Root(bool allUsers)
{
    return allUsers ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// Null when the key cannot be opened.
HKEY OpenRunKey(bool allUsers)
{
    HKEY key = nullptr;
    return ::RegOpenKeyW(Root(allUsers), kRunKey, &key) == ERROR_SUCCESS ? key : nullptr;
}

// Registry data need not end in a zero: the text ends at the stored length.
bool QueryText(HKEY key, const wchar_t* name, std::wstring& text)
{
    DWORD type = 0;
    DWORD bytes = 0;
    if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || bytes > kMaxValueBytes)
        return false;
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &bytes) != ERROR_SUCCESS)
        return false;
    text.assign(data.data(), bytes / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return true;
}

bool SetText(HKEY key, const wchar_t* name, const std::wstring& text)
{
    const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes) == ERROR_SUCCESS;
}

}  // namespace

std::wstring AutostartCommand(const std::wstring& programPath)
{
    return L"\"" + programPath + L"\" -bg";
}

bool IsAutostartOn(const wchar_t* name, bool allUsers)
{
    const std::wstring expected = AutostartCommand(GetProgramPath());
    ScopedRegKey key(OpenRunKey(allUsers));
    std::wstring stored;
    if (!key.Get() || !QueryText(key.Get(), name, stored))
        return false;
    if (stored != expected)
        SetText(key.Get(), name, expected);
    return true;
}

bool SetAutostart(const wchar_t* name, bool allUsers)
{
    return WriteRunValue(name, AutostartCommand(GetProgramPath()), allUsers);
}

bool RemoveAutostart(const wchar_t* name, bool allUsers)
{
    ScopedRegKey key(OpenRunKey(allUsers));
    return key.Get() && ::RegDeleteValueW(key.Get(), name) == ERROR_SUCCESS;
}

std::wstring ReadRunValue(const wchar_t* name, bool allUsers)
{
    ScopedRegKey key(OpenRunKey(allUsers));
    std::wstring text;
    if (key.Get())
        QueryText(key.Get(), name, text);
    return text;
}

bool WriteRunValue(const wchar_t* name, const std::wstring& text, bool allUsers)
{
    ScopedRegKey key(OpenRunKey(allUsers));
    return key.Get() && SetText(key.Get(), name, text);
}
