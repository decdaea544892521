// The program's one notify icon: added at start, kept present by a watchdog
// when the shell loses it, shown in colour or grey, removed at exit.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "ui/ScopedHandles.h"

class CToTray {
public:
    explicit CToTray(DWORD watchdogIntervalMs = 5000) : m_intervalMs(watchdogIntervalMs) {}
    virtual ~CToTray();
    CToTray(const CToTray&) = delete;
    CToTray& operator=(const CToTray&) = delete;

    // The window that receives WM_TRAY_CALLBACK and, from the watchdog, WM_TRAY_REFRESH.
    void SetOwner(HWND owner) { m_owner = owner; }
    // Keeps the id and the tooltip, refreshes, and with `watchdog` starts the
    // watchdog (stopping one left from an earlier install). The icon is loaded
    // afresh from the resource `iconId` by every refresh. Always true.
    bool Install(UINT iconId, HICON icon, const wchar_t* tooltip, bool watchdog);
    // UI thread only: loads the icon (grey when asked) and adds or modifies it.
    void Refresh();
    // Whether the shell holds the icon (a NIM_MODIFY probe); any thread.
    bool IsPresent() const;
    // Stops the watchdog with a bounded wait, then deletes the icon. Again: nothing.
    void Remove();

    void SetGrey(bool grey) { m_grey = grey; }
    bool IsGrey() const { return m_grey; }
    HWND GetOwner() const { return m_owner; }
    UINT GetIconId() const { return m_iconId; }
    HANDLE GetWatchdogThread() const { return m_thread.Get(); }

    // Hides the window, with the caption animation towards the tray when asked
    // and the system animates windows.
    static void HideToTray(HWND window, bool animate);
    // The target of that animation.
    static RECT TrayRect();
    // A grey copy of the icon (the caller destroys it), or null.
    static HICON GreyCopy(HICON icon);

private:
    NOTIFYICONDATAW Record(DWORD flags, HICON icon) const;
    void StopWatchdog();
    static DWORD WINAPI WatchdogProc(void* param);

    DWORD m_intervalMs;
    DWORD m_threadId = 0;
    ScopedHandle m_thread;
    ScopedHandle m_stop;
    wchar_t m_tooltip[1024] = {};
    UINT m_iconId = 0;
    volatile bool m_grey = false;
    HWND m_owner = nullptr;
    bool m_installed = false;
};

// The process's tray icon.
extern CToTray g_toTray;
