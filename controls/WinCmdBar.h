// A menu bar made of a flat toolbar: one text button per top-level item of a
// menu, opening its submenu by click, hot tracking, Alt + mnemonic and the
// Left/Right keys. It also tracks the program's other popup menus, so that all
// of them pass through one keyboard hook and one owner.
#pragma once

#include <windows.h>

#include "controls/CmdBarLogic.h"
#include "ui/Window.h"

// Reads the text of the menu item at `position`, cut to the item text buffer.
bool ReadMenuItemText(HMENU menu, int position, wchar_t (&out)[cmdbar::kItemTextChars]);

class CWinCmdBar {
public:
    CWinCmdBar();
    CWinCmdBar(const CWinCmdBar&) = delete;
    CWinCmdBar& operator=(const CWinCmdBar&) = delete;

    // A message of the owner window; clear `handled` to pass it on.
    virtual LRESULT OnOwnerMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled);
    // A message of the bar's own toolbar window.
    virtual LRESULT OnToolbarMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled);
    virtual ~CWinCmdBar();

    // y of the bar in the owner's client area; takes effect at Create.
    void SetTop(int top) { m_top = top; }

    // Creates the bar's toolbar across the owner's client width and hooks owner
    // and toolbar. Only one bar can be attached in the process at a time.
    bool Create(HWND owner);

    // Takes ownership of `menu` (the previous one is destroyed) and shows one
    // button per top-level item. False without a toolbar; the menu is then still kept.
    bool SetMenu(HMENU menu);

    void ClearRightButtons();
    bool AddRightButton(const wchar_t* text, int command);

    // Tracks a popup that is not a bar menu; returns what TrackPopupMenuEx returns.
    int TrackPopup(HMENU menu, POINT screenPt, UINT flags);
    // Tracks with the menu's right edge at the point; the command reaches the owner as WM_COMMAND.
    void TrackPopupAtPoint(HMENU menu, POINT screenPt);

    HWND GetToolbar() const { return m_toolbar; }
    HWND GetRightToolbar() const { return m_rightToolbar; }
    HWND GetOwner() const { return m_owner; }
    HMENU GetMenu() const { return m_menu; }
    int GetHeight() const { return m_height; }
    int GetItemCount() const { return m_itemCount; }
    int GetCurrentIndex() const { return m_currentIndex; }
    int GetOpenIndex() const { return m_openIndex; }
    bool IsTracking() const { return m_tracking; }

    // The bar whose menu is being tracked (null when none).
    static CWinCmdBar* TrackingBar();

protected:
    // Opens the bar menu at `index` and returns when it closes; with
    // selectFirst the menu comes up with its first item selected.
    void OpenBarMenu(int index, bool selectFirst = false);
    bool IsTrackingThis() const;

    HWND m_toolbar = nullptr;
    HWND m_owner = nullptr;

private:
    // Routes the messages of a hooked window to one of the bar's two handlers.
    class CHook : public CWindowImplBase {
    public:
        CHook(CWinCmdBar& bar, bool owner) : m_bar(bar), m_isOwner(owner) {}
        BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    private:
        CWinCmdBar& m_bar;
        bool m_isOwner;
    };

    static LRESULT CALLBACK MessageFilterProc(int code, WPARAM wParam, LPARAM lParam);
    bool FilterMenuMessage(const MSG& msg);
    void StepBarMenu(int delta);
    void OnMenuSelect(WPARAM wParam, LPARAM lParam);
    void BeginTracking();
    void EndTracking();
    void PressButton(int index, bool pressed);
    int HitTestButton(POINT screenPt) const;
    LRESULT OnMenuChar(WPARAM wParam, BOOL& handled);
    void PlaceRightToolbar();
    void Detach();

    int m_top = 0;
    bool m_plainPopup = false;
    bool m_ownChange = false;
    int m_openIndex = -1;
    bool m_tracking = false;
    WORD m_lastSelectedId = 0;
    WORD m_lastSelectedFlags = 0;
    POINT m_lastMouse = {-1, -1};
    int m_currentIndex = 0;
    int m_itemCount = 0;
    HMENU m_menu = nullptr;
    int m_height = 20;
    HWND m_rightToolbar = nullptr;
    bool m_openPending = false;  // an open request that came while a menu was still tracked
    bool m_pendingSelectFirst = false;

    CHook m_ownerHook{*this, true};
    CHook m_toolbarHook{*this, false};
};
