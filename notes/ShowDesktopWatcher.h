// Brings the notes back when the user shows the desktop with the Windows key.
#pragma once

#include <windows.h>

// How long after the desktop came forward the notes are raised, so that the
// platform has finished pushing the other windows away.
constexpr UINT kRaiseDelayMs = 150;

// Installs the foreground-change hook once per process; later calls do nothing.
void InstallShowDesktopWatcher();

// The hook's callback: the left Windows key held down while the desktop
// ("WorkerW" or "ProgMan") comes forward shows the notes hidden by the last
// hide all and (re)starts the one-shot raise of every note.
void CALLBACK OnForegroundChanged(HWINEVENTHOOK hook,
                                  DWORD event,
                                  HWND window,
                                  LONG objectId,
                                  LONG childId,
                                  DWORD thread,
                                  DWORD time);

// Reads a key's state as GetAsyncKeyState does; tests hold keys down through it.
using KeyStateReader = SHORT(WINAPI*)(int key);
void SetKeyStateReader(KeyStateReader reader);

// Whether a raise is waiting for its moment, and how many have run in this process.
bool ShowDesktopRaisePending();
int ShowDesktopRaiseCount();
