#include "shell/SendTo.h"

#include "app/Config.h"
#include "ui/ScopedHandles.h"

#include <objidl.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

CSendTo g_sendTo;

CSendTo::CSendTo()
{
    // Not balanced on purpose: the object lives as long as the process and OLE goes with it.
    OleInitialize(nullptr);
}

std::wstring CSendTo::SendToFolder()
{
    wchar_t folder[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathW(nullptr, folder, CSIDL_SENDTO, FALSE))
        return std::wstring();
    return folder;
}

std::wstring CSendTo::ShortcutPath(const wchar_t* name)
{
    const std::wstring folder = SendToFolder();
    if (folder.empty() || !name || !*name)
        return std::wstring();
    std::wstring path = folder;
    if (path.back() != L'\\')
        path += L'\\';
    path += name;
    path += L".lnk";
    // A cut path would name another file; refuse instead.
    if (path.size() >= MAX_PATH)
        return std::wstring();
    return path;
}

std::wstring ModuleFilePath()
{
    return GetProgramPath();
}

HRESULT WriteShortcut(const wchar_t* target, const wchar_t* description, const wchar_t* linkPath)
{
    wchar_t full[MAX_PATH] = {};
    const DWORD n = target && *target ? GetFullPathNameW(target, MAX_PATH, full, nullptr) : 0;
    if (n == 0 || n >= MAX_PATH)
        return E_FAIL;

    ScopedComPtr<IShellLinkW> link;
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ScopedComPtr<IPersistFile> file;
    hr = link->QueryInterface(IID_IPersistFile, file.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    hr = link->SetPath(full);
    if (SUCCEEDED(hr))
        hr = link->SetDescription(description ? description : L"");
    if (SUCCEEDED(hr))
        hr = linkPath && *linkPath ? file->Save(linkPath, TRUE) : E_INVALIDARG;
    return hr;
}

HRESULT CSendTo::CreateShortcut(const wchar_t* name)
{
    const std::wstring path = ShortcutPath(name);
    if (path.empty())
        return E_FAIL;
    return WriteShortcut(ModuleFilePath().c_str(), name, path.c_str());
}

BOOL CSendTo::RemoveShortcut(const wchar_t* name)
{
    const std::wstring path = ShortcutPath(name);
    return !path.empty() && DeleteFileW(path.c_str());
}

bool CSendTo::ShortcutExists(const wchar_t* name)
{
    const std::wstring path = ShortcutPath(name);
    if (path.empty())
        return false;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HINSTANCE CSendTo::OpenFolder()
{
    const std::wstring folder = SendToFolder();
    if (folder.empty())
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_PNF));
    return ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOW);
}
