// Dialogs and message boxes of the program under test, and texts of its toolbars, read from outside.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/Driver.h"

namespace e2e {

// A visible dialog-class window of the process other than `except` for which pred holds; null after the time-out
// (0: look once).
HWND WaitForBox(const QuillProcess& p, HWND except, bool (*pred)(HWND), DWORD timeoutMs = 10000);
// The longest static text in a window: a message box's message.
std::wstring BoxText(HWND box);
// The first visible edit control below a window (an open-file dialog's file name).
HWND FirstEdit(HWND window);
// The button texts of every toolbar among the window's children, read from the owning process.
std::vector<std::wstring> ToolbarTexts(HWND window);

}  // namespace e2e
