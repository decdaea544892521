#include "app/MainDlg.h"

#include "app/Admin.h"
#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "app/ProgramMenu.h"
#include "app/Startup.h"
#include "controls/Banner.h"
#include "lang/LanguageTable.h"
#include "notes/NoteTable.h"
#include "shell/ForceForeground.h"

#include <commctrl.h>

#include <string>

HWND g_mainWnd = nullptr;

namespace {

const int kListIds[] = {IDC_THEME_LIST, IDC_COLOR_LIST, IDC_TEXTCOLOR_LIST,
                        IDC_FONT_LIST,  IDC_ONTOP_LIST, IDC_SIZE_LIST};

}  // namespace

UINT CMainDlg::InstanceMessage()
{
    // Unregistered, the number would be 0 and catch WM_NULL.
    return g_instanceMessage ? g_instanceMessage : 0xFFFFFFFFu;
}

BOOL CMainDlg::PreTranslateMessage(MSG* pMsg)
{
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CMainDlg::OnIdle()
{
    return FALSE;
}

LRESULT CMainDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    g_mainWnd = m_hWnd;
    LoadDefaults();
    SetUpLists();

    HWND slider = GetDlgItem(IDC_TRANSPARENCY_SLIDER);
    ::SendMessageW(slider, TBM_SETRANGEMIN, FALSE, 0);
    ::SendMessageW(slider, TBM_SETRANGEMAX, FALSE, 50);

    m_pinned = false;
    ::SetTimer(m_hWnd, IDT_WAKE, 500, nullptr);
    g_lang_index = ReadProgramInt(L"lng", g_lang_index);

    CenterOnWorkArea();
    SetIcons();

    if (ReadProgramString(L"Toop") == L"1")
        SendMessage(WM_COMMAND, ID_PIN_MAIN);

    CreateCommandBar();
    LoadBanner();
    SetTexts();
    ::SetMenu(m_hWnd, nullptr);

    if (CMessageLoop* loop = g_module.GetMessageLoop()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }

    ::SetDlgItemTextW(m_hWnd, IDC_HYPERLINK, L"Brightmoor");
    // The class is the platform's dialog class: this reaches every dialog of
    // the process, the note windows created next included.
    ::SetClassLongPtrW(m_hWnd, GCL_STYLE, 0);

    LoadNotes();
    return TRUE;
}

LRESULT CMainDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL& handled)
{
    if (CMessageLoop* loop = g_module.GetMessageLoop()) {
        loop->RemoveMessageFilter(this);
        loop->RemoveIdleHandler(this);
    }
    ::KillTimer(m_hWnd, IDT_WAKE);
    ReleaseBanner(m_hWnd, IDC_BANNER);
    if (m_iconBig)
        ::DestroyIcon(m_iconBig);
    if (m_iconSmall)
        ::DestroyIcon(m_iconSmall);
    m_iconBig = m_iconSmall = nullptr;
    if (g_mainWnd == m_hWnd)
        g_mainWnd = nullptr;
    handled = FALSE;
    return 0;
}

LRESULT CMainDlg::OnInstanceMessage(UINT uMsg, WPARAM, LPARAM, BOOL&)
{
    ShowWindow(SW_SHOWNA);
    PostMessage(WM_COMMAND, ID_BRING_TO_FRONT);
    return uMsg;
}

LRESULT CMainDlg::OnSysCommand(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    if (wParam == 18) {
        if (IsWindowVisible())
            HideToTray();
        else
            ShowAndBringToFront();
        return 0;
    }
    if (wParam == 17) {
        SendMessage(WM_COMMAND, ID_APP_EXIT);
        return 0;
    }
    handled = FALSE;
    return 0;
}

LRESULT CMainDlg::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    // The ticks only wake the message loop so that idle handlers run.
    if (wParam == IDT_WAKE) {
        ::KillTimer(m_hWnd, IDT_WAKE);
        ::SetTimer(m_hWnd, IDT_WAKE, 300, nullptr);
    } else if (wParam == IDT_SLOW) {
        ::KillTimer(m_hWnd, IDT_SLOW);
        ::SetTimer(m_hWnd, IDT_SLOW, 500, nullptr);
    } else {
        handled = FALSE;
    }
    return 0;
}

LRESULT CMainDlg::OnOk(WORD, WORD, HWND, BOOL&)
{
    return 0;
}

LRESULT CMainDlg::OnCancel(WORD, WORD, HWND, BOOL&)
{
    HideToTray();
    return 0;
}

