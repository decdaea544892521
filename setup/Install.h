// The three installer operations, without any window: install, portable
// install and uninstall. Each tells how it ended and what the user should read.
#pragma once

#include <string>

struct InstallChoice {
    std::wstring target;
    bool forAll = false;
    bool startShortcut = true;
    bool desktopShortcut = false;
    bool autostart = true;
    bool takeNotes = true;  // portable install only
};

struct SetupOutcome {
    int code = 0;          // 0 done, 1603 failed
    int messageId = 0;     // language text that says why it failed
    std::wstring program;  // the program file installed or to be removed
    std::wstring config;   // the configuration file it uses
};

// Ends a running Quillboard, copies the program file to <target>\Quillboard.exe,
// writes shortcuts, autostart, the uninstall entry and the installer keys.
SetupOutcome PerformInstall(const InstallChoice& choice, const std::wstring& iniOverride);

// <target>\Quillboard_p.exe with Quillboard.ini beside it, holding a copy of
// the running program's configuration file when the notes come along.
SetupOutcome PerformPortableInstall(const InstallChoice& choice, const std::wstring& iniOverride);

// Removes what an install of target wrote, except the program file, which
// the self-removal batch file deletes after this process has ended, and the
// configuration file with the notes.
SetupOutcome PerformUninstall(const std::wstring& target);
