// The program's shortcut in the user's Send To folder, so the shell's Send To menu lists it.
#pragma once

#include <windows.h>

#include <string>

// The name the program always uses; the file is this name followed by ".lnk".
constexpr const wchar_t* kSendToName = L"Quillboard";

class CSendTo {
public:
    // Shell-link objects need OLE on the thread; the process-wide instance initialises it before WinMain.
    CSendTo();
    virtual ~CSendTo() = default;

    // 0 on success, else the failing step's status; the shortcut points at the running program.
    HRESULT CreateShortcut(const wchar_t* name);
    BOOL RemoveShortcut(const wchar_t* name);
    // A directory of that name is no shortcut.
    bool ShortcutExists(const wchar_t* name);
    // The shell's result: above 32 on success.
    HINSTANCE OpenFolder();

    // Empty when the folder is unknown or the path would not fit MAX_PATH.
    static std::wstring SendToFolder();
    static std::wstring ShortcutPath(const wchar_t* name);
};

extern CSendTo g_sendTo;

// Writes a shell link at linkPath that starts target; a failed step returns its status.
HRESULT WriteShortcut(const wchar_t* target, const wchar_t* description, const wchar_t* linkPath);
// Full path of the running program's file, however long.
std::wstring ModuleFilePath();
