#include "controls/WinCmdBar.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "controls/CmdBarLogic.h"
#include "controls/ToolbarRes.h"

namespace {

// Process-wide: one bar is attached, and one menu at a time is tracked.
CWinCmdBar* g_attachedBar = nullptr;
CWinCmdBar* g_trackingBar = nullptr;
HHOOK g_filterHook = nullptr;
HFONT g_barFont = nullptr;

constexpr UINT kBarControlId = 0xE801;
constexpr LRESULT kMenuCharClose = 0x10001;  // MNC_CLOSE in the high word

constexpr DWORD kBarStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | TBSTYLE_FLAT | TBSTYLE_LIST |
                            TBSTYLE_TRANSPARENT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE;

HFONT BarFont()
{
    if (!g_barFont) {
        LOGFONTW lf{};
        if (::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf)) {
            lf.lfCharSet = DEFAULT_CHARSET;
            lf.lfQuality = PROOF_QUALITY;
            g_barFont = ::CreateFontIndirectW(&lf);
        }
    }
    return g_barFont ? g_barFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

HWND CreateBarToolbar(HWND owner, int x, int y, int cx, int cy, UINT id)
{
    HWND toolbar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr, kBarStyle, x, y, cx, cy, owner,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                     reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(owner, GWLP_HINSTANCE)), nullptr);
    if (!toolbar)
        return nullptr;
    ::SendMessageW(toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(BarFont()), FALSE);
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(1, 16));
    return toolbar;
}

int ClientWidth(HWND hWnd)
{
    RECT rc{};
    ::GetClientRect(hWnd, &rc);
    return rc.right - rc.left;
}

}  // namespace

bool ReadMenuItemText(HMENU menu, int position, wchar_t (&out)[cmdbar::kItemTextChars])
{
    out[0] = L'\0';
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_STRING;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &mii))
        return false;
    // Read the whole text, then cut it, so that a long text never meets a short buffer.
    std::wstring text(mii.cch + 1, L'\0');
    mii.dwTypeData = text.data();
    mii.cch = static_cast<UINT>(text.size());
    if (!::GetMenuItemInfoW(menu, position, TRUE, &mii))
        return false;
    text.resize(std::min<size_t>(mii.cch, text.size()));
    cmdbar::CopyItemText(out, text);
    return true;
}

BOOL CWinCmdBar::CHook::ProcessWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    BOOL handled = TRUE;
    result = m_isOwner ? m_bar.OnOwnerMessage(msg, wParam, lParam, handled)
                       : m_bar.OnToolbarMessage(msg, wParam, lParam, handled);
    return handled;
}

CWinCmdBar::CWinCmdBar() = default;

CWinCmdBar::~CWinCmdBar()
{
    Detach();
    if (m_menu)
        ::DestroyMenu(m_menu);
}

CWinCmdBar* CWinCmdBar::TrackingBar()
{
    return g_trackingBar;
}

bool CWinCmdBar::IsTrackingThis() const
{
    return g_trackingBar == this;
}

void CWinCmdBar::Detach()
{
    if (g_trackingBar == this)
        EndTracking();
    m_ownerHook.UnsubclassWindow();
    m_toolbarHook.UnsubclassWindow();
    if (::IsWindow(m_rightToolbar))
        ::DestroyWindow(m_rightToolbar);
    if (::IsWindow(m_toolbar))
        ::DestroyWindow(m_toolbar);
    m_rightToolbar = nullptr;
    m_toolbar = nullptr;
    m_owner = nullptr;
    if (g_attachedBar == this)
        g_attachedBar = nullptr;
}

bool CWinCmdBar::Create(HWND owner)
{
    if (!::IsWindow(owner) || ::IsWindow(m_toolbar))
        return false;
    if (g_attachedBar && g_attachedBar != this && ::IsWindow(g_attachedBar->m_toolbar))
        return false;
    Detach();  // leftovers of an owner that has gone

    HWND toolbar = CreateBarToolbar(owner, 0, m_top, ClientWidth(owner), m_height, kBarControlId);
    if (!toolbar)
        return false;
    if (!m_toolbarHook.SubclassWindow(toolbar)) {
        ::DestroyWindow(toolbar);
        return false;
    }
    m_toolbar = toolbar;
    m_owner = owner;
    // Without the owner hook only Alt + letter is lost; the bar itself works.
    m_ownerHook.SubclassWindow(owner);
    g_attachedBar = this;
    return true;
}

