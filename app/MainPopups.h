// The main window's two popup menus built fresh for each use: the "New Note"
// drop-down of its toolbar and the tray icon's menu.
#pragma once

#include <windows.h>

// "Show all", "Hide all", separator, "Delete all", "Hide bars automatically"
// (checked with hideBars) and, when a note is live, a separator and the notes.
HMENU BuildNewNoteMenu(bool hideBars);

// The notes (when a note is live) and a separator, "New Note", "Show all",
// "Hide all", separator, "Exit", the shared `program` submenu, separator, the
// program's name and version. `program` stays owned by its own menu.
HMENU BuildTrayMenu(HMENU program);

// Takes the shared `program` submenu out of the tray menu, so that it lives
// on in its own menu, and destroys the rest.
void DestroyTrayMenu(HMENU tray, HMENU program);
