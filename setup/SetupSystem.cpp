#include "setup/SetupSystem.h"

#include <objidl.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "app/Config.h"
#include "app/ConfigRules.h"
#include "app/Startup.h"
#include "res/resource.h"
#include "setup/Setup.h"
#include "ui/ScopedHandles.h"
#include "ui/TextConv.h"

namespace {

constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillboard";

HKEY Root(bool forAll)
{
    return forAll ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::wstring TempFolder()
{
    wchar_t buf[MAX_PATH + 1] = L"";
    DWORD n = ::GetTempPathW(MAX_PATH + 1, buf);
    return n && n <= MAX_PATH ? buf : L"";
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& value)
{
    return ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool SetDword(HKEY key, const wchar_t* name, DWORD value)
{
    return ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

struct FoundWindow {
    DWORD ownPid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectQuillboard(HWND hWnd, LPARAM lParam)
{
    auto* found = reinterpret_cast<FoundWindow*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == found->ownPid)
        return TRUE;
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutW(hWnd, g_instanceMessage, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG, 2000, &result) &&
        result == g_instanceMessage)
        found->windows.push_back(hWnd);
    return TRUE;
}

bool FitsOemCodePage(const std::wstring& text)
{
    bool lossless = true;
    TextToMultiByte(CP_OEMCP, text, &lossless);
    return lossless;
}

// cmd reads a batch file in the OEM code page: a path that does not fit it is
// written by its short (8.3) name, when the file system keeps one.
std::wstring BatchPath(const std::wstring& path)
{
    if (FitsOemCodePage(path))
        return path;
    wchar_t shortPath[MAX_PATH] = L"";
    DWORD n = ::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
    return n && n < MAX_PATH ? shortPath : path;
}

}  // namespace

std::wstring SpecialFolder(int csidl)
{
    wchar_t buf[MAX_PATH] = L"";
    if (!::SHGetSpecialFolderPathW(nullptr, buf, csidl, FALSE))
        return L"";
    return buf;
}

std::wstring DefaultTarget(bool forAll)
{
    std::wstring base = forAll ? SpecialFolder(CSIDL_PROGRAM_FILES) : SpecialFolder(CSIDL_LOCAL_APPDATA);
    if (base.empty())
        return L"";
    return forAll ? base + L"\\Quillboard" : base + L"\\Programs\\Quillboard";
}

std::wstring StartMenuShortcut(bool forAll)
{
    std::wstring folder = SpecialFolder(forAll ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    return folder.empty() ? L"" : folder + L"\\Quillboard.lnk";
}

std::wstring DesktopShortcut(bool forAll)
{
    std::wstring folder = SpecialFolder(forAll ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOPDIRECTORY);
    return folder.empty() ? L"" : folder + L"\\Quillboard.lnk";
}

std::wstring ShortcutTarget(const std::wstring& linkPath)
{
    if (FileTest(linkPath.c_str()) != 1)
        return L"";
    ScopedComPtr<IShellLinkW> link;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid())))
        return L"";
    std::wstring target;
    ScopedComPtr<IPersistFile> file;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()))) {
        wchar_t path[MAX_PATH] = L"";
        if (SUCCEEDED(file->Load(linkPath.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)))
            target = path;
    }
    return target;
}

bool RemoveShortcutInto(const std::wstring& linkPath, const std::wstring& folder)
{
    return !linkPath.empty() && PathInside(ShortcutTarget(linkPath), folder) && ::DeleteFileW(linkPath.c_str());
}

std::wstring ConfigPathFor(const std::wstring& programPath, const std::wstring& override, bool probe)
{
    const std::wstring folder = FolderOf(programPath);
    const std::wstring beside = folder + L"\\" + kProgramName + L".ini";
    if (IsPortableFileName(FileNameOf(programPath)))
        return beside;
    const std::wstring temp = NormalizeFolder(TempFolder());
    const bool insideTemp = temp.size() > 1 && NormalizeFolder(folder).compare(0, temp.size(), temp) == 0;
    if (!insideTemp && FileTest(beside.c_str()) == 1) {
        if (!probe)
            return beside;
        ::WritePrivateProfileStringW(kProgramSection, L"TestIni", L"eeee", beside.c_str());
        wchar_t back[111] = L"";
        ::GetPrivateProfileStringW(kProgramSection, L"TestIni", L"", back, 111, beside.c_str());
        if (::wcscmp(back, L"eeee") == 0)
            return beside;
    }
    if (override.size() > 3)
        return override;
    const std::wstring perUser = SpecialFolder(CSIDL_APPDATA) + L"\\" + kProgramName;
    if (probe)
        ::CreateDirectoryW(perUser.c_str(), nullptr);
    return perUser + L"\\" + kProgramName + L".ini";
}

bool EndRunningQuillboard(DWORD timeoutMs)
{
    if (!g_instanceMessage)
        return true;
    FoundWindow found = {::GetCurrentProcessId(), {}};
    ::EnumWindows(&CollectQuillboard, reinterpret_cast<LPARAM>(&found));
    std::vector<HANDLE> processes;
    for (HWND w : found.windows) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(w, &pid);
        if (HANDLE p = ::OpenProcess(SYNCHRONIZE, FALSE, pid))
            processes.push_back(p);
        ::PostMessageW(w, WM_COMMAND, ID_APP_EXIT, 0);
    }
    bool ended = true;
    const DWORD start = ::GetTickCount();
    for (HANDLE p : processes) {
        DWORD spent = ::GetTickCount() - start;
        if (::WaitForSingleObject(p, spent < timeoutMs ? timeoutMs - spent : 0) != WAIT_OBJECT_0)
            ended = false;
        ::CloseHandle(p);
    }
    return ended;
}