bool CWinCmdBar::SetMenu(HMENU menu)
{
    if (m_menu && m_menu != menu)
        ::DestroyMenu(m_menu);
    m_menu = menu;
    m_itemCount = menu ? std::max(0, ::GetMenuItemCount(menu)) : 0;
    if (!::IsWindow(m_toolbar))
        return false;

    ::SendMessageW(m_toolbar, WM_SETREDRAW, FALSE, 0);
    while (::SendMessageW(m_toolbar, TB_BUTTONCOUNT, 0, 0) > 0) {
        if (!::SendMessageW(m_toolbar, TB_DELETEBUTTON, 0, 0))
            break;
    }

    std::vector<std::wstring> texts(m_itemCount);
    std::vector<TBBUTTON> buttons(m_itemCount);
    for (int i = 0; i < m_itemCount; ++i) {
        wchar_t text[cmdbar::kItemTextChars];
        ReadMenuItemText(menu, i, text);
        texts[i] = text;
        buttons[i] = TBBUTTON{I_IMAGENONE,
                              cmdbar::kFirstButtonId + i,
                              TBSTATE_ENABLED,
                              BTNS_BUTTON | BTNS_AUTOSIZE,
                              {},
                              0,
                              reinterpret_cast<INT_PTR>(texts[i].c_str())};
    }
    if (!buttons.empty()) {
        m_ownChange = true;
        ::SendMessageW(m_toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        m_ownChange = false;
    }
    ::SendMessageW(m_toolbar, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(m_toolbar, nullptr, TRUE);

    // The bar grows with its buttons, never below its default height.
    DWORD buttonSize = static_cast<DWORD>(::SendMessageW(m_toolbar, TB_GETBUTTONSIZE, 0, 0));
    m_height = std::max<int>(cmdbar::kDefaultHeight, HIWORD(buttonSize));
    ::SetWindowPos(m_toolbar, nullptr, 0, m_top, ClientWidth(m_owner), m_height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (::IsWindow(m_rightToolbar))
        PlaceRightToolbar();
    if (m_currentIndex >= m_itemCount)
        m_currentIndex = 0;
    return true;
}

void CWinCmdBar::ClearRightButtons()
{
    if (!::IsWindow(m_rightToolbar))
        return;
    while (::SendMessageW(m_rightToolbar, TB_BUTTONCOUNT, 0, 0) > 0) {
        if (!::SendMessageW(m_rightToolbar, TB_DELETEBUTTON, 0, 0))
            break;
    }
    PlaceRightToolbar();
}

bool CWinCmdBar::AddRightButton(const wchar_t* text, int command)
{
    if (!::IsWindow(m_owner))
        return false;
    if (!::IsWindow(m_rightToolbar)) {
        m_rightToolbar = CreateBarToolbar(m_owner, 0, m_top, 180, 20, 0);
        if (!m_rightToolbar)
            return false;
    }
    TBBUTTON button{I_IMAGENONE,
                    command,
                    TBSTATE_ENABLED,
                    BTNS_BUTTON | BTNS_AUTOSIZE,
                    {},
                    0,
                    reinterpret_cast<INT_PTR>(text ? text : L"")};
    if (!::SendMessageW(m_rightToolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button)))
        return false;
    PlaceRightToolbar();
    return true;
}

void CWinCmdBar::PlaceRightToolbar()
{
    SIZE size = MeasureToolbar(m_rightToolbar);
    if (::SendMessageW(m_rightToolbar, TB_BUTTONCOUNT, 0, 0) == 0)
        size.cx = 0;
    // On top of the bar, which spans the whole row beneath it.
    ::SetWindowPos(m_rightToolbar, HWND_TOP, ClientWidth(m_owner) - size.cx, m_top, size.cx, m_height, SWP_NOACTIVATE);
}

void CWinCmdBar::PressButton(int index, bool pressed)
{
    if (::IsWindow(m_toolbar) && index >= 0)
        ::SendMessageW(m_toolbar, TB_PRESSBUTTON, cmdbar::kFirstButtonId + index, MAKELPARAM(pressed, 0));
}

int CWinCmdBar::HitTestButton(POINT screenPt) const
{
    if (!::IsWindow(m_toolbar) || !::IsWindowVisible(m_toolbar))
        return -1;
    POINT pt = screenPt;
    ::ScreenToClient(m_toolbar, &pt);
    RECT rc{};
    ::GetClientRect(m_toolbar, &rc);
    if (!::PtInRect(&rc, pt))
        return -1;
    int hit = static_cast<int>(::SendMessageW(m_toolbar, TB_HITTEST, 0, reinterpret_cast<LPARAM>(&pt)));
    return hit >= 0 && hit < m_itemCount ? hit : -1;
}

void CWinCmdBar::BeginTracking()
{
    g_trackingBar = this;
    g_filterHook = ::SetWindowsHookExW(WH_MSGFILTER, &CWinCmdBar::MessageFilterProc, nullptr, ::GetCurrentThreadId());
}

void CWinCmdBar::EndTracking()
{
    if (g_filterHook)
        ::UnhookWindowsHookEx(g_filterHook);
    g_filterHook = nullptr;
    g_trackingBar = nullptr;
}

void CWinCmdBar::OpenBarMenu(int index, bool selectFirst)
{
    HMENU popup = m_menu ? ::GetSubMenu(m_menu, index) : nullptr;
    if (!popup || !::IsWindow(m_toolbar) || g_trackingBar)
        return;

    m_tracking = true;
    m_currentIndex = index;
    PressButton(index, true);
    RECT rc{};
    ::SendMessageW(m_toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    ::MapWindowPoints(m_toolbar, nullptr, reinterpret_cast<POINT*>(&rc), 2);

    BeginTracking();
    m_openIndex = index;
    // The key that selects the first item is posted only now: posted while the
    // previous menu still ran, it could be taken for that menu's own key.
    if (selectFirst)
        ::PostMessageW(m_toolbar, WM_KEYDOWN, VK_DOWN, 0);
    // Where the pointer rests now is no move: only a real move may switch menus.
    POINT cursor{};
    if (::GetCursorPos(&cursor) && ::ScreenToClient(m_toolbar, &cursor))
        m_lastMouse = cursor;
    TPMPARAMS params{sizeof(params), rc};
    UINT command = static_cast<UINT>(::TrackPopupMenuEx(
        popup, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_RETURNCMD, rc.left, rc.bottom, m_toolbar, &params));

    m_openIndex = -1;
    m_tracking = false;
    PressButton(index, false);
    EndTracking();
    m_lastSelectedId = 0;
    m_lastSelectedFlags = 0;

    // Sent only now that the menu is fully closed, so that a command which opens
    // a dialog or another menu finds no tracking left behind.
    if (command)
        ::SendMessageW(m_toolbar, WM_COMMAND, command, static_cast<LPARAM>(cmdbar::kBarCommandTag));
    if (m_openPending && ::IsWindow(m_toolbar)) {
        m_openPending = false;
        ::PostMessageW(m_toolbar, cmdbar::kOpenMenuMsg, m_pendingSelectFirst, 0);
    }
}

int CWinCmdBar::TrackPopup(HMENU menu, POINT screenPt, UINT flags)
{
    HWND owner = ::IsWindow(m_toolbar) ? m_toolbar : (::IsWindow(m_owner) ? m_owner : ::GetActiveWindow());
    if (!menu || !owner || g_trackingBar)
        return 0;
    m_plainPopup = true;
    BeginTracking();
    int result = ::TrackPopupMenuEx(menu, flags, screenPt.x, screenPt.y, owner, nullptr);
    m_plainPopup = false;
    PressButton(m_currentIndex, false);
    EndTracking();
    return result;
}

void CWinCmdBar::TrackPopupAtPoint(HMENU menu, POINT screenPt)
{
    // Tracked as a plain popup: the keys and the pointer must not wander off into
    // the bar's menus, which may sit in a hidden window (the tray menu).
    TrackPopup(menu, screenPt, TPM_RIGHTALIGN);
}

LRESULT CWinCmdBar::OnOwnerMessage(UINT msg, WPARAM wParam, LPARAM, BOOL& handled)
{
    if (msg == WM_MENUCHAR)
        return OnMenuChar(wParam, handled);
    handled = FALSE;
    return 0;
}

LRESULT CWinCmdBar::OnMenuChar(WPARAM wParam, BOOL& handled)
{
    auto key = static_cast<WPARAM>(LOWORD(wParam));
    UINT id = 0;
    if (::IsWindow(m_toolbar) && ::SendMessageW(m_toolbar, TB_MAPACCELERATOR, key, reinterpret_cast<LPARAM>(&id))) {
        int index = static_cast<int>(id) - cmdbar::kFirstButtonId;
        if (index >= 0 && index < m_itemCount) {
            m_currentIndex = index;
            ::PostMessageW(m_toolbar, cmdbar::kOpenMenuMsg, cmdbar::kOpenSelectFirst, 0);
            return kMenuCharClose;
        }
    }
    id = 0;
    if (::IsWindow(m_rightToolbar) &&
        ::SendMessageW(m_rightToolbar, TB_MAPACCELERATOR, key, reinterpret_cast<LPARAM>(&id))) {
        ::PostMessageW(m_owner, WM_COMMAND, MAKEWPARAM(id, 0), 0);
        return kMenuCharClose;
    }
    handled = FALSE;
    return 0;
}

void CWinCmdBar::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    m_lastSelectedId = LOWORD(wParam);
    m_lastSelectedFlags = HIWORD(wParam);
    if (::IsWindow(m_owner))
        ::SendMessageW(m_owner, WM_MENUSELECT, wParam, lParam);
}

LRESULT CWinCmdBar::OnToolbarMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    switch (msg) {
        case WM_LBUTTONDOWN: {
            POINT pt{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ::ClientToScreen(m_toolbar, &pt);
            int hit = HitTestButton(pt);
            if (hit >= 0)
                OpenBarMenu(hit);
            return 0;
        }
        case WM_INITMENUPOPUP:
        case WM_ENTERMENULOOP:
        case WM_EXITMENULOOP:
            return ::IsWindow(m_owner) ? ::SendMessageW(m_owner, msg, wParam, lParam) : 0;
        case WM_MENUSELECT:
            // The menu sends this to its owner, the toolbar; a message filter never sees it.
            OnMenuSelect(wParam, lParam);
            return 0;
        case WM_COMMAND:
            // Commands from the bar's menus belong to the owner.
            return ::IsWindow(m_owner) ? ::SendMessageW(m_owner, WM_COMMAND, wParam, lParam) : 0;
        case TB_ADDBUTTONSW:
        case TB_SETBUTTONINFOW:
            if (!m_ownChange)
                return FALSE;
            m_ownChange = false;
            handled = FALSE;
            return 0;
        case WM_CANCELMODE: {
            LRESULT result = m_toolbarHook.DefWindowProc(msg, wParam, lParam);
            // The toolbar may keep the message to itself; the menu must close all the same.
            if (g_trackingBar == this)
                ::EndMenu();
            return result;
        }
        default:
            if (msg == cmdbar::kOpenMenuMsg) {
                if (g_trackingBar) {
                    m_openPending = true;  // the previous menu is still winding down
                    m_pendingSelectFirst = wParam == cmdbar::kOpenSelectFirst;
                    return 0;
                }
                m_currentIndex = cmdbar::WrapIndex(m_currentIndex, m_itemCount);
                if (m_currentIndex >= 0)
                    OpenBarMenu(m_currentIndex, wParam == cmdbar::kOpenSelectFirst);
                return 0;
            }
            handled = FALSE;
            return 0;
    }
}

LRESULT CALLBACK CWinCmdBar::MessageFilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_MENU && g_trackingBar && lParam) {
        if (g_trackingBar->FilterMenuMessage(*reinterpret_cast<const MSG*>(lParam)))
            return TRUE;
    }
    return ::CallNextHookEx(g_filterHook, code, wParam, lParam);
}

