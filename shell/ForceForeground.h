// Brings a window to the foreground even when another process owns it: a
// synthetic Alt press lifts the foreground lock.
#pragma once

#include <windows.h>

struct ForegroundKeyboard {
    bool (*isAltDown)();
    void (*sendAlt)(bool down);
    BOOL (*setForeground)(HWND);
};

void ForceForeground(HWND hWnd);
// The same with the keyboard and the foreground call supplied, for tests.
void ForceForeground(HWND hWnd, const ForegroundKeyboard& keyboard);
