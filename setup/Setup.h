// The installer modes of the program file and the main window's commands that
// belong to them (recommend by mail, uninstall).
#pragma once

#include <windows.h>

#include <string>

#include "app/CommandLine.h"

// Runs one installer mode to its end on this thread; returns the exit code:
// 0 done, 1602 cancelled by the user, 1603 failed. "-?silent" runs it with its
// defaults and no window, "-?dir:<folder>" names the target folder.
int RunInstaller(InstallerMode mode, const StartOptions& options, const std::wstring& rawCommandLine);

// The uninstall item of the "Paths" menu: ID_UNINSTALL_USER, ID_UNINSTALL_ALL_USERS or 0.
UINT UninstallMenuCommand();  // defined with the registry work in SetupSystem.cpp

// Recommend (32817), send by mail (32818), uninstall (33203, 33204). True when
// the program should now end with exit code 0 (the uninstaller has started).
bool OnSetupCommand(HWND owner, UINT command);
