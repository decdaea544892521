// The main window's program menu, shown by the command bar, and the pictures
// of the program's commands.
#pragma once

#include <windows.h>

#include <string>

#include "controls/WinCmdBar2.h"

enum ProgramCommand : UINT {
    kCmdNewNote = 2074,
    kCmdRecommend = 32817,
    kCmdSendByMail = 32818,
    kCmdHomepage = 32821,
    kCmdHistory = 32913,
    kCmdDonate = 32914,
    kCmdInfo = 32915,
    kCmdExit = 32916,
    kCmdBringToFront = 32921,
    kCmdRemoveSendTo = 32204,
    kCmdOpenSendTo = 32205,
    kCmdRunAsAdmin = 33202,
    kCmdUninstallAllUsers = 33203,
    kCmdUninstallUser = 33204,
    kCmdOpenProgramFolder = 33205,
    kCmdFaq = 33206,
    kCmdOpenIniFolder = 33208,
    kCmdOpenIni = 33209,
    kCmdTranslate = 33100,
    kCmdLoadLanguageFile = 33101,
    kCmdNotePad = 44933,
    kCmdWordPad = 44934,
};

struct ProgramMenuOptions {
    std::wstring programName;
    // kCmdUninstallAllUsers or kCmdUninstallUser when the installer registered an
    // uninstall command for this program file; 0 otherwise.
    UINT uninstallCommand = 0;
    // Appends the "Language" submenu to the menu; null gives the language-independent part only.
    void (*appendLanguageMenu)(HMENU menu) = nullptr;
};

// "Program", "Info" and "Language" with their items; the caller owns the menu.
HMENU BuildProgramMenu(const ProgramMenuOptions& options);

// The "Language" submenu without the list of languages: "Translate" and
// "Load from File (Unicode)". Stands in until the language menu is built elsewhere.
void AppendBasicLanguageMenu(HMENU menu);

// Gives the bar a picture for each command, once: a bar that has pictures
// already is left alone. `mainToolbar` supplies the "New Note" picture; without
// it the picture comes from the toolbar's bitmap resource. Returns how many were added.
int RegisterCommandPictures(CWinCmdBar2& bar, HWND mainToolbar);

// Replaces every "#AP#" in text by the program name.
std::wstring ReplaceProgramName(std::wstring text, const std::wstring& programName);
