// The install and the portable-install dialog: target folder and choices,
// Install or Cancel. Holds only its choices; the work is done by the caller.
#pragma once

#include "res/resource.h"
#include "setup/Install.h"
#include "ui/Dialog.h"

class CSetupDlg : public CDialogImpl<CSetupDlg> {
public:
    enum { IDD = IDD_SETUP };

    CSetupDlg(bool portable, const InstallChoice& choice) : m_portable(portable), m_choice(choice) {}

    const InstallChoice& Choice() const { return m_choice; }

    BEGIN_MSG_MAP(CSetupDlg)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    COMMAND_ID_HANDLER(IDOK, OnOk)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    COMMAND_ID_HANDLER(IDC_SETUP_BROWSE, OnBrowse)
    COMMAND_ID_HANDLER(IDC_SETUP_FOR_USER, OnForWhom)
    COMMAND_ID_HANDLER(IDC_SETUP_FOR_ALL, OnForWhom)
    END_MSG_MAP()

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnBrowse(WORD, WORD, HWND, BOOL&);
    LRESULT OnForWhom(WORD, WORD, HWND, BOOL&);

    void SetTexts();
    void ShowPortableForm();
    bool Checked(int id) const;
    std::wstring FolderText() const;

    bool m_portable;
    InstallChoice m_choice;
    HICON m_icon = nullptr;
};
