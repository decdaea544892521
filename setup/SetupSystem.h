// The installer's dealings with Windows: folders, shortcuts, the uninstall
// entry in the registry, the running program, the self-removal batch file.
#pragma once

#include <windows.h>

#include <string>

#include "setup/SetupRules.h"

// A special folder (CSIDL_*), empty when unknown.
std::wstring SpecialFolder(int csidl);
// %LOCALAPPDATA%\Programs\Quillboard, or %ProgramFiles%\Quillboard for all users.
std::wstring DefaultTarget(bool forAll);
// "Quillboard.lnk" in the user's or the common Programs / desktop folder.
std::wstring StartMenuShortcut(bool forAll);
std::wstring DesktopShortcut(bool forAll);
// The program a shell link starts, empty when it cannot be read.
std::wstring ShortcutTarget(const std::wstring& linkPath);
// Deletes a shortcut only when it starts a program inside folder.
bool RemoveShortcutInto(const std::wstring& linkPath, const std::wstring& folder);

// The configuration file a program file would use, resolved as its normal run
// does (file beside it when writable, else the per-user file, else "-ini").
// With probe the writability of the file beside it is tested by writing.
std::wstring ConfigPathFor(const std::wstring& programPath, const std::wstring& override, bool probe);

// Ends every running Quillboard but this process: it answers the instance
// message, gets Exit and is given timeoutMs to end. False when one stays.
bool EndRunningQuillboard(DWORD timeoutMs);

// Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillboard under HKCU or HKLM.
bool WriteUninstallEntry(const UninstallEntry& entry, bool forAll);
std::wstring ReadUninstallValue(bool forAll, const wchar_t* name);
bool DeleteUninstallEntry(bool forAll);

// UninstallMenuCommand (Setup.h): ID_UNINSTALL_USER or ID_UNINSTALL_ALL_USERS
// when an uninstall entry names the running program's folder as its
// InstallLocation, the current user's first; 0 otherwise.
// Starts the entry's UninstallString (elevated for all users). True when it started.
bool RunRegisteredUninstall(UINT command);

// Writes the batch file into the temporary folder and starts it without a window.
bool StartSelfRemoval(const std::wstring& exePath, const std::wstring& folder);

// An absolute folder without trailing backslashes: a relative one would end up
// in the registered uninstall command as it is.
std::wstring AbsoluteFolder(const std::wstring& folder);

// Size of a file in bytes, 0 when it cannot be read.
uint64_t FileBytes(const std::wstring& path);
