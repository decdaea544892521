// The main (options) window: a modeless dialog without owner that edits the
// default settings for new notes and receives the tray's and the second
// instance's messages.
#pragma once

#include "app/ProgramCommands.h"
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
        MESSAGE_HANDLER(WM_SYSCOMMAND, OnSysCommand)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        COMMAND_ID_HANDLER(IDOK, OnOk)
        COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
        CHAIN_MSG_MAP_MEMBER(m_programCommands)
        MESSAGE_HANDLER(WM_COMMAND, OnCommand)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

private:
    static UINT InstanceMessage();

    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnInstanceMessage(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSysCommand(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);

    void ShowAndBringToFront();
    void HideToTray();
    void BringToFront();
    void Exit();

    // Initialisation steps, each kept apart so that the subsystems plug in here.
    void LoadDefaults();
    void SetUpLists();
    void CenterOnWorkArea();
    void SetIcons();
    void CreateCommandBar();
    void LoadBanner();
    void BuildMenu();
    void UpdateTitle();
    void LoadNotes();

    HICON m_iconBig = nullptr;
    HICON m_iconSmall = nullptr;
    bool m_pinned = false;
    CProgramCommands m_programCommands{[this] { SetTexts(); }};
};

// The main window, kept when it is initialised.
extern HWND g_mainWnd;