LRESULT CMainDlg::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    // Menus, toolbar buttons and button clicks send code 0; nothing else is a command.
    if (HIWORD(wParam) != 0) {
        handled = FALSE;
        return 0;
    }
    const WORD id = LOWORD(wParam);
    // The note collection's commands.
    if (id >= ID_NOTE_FIRST && id < ID_HIDE_BARS) {
        ToggleNote(id - ID_NOTE_FIRST);
        return 0;
    }
    switch (id) {
    case ID_NEW_NOTE:
        NewNote(m_hWnd, false, nullptr);
        return 0;
    case ID_SHOW_ALL:
        HideAll(false);
        ShowAll();
        return 0;
    case ID_HIDE_ALL:
        HideAll(false);
        return 0;
    case ID_DELETE_ALL:
        if (::MessageBoxW(m_hWnd, GetLangString(16) ? GetLangString(16) : L"", nullptr, MB_YESNOCANCEL) == IDYES)
            DeleteAll();
        return 0;
    case ID_HIDE_BARS:
        // Notes show bars hidden at this moment by themselves once the setting is off.
        m_hide_bar.SetAndStore(m_hide_bar ? 0 : 1);
        return 0;
    case ID_APP_EXIT:
        // Nothing is saved at exit: a save still waiting for its timer runs now or never.
        FlushPendingSaves();
        Exit();
        return 0;
    case ID_BRING_TO_FRONT:
        BringToFront();
        return 0;
    default:
        handled = FALSE;
        return 0;
    }
}

void CMainDlg::ShowAndBringToFront()
{
    ShowWindow(SW_SHOW);
    PostMessage(WM_COMMAND, ID_BRING_TO_FRONT);
}

void CMainDlg::HideToTray()
{
    ShowWindow(SW_HIDE);
}

void CMainDlg::BringToFront()
{
    ShowWindow(SW_HIDE);
    ForceForeground(m_hWnd);
    ShowWindow(SW_SHOW);
}

void CMainDlg::Exit()
{
    DestroyWindow();
    ::PostQuitMessage(kExitCodeAfterExit);
}

void CMainDlg::SetUpLists()
{
    // The image lists only make each row 16 pixels high.
    for (int id : kListIds) {
        HIMAGELIST images = ::ImageList_Create(1, 16, ILC_MASK | ILC_COLOR32, 0, 0);
        ::SendDlgItemMessageW(m_hWnd, id, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
}

void CMainDlg::CenterOnWorkArea()
{
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    RECT work;
    if (::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi))
        work = mi.rcWork;
    else
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    int x = work.left + ((work.right - work.left) - w) / 2;
    int y = work.top + ((work.bottom - work.top) - h) / 2;
    if (x + w > work.right)
        x = work.right - w;
    if (y + h > work.bottom)
        y = work.bottom - h;
    if (x < work.left)
        x = work.left;
    if (y < work.top)
        y = work.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CMainDlg::SetIcons()
{
    HINSTANCE inst = g_module.GetInstance();
    m_iconBig = static_cast<HICON>(::LoadImageW(inst, MAKEINTRESOURCEW(IDI_QUILLBOARD), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), 0));
    m_iconSmall = static_cast<HICON>(::LoadImageW(inst, MAKEINTRESOURCEW(IDI_QUILLBOARD), IMAGE_ICON,
                                                  ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_iconBig));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconSmall));
}

void CMainDlg::SetTexts()
{
    BuildMenu();
    UpdateTitle();
}

void CMainDlg::UpdateTitle()
{
    std::wstring title = GetHeaderString(19) ? GetHeaderString(19) : L"";
    title += L" ";
    if (IsAdminProcess())
        title += L"Admin";
    title += L" (x64)";
    if (IsPortable())
        title += L" Portable";
    SetWindowText(title.c_str());
}

void CMainDlg::LoadDefaults()
{
    LoadDefaultSettings();
}

void CMainDlg::CreateCommandBar()
{
    RECT line{};
    ::GetWindowRect(GetDlgItem(IDC_BAR_LINE), &line);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&line), 2);
    g_cmdBar.SetTop(line.bottom);
    // Without the bar the window keeps working, only without its menu.
    g_cmdBar.Create(m_hWnd);
}

void CMainDlg::LoadBanner()
{
    // Without GDI+ the banner simply stays empty.
    BuildBanner(m_hWnd, IDC_BANNER);
}

void CMainDlg::BuildMenu()
{
    RegisterCommandPictures(g_cmdBar, nullptr);
    ProgramMenuOptions options;
    options.programName = kProgramName;
    g_cmdBar.SetMenu(BuildProgramMenu(options));

    auto text = [](int id) { return std::wstring(GetLangString(id) ? GetLangString(id) : L""); };
    g_cmdBar.ClearRightButtons();
    g_cmdBar.AddRightButton((L"# " + text(78)).c_str(), ID_DONATE);
    g_cmdBar.AddRightButton((L"# " + text(7)).c_str(), ID_APP_EXIT);
    g_cmdBar.AddRightButton(L"# ?", ID_FAQ);
}

void CMainDlg::LoadNotes()
{
    LoadAllNotes();
}