void CWinCmdBar::StepBarMenu(int delta)
{
    PressButton(m_currentIndex, false);
    m_currentIndex += delta;  // wrapped when the open request arrives
    ::PostMessageW(m_toolbar, WM_CANCELMODE, 0, 0);
    ::PostMessageW(m_toolbar, cmdbar::kOpenMenuMsg, cmdbar::kOpenSelectFirst, 0);
}

bool CWinCmdBar::FilterMenuMessage(const MSG& msg)
{
    switch (msg.message) {
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE) {
                if (!::IsWindow(m_toolbar))
                    return false;
                ::PostMessageW(m_toolbar, WM_CANCELMODE, 0, 0);
                m_tracking = false;
                return true;
            }
            if (m_plainPopup || (msg.wParam != VK_LEFT && msg.wParam != VK_RIGHT))
                return false;
            if (msg.wParam == VK_RIGHT) {
                bool submenu = (m_lastSelectedFlags & MF_POPUP) != 0;
                m_lastSelectedId = 0;
                m_lastSelectedFlags = 0;
                if (submenu)
                    return false;  // the selected item opens its submenu
            }
            StepBarMenu(msg.wParam == VK_LEFT ? -1 : 1);
            return true;

        case WM_MENUSELECT:
            OnMenuSelect(msg.wParam, msg.lParam);
            return true;

        case WM_MOUSEMOVE: {
            if (m_plainPopup || !::IsWindow(m_toolbar))
                return false;
            POINT pt = msg.pt;
            ::ScreenToClient(m_toolbar, &pt);
            // A menu that opens under a resting pointer gets a move to the same spot; it must not switch menus.
            if (pt.x == m_lastMouse.x && pt.y == m_lastMouse.y)
                return false;
            m_lastMouse = pt;
            int hit = HitTestButton(msg.pt);
            if (hit < 0 || hit == m_openIndex)
                return false;
            PressButton(m_currentIndex, false);
            ::SendMessageW(m_toolbar, WM_CANCELMODE, 0, 0);
            m_currentIndex = hit;
            ::PostMessageW(m_toolbar, cmdbar::kOpenMenuMsg, 0, 0);
            return true;
        }

        case WM_LBUTTONDOWN: {
            int hit = HitTestButton(msg.pt);
            if (hit >= 0 && hit == m_openIndex) {
                m_tracking = false;
                ::PostMessageW(m_toolbar, WM_CANCELMODE, 0, 0);
                return true;
            }
            if (hit < 0)
                m_tracking = false;
            return false;
        }

        default:
            return false;
    }
}