bool WriteUninstallEntry(const UninstallEntry& e, bool forAll)
{
    HKEY created = nullptr;
    if (::RegCreateKeyExW(Root(forAll), kUninstallKey, 0, nullptr, 0, KEY_WRITE, nullptr, &created, nullptr) !=
        ERROR_SUCCESS)
        return false;
    ScopedRegKey owned(created);
    HKEY key = owned.Get();
    bool ok = SetString(key, L"DisplayName", e.displayName) && SetString(key, L"DisplayVersion", e.displayVersion) &&
              SetString(key, L"Publisher", e.publisher) && SetString(key, L"DisplayIcon", e.displayIcon) &&
              SetString(key, L"InstallLocation", e.installLocation) &&
              SetString(key, L"UninstallString", e.uninstallString) &&
              SetString(key, L"QuietUninstallString", e.quietUninstallString) &&
              SetDword(key, L"EstimatedSize", e.estimatedSizeKb) && SetDword(key, L"NoModify", 1) &&
              SetDword(key, L"NoRepair", 1) && SetString(key, L"InstallDate", e.installDate);
    return ok;
}

std::wstring ReadUninstallValue(bool forAll, const wchar_t* name)
{
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(Root(forAll), kUninstallKey, 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return L"";
    ScopedRegKey key(opened);
    wchar_t data[2048] = L"";
    DWORD type = 0;
    DWORD bytes = sizeof(data) - sizeof(wchar_t);
    std::wstring value;
    if (::RegQueryValueExW(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &bytes) == ERROR_SUCCESS &&
        type == REG_SZ)
        value.assign(data, ::wcsnlen(data, bytes / sizeof(wchar_t)));
    return value;
}

bool DeleteUninstallEntry(bool forAll)
{
    return ::RegDeleteKeyW(Root(forAll), kUninstallKey) == ERROR_SUCCESS;
}

UINT UninstallMenuCommand()
{
    const std::wstring& folder = GetProgramFolder();
    if (SameFolder(ReadUninstallValue(false, L"InstallLocation"), folder))
        return ID_UNINSTALL_USER;
    if (SameFolder(ReadUninstallValue(true, L"InstallLocation"), folder))
        return ID_UNINSTALL_ALL_USERS;
    return 0;
}

bool RunRegisteredUninstall(UINT command)
{
    if (command != ID_UNINSTALL_USER && command != ID_UNINSTALL_ALL_USERS)
        return false;
    std::wstring program, parameters;
    SplitCommand(ReadUninstallValue(command == ID_UNINSTALL_ALL_USERS, L"UninstallString"), &program, &parameters);
    if (program.empty())
        return false;
    // Not the program's folder: a working folder there would keep it from being removed.
    const std::wstring workFolder = TempFolder();
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = command == ID_UNINSTALL_ALL_USERS ? L"runas" : nullptr;
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = workFolder.empty() ? nullptr : workFolder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (::ShellExecuteExW(&info))
        return true;
    // A shell without the "runas" verb: start it as it is, unless the user said no.
    if (!info.lpVerb || ::GetLastError() == ERROR_CANCELLED)
        return false;
    info.lpVerb = nullptr;
    return ::ShellExecuteExW(&info) != FALSE;
}

bool StartSelfRemoval(const std::wstring& exePath, const std::wstring& folder)
{
    const std::wstring temp = TempFolder();
    if (temp.empty())
        return false;
    const std::wstring batch = temp + L"Quillboard_uninstall_" + std::to_wstring(::GetCurrentProcessId()) + L".bat";
    bool ok = false;
    {
        ScopedHandle file(
            ::CreateFileW(batch.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        // Short names exist only for files that exist: the batch file's own after its creation.
        const std::string text =
            TextToMultiByte(CP_OEMCP, SelfRemovalBatch(BatchPath(exePath), BatchPath(folder), BatchPath(batch)));
        DWORD written = 0;
        ok = ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
             written == text.size();
    }  // closed before cmd reads it, or before it is deleted
    if (!ok) {
        ::DeleteFileW(batch.c_str());
        return false;
    }
    std::wstring cmd = SpecialFolder(CSIDL_SYSTEM) + L"\\cmd.exe";
    std::wstring line = L"\"" + cmd + L"\" /c \"\"" + batch + L"\"\"";
    std::vector<wchar_t> buf(line.begin(), line.end());
    buf.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION pi = {};
    if (!::CreateProcessW(cmd.c_str(), buf.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, temp.c_str(),
                          &si, &pi)) {
        ::DeleteFileW(batch.c_str());
        return false;
    }
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return true;
}

std::wstring AbsoluteFolder(const std::wstring& folder)
{
    if (folder.empty())
        return L"";
    DWORD n = ::GetFullPathNameW(folder.c_str(), 0, nullptr, nullptr);
    if (n == 0)
        return L"";
    std::vector<wchar_t> buf(n + 1);
    n = ::GetFullPathNameW(folder.c_str(), static_cast<DWORD>(buf.size()), buf.data(), nullptr);
    return n && n < buf.size() ? TrimFolder(buf.data()) : L"";
}

uint64_t FileBytes(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}
