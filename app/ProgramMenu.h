// The main window's program menu, shown by the command bar, and the pictures
// of the program's commands.
#pragma once

#include <windows.h>

#include <string>

#include "controls/WinCmdBar2.h"
#include "res/resource.h"

struct ProgramMenuOptions {
    std::wstring programName;
    // ID_UNINSTALL_ALL_USERS or ID_UNINSTALL_USER when the installer registered an
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

// Text of the item with this command anywhere in the menu (submenus included), its tab turned into a
// line feed and cut to 79 characters, as a tooltip shows it; empty when no item has the command.
// Items the command bar draws itself give the text it keeps for them.
std::wstring MenuItemText(HMENU menu, UINT command);
