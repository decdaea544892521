#include "setup/SetupDlg.h"

#include <shlobj.h>

#include <vector>

#include "app/ConfigRules.h"
#include "lang/LanguageTable.h"
#include "setup/SetupSystem.h"

namespace {

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

const int kInstallOnly[] = {IDC_SETUP_FOR_USER, IDC_SETUP_FOR_ALL, IDC_SETUP_START_MENU, IDC_SETUP_DESKTOP,
                            IDC_SETUP_AUTOSTART};

}  // namespace

LRESULT CSetupDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    m_icon =
        static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLBOARD), IMAGE_ICON,
                                        ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    SetTexts();
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_FOLDER, m_choice.target.c_str());
    ::CheckRadioButton(m_hWnd, IDC_SETUP_FOR_USER, IDC_SETUP_FOR_ALL,
                       m_choice.forAll ? IDC_SETUP_FOR_ALL : IDC_SETUP_FOR_USER);
    ::CheckDlgButton(m_hWnd, IDC_SETUP_START_MENU, m_choice.startShortcut ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_SETUP_DESKTOP, m_choice.desktopShortcut ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_SETUP_AUTOSTART, m_choice.autostart ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(m_hWnd, IDC_SETUP_TAKE_NOTES, m_choice.takeNotes ? BST_CHECKED : BST_UNCHECKED);
    if (m_portable)
        ShowPortableForm();
    ::SetForegroundWindow(m_hWnd);
    return TRUE;
}

void CSetupDlg::SetTexts()
{
    SetWindowText(Lang(m_portable ? 201 : 200).c_str());
    const wchar_t* product = GetHeaderString(19);
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_HEADING, product ? product : L"Quillboard");
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_FOLDER_LABEL, Lang(205).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_BROWSE, Lang(206).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_FOR_USER, Lang(204).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_FOR_ALL, Lang(203).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_START_MENU, Lang(209).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_DESKTOP, Lang(208).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_AUTOSTART, Lang(207).c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_SETUP_TAKE_NOTES, Lang(210).c_str());
    ::SetDlgItemTextW(m_hWnd, IDOK, Lang(200).c_str());
    ::SetDlgItemTextW(m_hWnd, IDCANCEL, Lang(6).c_str());
}

// The portable form: the folder and "take my notes along", buttons right under them.
void CSetupDlg::ShowPortableForm()
{
    for (int id : kInstallOnly)
        ::ShowWindow(GetDlgItem(id), SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_SETUP_TAKE_NOTES), SW_SHOW);

    RECT notes, ok, window;
    ::GetWindowRect(GetDlgItem(IDC_SETUP_TAKE_NOTES), &notes);
    ::GetWindowRect(GetDlgItem(IDOK), &ok);
    ::GetWindowRect(m_hWnd, &window);
    const int shift = ok.top - notes.bottom - (ok.bottom - ok.top) / 2;
    for (int id : {IDOK, IDCANCEL}) {
        HWND button = GetDlgItem(id);
        RECT rc;
        ::GetWindowRect(button, &rc);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        ::SetWindowPos(button, nullptr, rc.left, rc.top - shift, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    ::SetWindowPos(m_hWnd, nullptr, window.left, window.top + shift / 2, window.right - window.left,
                   window.bottom - window.top - shift, SWP_NOZORDER);
}

bool CSetupDlg::Checked(int id) const
{
    return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED;
}

std::wstring CSetupDlg::FolderText() const
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_SETUP_FOLDER);
    std::vector<wchar_t> buf(::GetWindowTextLengthW(edit) + 1);
    ::GetWindowTextW(edit, buf.data(), static_cast<int>(buf.size()));
    std::wstring text = buf.data();
    size_t b = text.find_first_not_of(L" \"");
    size_t e = text.find_last_not_of(L" \"");
    return b == std::wstring::npos ? std::wstring() : TrimFolder(text.substr(b, e - b + 1));
}

LRESULT CSetupDlg::OnOk(WORD, WORD, HWND, BOOL&)
{
    const std::wstring folder = FolderText();
    if (folder.empty()) {
        ::MessageBoxW(m_hWnd, Lang(216).c_str(), Lang(m_portable ? 201 : 200).c_str(), MB_OK | MB_ICONINFORMATION);
        ::SetFocus(GetDlgItem(IDC_SETUP_FOLDER));
        return 0;
    }
    m_choice.target = folder;
    m_choice.forAll = Checked(IDC_SETUP_FOR_ALL);
    m_choice.startShortcut = Checked(IDC_SETUP_START_MENU);
    m_choice.desktopShortcut = Checked(IDC_SETUP_DESKTOP);
    m_choice.autostart = Checked(IDC_SETUP_AUTOSTART);
    m_choice.takeNotes = Checked(IDC_SETUP_TAKE_NOTES);
    EndDialog(IDOK);
    return 0;
}

LRESULT CSetupDlg::OnCancel(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT CSetupDlg::OnBrowse(WORD, WORD, HWND, BOOL&)
{
    const std::wstring title = Lang(205);
    BROWSEINFOW info = {};
    info.hwndOwner = m_hWnd;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    PIDLIST_ABSOLUTE item = ::SHBrowseForFolderW(&info);
    if (!item)
        return 0;
    wchar_t path[MAX_PATH] = L"";
    if (::SHGetPathFromIDListW(item, path)) {
        std::wstring folder = path;
        // An installation gets a folder of its own inside the chosen one.
        folder = TrimFolder(folder);
        if (!m_portable && ::lstrcmpiW(FileNameOf(folder).c_str(), L"Quillboard") != 0)
            folder += L"\\Quillboard";
        ::SetDlgItemTextW(m_hWnd, IDC_SETUP_FOLDER, folder.c_str());
    }
    ::CoTaskMemFree(item);
    return 0;
}

LRESULT CSetupDlg::OnForWhom(WORD, WORD, HWND, BOOL&)
{
    // Follow the choice with the default folder unless the user typed another one.
    const bool forAll = Checked(IDC_SETUP_FOR_ALL);
    if (SameFolder(FolderText(), DefaultTarget(!forAll)))
        ::SetDlgItemTextW(m_hWnd, IDC_SETUP_FOLDER, DefaultTarget(forAll).c_str());
    return 0;
}
