// The main window's toolbar: "New Note" with its drop-down, the pin and
// "Start with Windows", their pictures and tooltips.
#include "app/MainDlg.h"

#include "app/Autostart.h"
#include "app/Config.h"
#include "app/MainPopups.h"
#include "controls/ToolbarRes.h"
#include "controls/WinCmdBar2.h"
#include "lang/LanguageTable.h"
#include "res/toolbars.h"

namespace {

// Pictures of toolbar 206.
constexpr int kImageGrey = 1;
constexpr int kImagePinLoose = 2;
constexpr int kImagePinSet = 3;
constexpr int kImageStartOff = 4;
constexpr int kImageStartOn = 6;
constexpr int kTipChars = 80;

void DeleteButtonAt(HWND toolbar, int index)
{
    ::SendMessageW(toolbar, TB_DELETEBUTTON, index, 0);
}

void DeleteCommand(HWND toolbar, int command)
{
    const int index = static_cast<int>(::SendMessageW(toolbar, TB_COMMANDTOINDEX, command, 0));
    if (index >= 0)
        DeleteButtonAt(toolbar, index);
}

// The text of the first item with this command, the bar's drawn items included.
std::wstring MenuItemText(HMENU menu, UINT command)
{
    const int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_DATA;
        if (!::GetMenuItemInfoW(menu, i, TRUE, &mii))
            continue;
        if (mii.hSubMenu) {
            std::wstring text = MenuItemText(mii.hSubMenu, command);
            if (!text.empty())
                return text;
            continue;
        }
        if (mii.wID != command)
            continue;
        if (mii.fType & MFT_OWNERDRAW) {
            const CmdBarItemRecord* record = g_cmdBar.FindRecord(mii.dwItemData);
            return record ? record->text : L"";
        }
        wchar_t text[cmdbar::kItemTextChars] = {};
        ::GetMenuStringW(menu, i, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        return text;
    }
    return L"";
}

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

}  // namespace

void CMainDlg::CreateToolbar()
{
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | CCS_NODIVIDER | CCS_NORESIZE |
                        CCS_NOPARENTALIGN | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT | TBSTYLE_LIST;
    m_toolbar = CreateToolbarFromResource(m_hWnd, g_module.GetInstance(), IDR_TOOLBAR_MAIN, style, 0, IDC_MAIN_TOOLBAR);
    if (!m_toolbar)
        return;
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(m_toolbar, TB_GETIMAGELIST, 0, 0));
    HICON grey = static_cast<HICON>(
        ::LoadImageW(g_module.GetInstance(), MAKEINTRESOURCEW(IDI_QUILLBOARD_GREY), IMAGE_ICON, 16, 16, 0));
    if (images && grey)
        ::ImageList_ReplaceIcon(images, kImageGrey, grey);
    if (grey)
        ::DestroyIcon(grey);

    // Eight buttons in the resource; New Note, the pin and Start with Windows stay.
    DeleteCommand(m_toolbar, ID_PIN_MAIN_UNUSED);
    for (int index : {6, 5, 4})
        DeleteButtonAt(m_toolbar, index);
    DeleteCommand(m_toolbar, ID_NEW_TIME_NOTE);
    ShowPinImage();
}

void CMainDlg::SetToolbarTexts()
{
    if (!m_toolbar)
        return;
    SetToolbarButtonText(m_toolbar, ID_NEW_NOTE, Lang(8).c_str(), BTNS_DROPDOWN);
    SetToolbarButtonText(m_toolbar, ID_AUTOSTART, Lang(207).c_str());
}

void CMainDlg::LayOutToolbar()
{
    if (!m_toolbar)
        return;
    ::SendMessageW(m_toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    ::SendMessageW(m_toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(24, 24));
    const SIZE size = MeasureToolbar(m_toolbar);
    RECT place{};
    ::GetWindowRect(GetDlgItem(IDC_TOOLBAR_PLACE), &place);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&place), 2);
    const int x = (place.left + place.right) / 2 - size.cx / 2;
    const int y = (place.top + place.bottom) / 2 - size.cy / 2;
    // Above the group box it sits in, which would paint over it.
    ::SetWindowPos(m_toolbar, HWND_TOP, x, y, size.cx, size.cy, SWP_NOACTIVATE);
}

void CMainDlg::ShowPinImage()
{
    if (m_toolbar)
        ::SendMessageW(m_toolbar, TB_CHANGEBITMAP, ID_PIN_MAIN, m_pinned ? kImagePinSet : kImagePinLoose);
}

void CMainDlg::ShowAutostartImage()
{
    if (m_toolbar)
        ::SendMessageW(m_toolbar, TB_CHANGEBITMAP, ID_AUTOSTART, m_autostart ? kImageStartOn : kImageStartOff);
}

void CMainDlg::FlipPinned()
{
    m_pinned = !m_pinned;
    ShowPinImage();
    ::SetWindowPos(m_hWnd, m_pinned ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    WriteProgramInt(L"Toop", m_pinned ? 1 : 0);
}

void CMainDlg::FlipAutostart()
{
    m_autostart = !m_autostart;
    // A failed write shows the new state until the next start tells the truth.
    if (m_autostart)
        SetAutostart(kProgramName, false);
    else
        RemoveAutostart(kProgramName, false);
    ShowAutostartImage();
}

LRESULT CMainDlg::OnToolbarDropDown(int, NMHDR* hdr, BOOL& handled)
{
    const auto* info = reinterpret_cast<const NMTOOLBARW*>(hdr);
    if (!m_toolbar || hdr->hwndFrom != m_toolbar || info->iItem != ID_NEW_NOTE) {
        handled = FALSE;
        return 0;
    }
    RECT button{};
    ::SendMessageW(m_toolbar, TB_GETRECT, ID_NEW_NOTE, reinterpret_cast<LPARAM>(&button));
    ::MapWindowPoints(m_toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    HMENU menu = BuildNewNoteMenu(m_hide_bar != 0);
    const int command = g_cmdBar.TrackPopup(menu, POINT{button.left, button.bottom}, TPM_RETURNCMD);
    ::DestroyMenu(menu);
    if (command)
        SendMessage(WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return TBDDRET_DEFAULT;
}

LRESULT CMainDlg::OnToolTipText(int, NMHDR* hdr, BOOL& handled)
{
    auto* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    if (info->uFlags & TTF_IDISHWND) {
        handled = FALSE;
        return 0;
    }
    const UINT command = static_cast<UINT>(hdr->idFrom);
    std::wstring text = MenuItemText(g_cmdBar.GetMenu(), command);
    for (wchar_t& c : text) {
        if (c == L'\t')
            c = L'\n';
    }
    switch (command) {
        case ID_NEW_NOTE:
            text = Lang(9);
            break;
        case ID_NEW_TIME_NOTE:
            text = Lang(10);
            break;
        case ID_PIN_MAIN:
            text = Lang(25);
            break;
        default:
            break;
    }
    lstrcpynW(info->szText, text.c_str(), kTipChars);
    info->lpszText = info->szText;
    info->hinst = nullptr;
    return 0;
}
