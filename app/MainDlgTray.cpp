// The main window's side of the tray icon: clicks on the icon, the tray menu
// and bringing the icon back when the shell has lost it.
#include "app/MainDlg.h"

#include "app/MainPopups.h"
#include "controls/WinCmdBar2.h"
#include "shell/ToTray.h"

UINT CMainDlg::TaskbarCreatedMessage()
{
    // Broadcast by a restarted shell; 0 would catch WM_NULL.
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message ? message : 0xFFFFFFFFu;
}

LRESULT CMainDlg::OnTrayCallback(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    switch (lParam) {
        case WM_LBUTTONDOWN:
            if (IsWindowVisible())
                ShowWindow(SW_HIDE);
            else
                ShowAndBringToFront();
            break;
        case WM_RBUTTONDOWN:
            ShowTrayMenu();
            break;
        default:
            break;
    }
    return 0;
}

LRESULT CMainDlg::OnTrayRefresh(UINT, WPARAM, LPARAM, BOOL&)
{
    g_toTray.Refresh();
    return 0;
}

void CMainDlg::ShowTrayMenu()
{
    ::SetForegroundWindow(m_hWnd);
    ::SetActiveWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    HMENU program = ::GetSubMenu(g_cmdBar.GetMenu(), 0);
    HMENU menu = BuildTrayMenu(program);
    POINT at{};
    ::GetCursorPos(&at);
    g_cmdBar.TrackPopupAtPoint(menu, at);
    DestroyTrayMenu(menu, program);
}
