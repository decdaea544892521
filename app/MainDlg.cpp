#include "app/MainDlg.h"

#include "app/Admin.h"
#include "app/Config.h"
#include "app/Autostart.h"
#include "app/DefaultSettings.h"
#include "app/MainDlgLogic.h"
#include "app/ProgramMenu.h"
#include "app/Startup.h"
#include "controls/Banner.h"
#include "lang/LanguageMenu.h"
#include "lang/LanguageTable.h"
#include "notes/NoteTable.h"
#include "setup/Setup.h"
#include "shell/ForceForeground.h"
#include "shell/ToTray.h"
#include "ui/ScopedHandles.h"

#include <commctrl.h>
#include <commdlg.h>

#include <string>
#include <vector>

HWND g_mainWnd = nullptr;

namespace {

const int kListIds[] = {IDC_THEME_LIST, IDC_COLOR_LIST, IDC_TEXTCOLOR_LIST,
                        IDC_FONT_LIST,  IDC_ONTOP_LIST, IDC_SIZE_LIST};
const wchar_t* const kSizes[] = {L"100", L"150", L"200", L"250", L"300", L"350", L"400"};
// The colour kind that uses the custom colour.
constexpr int kCustomColorKind = 3;

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

// Extended combo boxes of the drop-down-list kind.
void ComboReset(HWND combo)
{
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
}

void ComboAdd(HWND combo, const std::wstring& text)
{
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = -1;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(combo, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

void ComboSelect(HWND combo, int index)
{
    ::SendMessageW(combo, CB_SETCURSEL, index, 0);
}

int ComboSelection(HWND combo)
{
    return static_cast<int>(::SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

std::wstring ComboText(HWND combo, int index)
{
    if (index < 0)
        return L"";
    wchar_t text[LF_FACESIZE * 4] = {};
    COMBOBOXEXITEMW item{};
    item.mask = CBEIF_TEXT;
    item.iItem = index;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    return ::SendMessageW(combo, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? text : L"";
}

int CALLBACK CollectFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM param)
{
    // Faces beginning with "@" are the vertical ones.
    if (lf->lfFaceName[0] && lf->lfFaceName[0] != L'@')
        reinterpret_cast<std::set<std::wstring>*>(param)->insert(lf->lfFaceName);
    return 1;
}

std::wstring ProductPage()
{
    const wchar_t* page = GetHeaderString(g_lang_index == 1 ? 24 : 23);
    return page ? page : L"";
}

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

    m_slider = GetDlgItem(IDC_TRANSPARENCY_SLIDER);
    ::SendMessageW(m_slider, TBM_SETRANGEMIN, FALSE, 0);
    ::SendMessageW(m_slider, TBM_SETRANGEMAX, FALSE, 50);
    ::SendMessageW(m_slider, TBM_SETPOS, TRUE, m_default_transparency);

    AttachColorButtons();
    ShowTransparency();
    m_pinned = false;
    m_autostart = IsAutostartOn(kProgramName, false);
    FillFontList();
    ::SetTimer(m_hWnd, IDT_WAKE, 500, nullptr);
    g_lang_index = ReadProgramInt(L"lng", g_lang_index);

    CenterOnWorkArea();
    SetIcons();
    InstallTrayIcon();
    CreateToolbar();

    if (ReadProgramString(L"Toop") == L"1")
        SendMessage(WM_COMMAND, ID_PIN_MAIN);

    CreateCommandBar();
    LoadBanner();
    SetTexts();
    ::SetMenu(m_hWnd, nullptr);
    ShowAutostartImage();

    if (CMessageLoop* loop = g_module.GetMessageLoop()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
    }

    ::SetDlgItemTextW(m_hWnd, IDC_HYPERLINK, L"Brightmoor");
    m_hyperlink.Attach(GetDlgItem(IDC_HYPERLINK));
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
    // The lists do not own their image lists.
    for (HIMAGELIST& images : m_listImages) {
        if (images)
            ::ImageList_Destroy(images);
        images = nullptr;
    }
    if (HIMAGELIST images =
            m_toolbar ? reinterpret_cast<HIMAGELIST>(::SendMessageW(m_toolbar, TB_GETIMAGELIST, 0, 0)) : nullptr) {
        ::SendMessageW(m_toolbar, TB_SETIMAGELIST, 0, 0);
        ::ImageList_Destroy(images);
    }
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

LRESULT CMainDlg::OnScroll(UINT, WPARAM, LPARAM lParam, BOOL& handled)
{
    if (reinterpret_cast<HWND>(lParam) != m_slider || !m_slider) {
        handled = FALSE;
        return 0;
    }
    m_default_transparency.SetAndStore(static_cast<int>(::SendMessageW(m_slider, TBM_GETPOS, 0, 0)));
    ShowTransparency();
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

LRESULT CMainDlg::OnColorButton(WORD code, WORD id, HWND hWndCtl, BOOL& handled)
{
    CColorButton& button = id == IDC_BG_COLOR_BUTTON ? m_bgColorButton : m_fgColorButton;
    // The button's own clicks go back to it; its notifications carry a code, not a window.
    if (hWndCtl && hWndCtl == button.m_hWnd) {
        ::SendMessageW(button.m_hWnd, OCM_BASE + WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hWndCtl));
        return 0;
    }
    if (code != 0) {
        handled = FALSE;
        return 0;
    }
    StoreColor(button, id == IDC_BG_COLOR_BUTTON ? m_custom_bg_color : m_custom_fg_color);
    return 0;
}

LRESULT CMainDlg::OnListCommand(WORD code, WORD id, HWND, BOOL& handled)
{
    if (code != CBN_SELCHANGE) {
        handled = FALSE;
        return 0;
    }
    HWND list = GetDlgItem(id);
    const int index = ComboSelection(list);
    if (index >= 0) {
        switch (id) {
            case IDC_THEME_LIST:
                m_default_note_theme.SetAndStore(index);
                break;
            case IDC_COLOR_LIST:
                m_default_bg_color.SetAndStore(index);
                break;
            case IDC_TEXTCOLOR_LIST:
                m_default_fg_color.SetAndStore(index);
                break;
            case IDC_ONTOP_LIST:
                m_default_on_top.SetAndStore(index);
                break;
            case IDC_FONT_LIST:
                m_default_font.SetAndStore(ComboText(list, index));
                break;
            case IDC_SIZE_LIST:
                m_default_note_size.SetAndStore(ComboText(list, index));
                break;
            default:
                handled = FALSE;
                return 0;
        }
    }
    ShowColorButtons();
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
            m_hide_bar.SetAndStore(m_hide_bar ? 0 : 1);
            FollowHideBarsSetting();
            return 0;
        case ID_APP_EXIT:
            // Nothing is saved at exit: a save still waiting for its timer runs now or never.
            FlushPendingSaves();
            Exit();
            return 0;
        case ID_BRING_TO_FRONT:
            BringToFront();
            return 0;
        case IDC_FONT_BUTTON:
            ChooseDefaultFont();
            return 0;
        case ID_ALT_BG_COLOR:
            StoreColor(m_bgColorButton, m_custom_bg_color);
            return 0;
        case ID_ALT_FG_COLOR:
            StoreColor(m_fgColorButton, m_custom_fg_color);
            return 0;
        case ID_PIN_MAIN:
            FlipPinned();
            return 0;
        case ID_AUTOSTART:
            FlipAutostart();
            return 0;
        case ID_GREY_ICON_CHECK:
            FlipGreyIcon(::IsDlgButtonChecked(m_hWnd, IDC_DISABLE) == BST_CHECKED);
            return 0;
        case ID_GREY_ICON:
            FlipGreyIcon(!g_toTray.IsGrey());
            return 0;
        case ID_RECOMMEND:
        case ID_SEND_BY_MAIL:
        case ID_UNINSTALL_ALL_USERS:
        case ID_UNINSTALL_USER:
            // True once the uninstaller runs: it removes this very file, so step aside.
            if (OnSetupCommand(m_hWnd, id)) {
                DestroyWindow();
                ::PostQuitMessage(0);
            }
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
    CToTray::HideToTray(m_hWnd, true);
}

void CMainDlg::BringToFront()
{
    ShowWindow(SW_HIDE);
    ForceForeground(m_hWnd);
    ShowWindow(SW_SHOW);
}

void CMainDlg::Exit()
{
    // The watchdog stops and the icon goes while the window still exists.
    g_toTray.Remove();
    DestroyWindow();
    ::PostQuitMessage(kExitCodeAfterExit);
}

void CMainDlg::SetUpLists()
{
    // The image lists only make each row 16 pixels high.
    for (size_t i = 0; i < std::size(kListIds); ++i) {
        m_listImages[i] = ::ImageList_Create(1, 16, ILC_MASK | ILC_COLOR32, 0, 0);
        ::SendDlgItemMessageW(m_hWnd, kListIds[i], CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_listImages[i]));
    }
}

void CMainDlg::AttachColorButtons()
{
    m_bgColorButton.Attach(GetDlgItem(IDC_BG_COLOR_BUTTON));
    m_fgColorButton.Attach(GetDlgItem(IDC_FG_COLOR_BUTTON));
    m_bgColorButton.m_clr = static_cast<COLORREF>(m_custom_bg_color.Get());
    m_fgColorButton.m_clr = static_cast<COLORREF>(m_custom_fg_color.Get());
    ::ShowWindow(GetDlgItem(IDC_BG_COLOR_BUTTON), m_default_bg_color == kCustomColorKind ? SW_SHOW : SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_FG_COLOR_BUTTON), m_default_fg_color == kCustomColorKind ? SW_SHOW : SW_HIDE);
}

void CMainDlg::ShowColorButtons()
{
    const bool bg = ComboSelection(GetDlgItem(IDC_COLOR_LIST)) == kCustomColorKind;
    const bool fg = ComboSelection(GetDlgItem(IDC_TEXTCOLOR_LIST)) == kCustomColorKind;
    ::ShowWindow(GetDlgItem(IDC_BG_COLOR_BUTTON), bg ? SW_SHOW : SW_HIDE);
    ::ShowWindow(GetDlgItem(IDC_FG_COLOR_BUTTON), fg ? SW_SHOW : SW_HIDE);
}

void CMainDlg::StoreColor(const CColorButton& button, IntSetting& setting)
{
    if (static_cast<int>(button.m_clr) != setting.Get())
        setting.SetAndStore(static_cast<int>(button.m_clr));
}

void CMainDlg::ShowTransparency()
{
    ::SetDlgItemTextW(m_hWnd, IDC_TRANSPARENCY_VALUE, maindlg::TransparencyLabel(m_default_transparency).c_str());
}

void CMainDlg::FillFontList()
{
    m_fontNames.clear();
    LOGFONTW all{};
    all.lfCharSet = DEFAULT_CHARSET;
    ::EnumFontFamiliesExW(ScopedWindowDC(m_hWnd).Get(), &all, CollectFace, reinterpret_cast<LPARAM>(&m_fontNames), 0);

    HWND list = GetDlgItem(IDC_FONT_LIST);
    ComboReset(list);
    const std::vector<std::wstring> faces(m_fontNames.begin(), m_fontNames.end());
    for (const std::wstring& face : faces)
        ComboAdd(list, face);
    const int index = maindlg::ChooseFontIndex(faces, m_default_font.Get());
    ComboSelect(list, index);
    m_default_font.SetAndStore(index >= 0 ? faces[index] : L"");
}

void CMainDlg::ChooseDefaultFont()
{
    LOGFONTW lf{};
    ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
    lstrcpynW(lf.lfFaceName, m_default_font.Get().c_str(), LF_FACESIZE);
    lf.lfItalic = static_cast<BYTE>(m_default_font_italic.Get());
    lf.lfWeight = m_default_font_bold;
    lf.lfHeight = m_default_font_size;
    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = ::GetActiveWindow();
    cf.lpLogFont = &lf;
    cf.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
    if (!::ChooseFontW(&cf))
        return;
    m_default_font_size.SetAndStore(lf.lfHeight);
    m_default_font_bold.SetAndStore(lf.lfWeight);
    m_default_font_italic.SetAndStore(lf.lfItalic ? 1 : 0);
    m_default_font.SetAndStore(lf.lfFaceName);
    // The list shows the face the dialog chose.
    HWND list = GetDlgItem(IDC_FONT_LIST);
    const std::vector<std::wstring> faces(m_fontNames.begin(), m_fontNames.end());
    for (size_t i = 0; i < faces.size(); ++i) {
        if (maindlg::EqualNoCase(faces[i], lf.lfFaceName))
            ComboSelect(list, static_cast<int>(i));
    }
}

void CMainDlg::FlipGreyIcon(bool grey)
{
    g_toTray.SetGrey(grey);
    ::CheckDlgButton(m_hWnd, IDC_DISABLE, grey ? BST_CHECKED : BST_UNCHECKED);
    g_toTray.Refresh();
    ShowAutostartImage();
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
    m_hyperlink.SetTarget(ProductPage() + (g_lang_index == 1 ? L"/Thanks" : L"/Danke"));
    UpdateTitle();
    ::SetDlgItemTextW(m_hWnd, IDC_AUTOSTART, Lang(207).c_str());
    FillLists();
    SetLabels();
    SetToolbarTexts();
    LayOutToolbar();
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

void CMainDlg::FillLists()
{
    HWND theme = GetDlgItem(IDC_THEME_LIST);
    ComboReset(theme);
    for (int id : {41, 42, 43})
        ComboAdd(theme, Lang(id));
    ComboSelect(theme, 1);
    ComboSelect(theme, m_default_note_theme);

    for (auto [id, kind] : {std::pair<int, IntSetting*>{IDC_COLOR_LIST, &m_default_bg_color},
                            std::pair<int, IntSetting*>{IDC_TEXTCOLOR_LIST, &m_default_fg_color}}) {
        HWND list = GetDlgItem(id);
        ComboReset(list);
        for (int text : {50, 51, 52, 53})
            ComboAdd(list, Lang(text));
        ComboSelect(list, kind->Get());
    }
    for (CColorButton* button : {&m_bgColorButton, &m_fgColorButton}) {
        button->SetDefaultText(L"");
        button->SetCustomText(Lang(52).c_str());
    }

    HWND onTop = GetDlgItem(IDC_ONTOP_LIST);
    ComboReset(onTop);
    ComboAdd(onTop, Lang(68));
    ComboAdd(onTop, Lang(69));
    ComboSelect(onTop, 0);
    ComboSelect(onTop, m_default_on_top);

    HWND size = GetDlgItem(IDC_SIZE_LIST);
    ComboReset(size);
    for (const wchar_t* text : kSizes)
        ComboAdd(size, text);
    ComboSelect(size, maindlg::ChooseSizeIndex({std::begin(kSizes), std::end(kSizes)}, m_default_note_size.Get()));
}

void CMainDlg::SetLabels()
{
    ::SetDlgItemTextW(m_hWnd, IDC_DEFAULTS_GROUP, Lang(38).c_str());
    for (int id = IDC_THEME_LABEL; id <= IDC_TEXTCOLOR_LABEL; ++id)
        ::SetDlgItemTextW(m_hWnd, id, (Lang(30 + id - IDC_THEME_LABEL) + L": ").c_str());
}

void CMainDlg::LoadDefaults()
{
    LoadDefaultSettings();
}

void CMainDlg::InstallTrayIcon()
{
    g_toTray.SetOwner(m_hWnd);
    g_toTray.Install(IDI_QUILLBOARD, nullptr, kProgramName, true);
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
    RegisterCommandPictures(g_cmdBar, m_toolbar);
    ProgramMenuOptions options;
    options.programName = kProgramName;
    options.appendLanguageMenu = AppendLanguageMenu;
    options.uninstallCommand = UninstallMenuCommand();
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
