// The main (options) window: a modeless dialog without owner that edits the
// default settings for new notes and receives the tray's and the second
// instance's messages.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>

#include "app/DefaultSettings.h"
#include "app/ProgramCommands.h"
#include "controls/ColorButton.h"
#include "controls/HyperLink.h"
#include "res/resource.h"
#include "ui/Dialog.h"
#include "ui/MessageLoop.h"

class CMainDlg : public CDialogImpl<CMainDlg>, public CMessageFilter, public CIdleHandler {
public:
    enum { IDD = IDD_MAINDLG };

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle() override;

    // Runs at initialisation and again after every language change.
    void SetTexts();

    BEGIN_MSG_MAP(CMainDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    MESSAGE_HANDLER(InstanceMessage(), OnInstanceMessage)
    MESSAGE_HANDLER(WM_TRAY_CALLBACK, OnTrayCallback)
    MESSAGE_HANDLER(WM_TRAY_REFRESH, OnTrayRefresh)
    MESSAGE_HANDLER(TaskbarCreatedMessage(), OnTrayRefresh)
    MESSAGE_HANDLER(WM_SYSCOMMAND, OnSysCommand)
    MESSAGE_HANDLER(WM_TIMER, OnTimer)
    MESSAGE_HANDLER(WM_HSCROLL, OnScroll)
    MESSAGE_HANDLER(WM_VSCROLL, OnScroll)
    NOTIFY_CODE_HANDLER(TBN_DROPDOWN, OnToolbarDropDown)
    NOTIFY_CODE_HANDLER(TTN_GETDISPINFOW, OnToolTipText)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    COMMAND_ID_HANDLER(IDC_BG_COLOR_BUTTON, OnColorButton)
    COMMAND_ID_HANDLER(IDC_FG_COLOR_BUTTON, OnColorButton)
    COMMAND_RANGE_HANDLER(IDC_THEME_LIST, IDC_ONTOP_LIST, OnListCommand)
    CHAIN_MSG_MAP_MEMBER(m_programCommands)
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

private:
    static UINT InstanceMessage();
    static UINT TaskbarCreatedMessage();

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnInstanceMessage(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTrayCallback(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTrayRefresh(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnScroll(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnToolbarDropDown(int, NMHDR*, BOOL&);
    LRESULT OnToolTipText(int, NMHDR*, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnColorButton(WORD, WORD, HWND, BOOL&);
    LRESULT OnListCommand(WORD, WORD, HWND, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);

    void ShowAndBringToFront();
    void HideToTray();
    void BringToFront();
    void Exit();

    // Initialisation steps, each kept apart so that the subsystems plug in here.
    void LoadDefaults();
    void SetUpLists();
    void AttachColorButtons();
    void ShowColorButtons();
    void ShowTransparency();
    void FillFontList();
    void CenterOnWorkArea();
    void SetIcons();
    void InstallTrayIcon();
    void CreateCommandBar();
    void LoadBanner();
    void BuildMenu();
    void UpdateTitle();
    void FillLists();
    void SetLabels();
    void LoadNotes();

    // Commands of the form.
    void ChooseDefaultFont();
    void StoreColor(const CColorButton& button, IntSetting& setting);
    void FlipGreyIcon(bool grey);

    // The toolbar (MainDlgToolbar.cpp).
    void CreateToolbar();
    void SetToolbarTexts();
    void LayOutToolbar();
    void ShowPinImage();
    void ShowAutostartImage();
    void FlipPinned();
    void FlipAutostart();

    // The tray menu (MainDlgTray.cpp).
    void ShowTrayMenu();

    HICON m_iconBig = nullptr;
    HICON m_iconSmall = nullptr;
    bool m_pinned = false;
    bool m_autostart = false;
    HWND m_toolbar = nullptr;
    HWND m_slider = nullptr;
    CColorButton m_bgColorButton;
    CColorButton m_fgColorButton;
    CHyperLink m_hyperlink;
    HIMAGELIST m_listImages[6] = {};
    std::set<std::wstring> m_fontNames;
    CProgramCommands m_programCommands{[this] { SetTexts(); }};
};

// The main window, kept when it is initialised.
extern HWND g_mainWnd;
