#include "notes/ShowDesktopWatcher.h"

#include <cwchar>

#include "notes/NoteDlg.h"
#include "notes/NoteTable.h"

namespace {

constexpr int kMaxClassName = 250;

HWINEVENTHOOK g_hook = nullptr;
KeyStateReader g_keyState = ::GetAsyncKeyState;
// A thread timer on the UI thread rather than a worker: a waiting raise is
// replaced by killing a timer, never a thread, and the notes are touched only
// from the thread that owns them.
UINT_PTR g_raiseTimer = 0;
int g_raises = 0;

void CALLBACK RaiseNotes(HWND, UINT, UINT_PTR, DWORD)
{
    ::KillTimer(nullptr, g_raiseTimer);
    g_raiseTimer = 0;
    ++g_raises;
    for (int number = 0; number < kMaxNotes; ++number) {
        if (CNoteDlg* note = GetNote(number))
            note->BringToFront();
    }
}

bool IsDesktopClass(const wchar_t* name)
{
    return std::wcscmp(name, L"WorkerW") == 0 || std::wcscmp(name, L"ProgMan") == 0;
}

}  // namespace

void InstallShowDesktopWatcher()
{
    if (g_hook)
        return;
    // Out of context: the callback runs on this (the UI) thread, inside its message loop.
    g_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, OnForegroundChanged, 0, 0,
                               WINEVENT_OUTOFCONTEXT);
}

void CALLBACK OnForegroundChanged(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD)
{
    if (event != EVENT_SYSTEM_FOREGROUND)
        return;
    wchar_t name[kMaxClassName + 1] = L"";
    if (!window || !::GetClassNameW(window, name, kMaxClassName + 1))
        return;
    if (!(g_keyState(VK_LWIN) & 0x8000))
        return;
    if (!IsDesktopClass(name))
        return;
    ShowAll();
    if (g_raiseTimer)
        ::KillTimer(nullptr, g_raiseTimer);
    g_raiseTimer = ::SetTimer(nullptr, 0, kRaiseDelayMs, RaiseNotes);
}

void SetKeyStateReader(KeyStateReader reader)
{
    g_keyState = reader ? reader : ::GetAsyncKeyState;
}

bool ShowDesktopRaisePending()
{
    return g_raiseTimer != 0;
}

int ShowDesktopRaiseCount()
{
    return g_raises;
}
