// The mouse side of a note window: zones and cursors, sizing by zone, the
// drag of the bars, the platform's move from the spacer, and the self-hiding bars.
#include "notes/NoteDlg.h"

#include "app/DefaultSettings.h"
#include "notes/NoteDlgRules.h"

#include <cwchar>

namespace {

// Changes of the mouse-inside state of every note, for the debug line of the self-hiding bars.
int g_barsChanges = 0;

const wchar_t* CursorName(ZoneCursor cursor)
{
    switch (cursor) {
        case ZoneCursor::WestEast:
            return IDC_SIZEWE;
        case ZoneCursor::NorthSouth:
            return IDC_SIZENS;
        case ZoneCursor::NorthWestSouthEast:
            return IDC_SIZENWSE;
        case ZoneCursor::NorthEastSouthWest:
            return IDC_SIZENESW;
        default:
            return IDC_HAND;
    }
}

}  // namespace

BOOL CNoteDlg::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd)
        return FALSE;
    // Every note sees every message of the thread: only keys can be accelerators, and asking for the
    // focus is a trip to the platform's server, forty times over for each timer tick otherwise.
    const UINT message = pMsg->message;
    const bool key = message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_CHAR || message == WM_SYSCHAR;
    if (key && m_accel && m_text && ::GetFocus() == m_text && ::TranslateAcceleratorW(m_hWnd, m_accel, pMsg))
        return TRUE;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN: {
            // Every note sees every message of the thread: only a press on this note's own bars counts.
            if (!IsOverOwnBar(pMsg->pt))
                break;
            const int zone = ZoneAtScreen(pMsg->pt);
            if (zone == kZoneSurface || zone == kZoneMove)
                BeginDrag(pMsg->pt);
            // A press that reaches the disabled strip itself (not the note, as it usually does) sizes all the same.
            if (pMsg->message == WM_LBUTTONDOWN && (pMsg->hwnd == m_status || pMsg->hwnd == m_title))
                return PressSurface(pMsg->pt);
            break;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            EndDrag(true);
            break;
        case WM_MOUSEMOVE:
            if (!m_dragging)
                break;
            // A release that never reached us (another window took it) must not leave the note glued to the pointer.
            if (!(pMsg->wParam & (MK_LBUTTON | MK_RBUTTON)))
                EndDrag(true);
            else
                DragStep(pMsg->pt);
            break;
        default:
            break;
    }
    return FALSE;
}

bool CNoteDlg::IsOwnBar(HWND hWnd) const
{
    if (!hWnd)
        return false;
    return hWnd == m_toolbar || hWnd == m_status || (m_status && ::GetParent(hWnd) == m_status);
}

bool CNoteDlg::IsOverOwnBar(POINT screen) const
{
    HWND under = ::WindowFromPoint(screen);
    if (IsOwnBar(under))
        return true;
    // The status strip is disabled, and the platform may then name the note itself as the window there.
    RECT strip = {};
    return under == m_hWnd && m_status && ::IsWindowVisible(m_status) && ::GetWindowRect(m_status, &strip) &&
           ::PtInRect(&strip, screen);
}

int CNoteDlg::ZoneAtScreen(POINT screen) const
{
    RECT client = {};
    ::GetClientRect(m_hWnd, &client);
    ::ScreenToClient(m_hWnd, &screen);
    return NoteZoneAt(screen.x, screen.y, client.right, client.bottom, ::GetSystemMetrics(SM_CXSIZEFRAME));
}

HCURSOR CNoteDlg::CursorAt(POINT screen) const
{
    return ::LoadCursorW(nullptr, CursorName(CursorForZone(ZoneAtScreen(screen))));
}

void CNoteDlg::BeginDrag(POINT screen)
{
    RECT text = {};
    if (m_text && ::GetWindowRect(m_text, &text) && ::PtInRect(&text, screen))
        return;
    m_dragAnchor = screen;
    m_dragMoved = false;
    m_dragging = true;
    ::SetCapture(m_hWnd);
}

void CNoteDlg::DragStep(POINT screen)
{
    RECT rc = {};
    if (!::GetWindowRect(m_hWnd, &rc))
        return;
    const int dx = screen.x - m_dragAnchor.x;
    const int dy = screen.y - m_dragAnchor.y;
    if (dx == 0 && dy == 0)
        return;
    m_dragMoved = true;
    m_dragAnchor = screen;
    m_pos_x = rc.left + dx;
    m_pos_y = rc.top + dy;
    ::SetWindowPos(m_hWnd, nullptr, m_pos_x, m_pos_y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CNoteDlg::EndDrag(bool save)
{
    if (!m_dragging)
        return;
    m_dragging = false;
    // After a real move the toolbar loses its press too, so that the item under the pointer does not fire.
    if (::GetCapture() == m_hWnd || m_dragMoved)
        ::ReleaseCapture();
    if (save)
        SaveNote();
}

void CNoteDlg::StartInteractiveMove()
{
    EndDrag(false);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::ReleaseCapture();
    SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(cursor.x, cursor.y));
}

LRESULT CNoteDlg::OnToolbarDropDown(int, NMHDR* header, BOOL& handled)
{
    const auto* dropDown = reinterpret_cast<const NMTOOLBARW*>(header);
    if (header->hwndFrom != m_toolbar || dropDown->iItem != ID_NOTE_SPACER) {
        handled = FALSE;
        return 0;
    }
    StartInteractiveMove();
    return TBDDRET_DEFAULT;
}

LRESULT CNoteDlg::OnCaptureChanged(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    // The toolbar takes the capture while one of its items is pressed; the drag goes on through it.
    if (m_dragging && reinterpret_cast<HWND>(lParam) != m_toolbar) {
        m_dragging = false;
        SaveNote();
    }
    return 0;
}

LRESULT CNoteDlg::OnExitSizeMove(UINT, WPARAM, LPARAM, BOOL& handled)
{
    // A move by the platform changes no size, so no size timer would store the new place.
    StoreWindowRect();
    ::KillTimer(m_hWnd, IDT_NOTE_SIZE_SAVE);
    m_sizeSavePending = false;
    SaveNote();
    handled = FALSE;
    return 0;
}

LRESULT CNoteDlg::OnMouseMove(UINT, WPARAM, LPARAM, BOOL&)
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_cursor = CursorAt(cursor);
    ::SetCursor(m_cursor);
    return 0;
}

LRESULT CNoteDlg::OnSetCursor(UINT, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    if (reinterpret_cast<HWND>(wParam) != m_hWnd || LOWORD(lParam) != HTCLIENT) {
        handled = FALSE;
        return 0;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_cursor = CursorAt(cursor);
    ::SetCursor(m_cursor);
    return TRUE;
}

LRESULT CNoteDlg::OnLButtonDown(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    POINT cursor = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ::ClientToScreen(m_hWnd, &cursor);
    PressSurface(cursor);
    return 0;
}

bool CNoteDlg::PressSurface(POINT screen)
{
    const int zone = ZoneAtScreen(screen);
    if (zone == kZoneSurface)
        return false;
    m_cursor = CursorAt(screen);
    ::SetCursor(m_cursor);
    if (zone == kZoneMove) {
        StartInteractiveMove();
    } else {
        EndDrag(false);
        SendMessage(WM_SYSCOMMAND, SC_SIZE | zone, MAKELPARAM(screen.x, screen.y));
    }
    Layout();
    return true;
}

void CNoteDlg::ShowBars(bool show)
{
    m_barsShown = show;
    const int cmd = show ? SW_SHOW : SW_HIDE;
    for (HWND bar : {m_toolbar, m_title, m_status})
        if (bar)
            ::ShowWindow(bar, cmd);
}

void CNoteDlg::StopHidingBars()
{
    // Turning the setting off brings back bars hidden at that moment.
    if (!m_barsShown)
        ShowBars(true);
    m_mouseInside = false;
}

void CNoteDlg::CheckBars(POINT cursor)
{
    if (!m_hWnd || !IsWindowVisible())
        return;
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    const bool inside = ::PtInRect(&rc, cursor) != FALSE;
    if (inside == m_mouseInside)
        return;
    m_mouseInside = inside;
    ++g_barsChanges;
    wchar_t line[128];
    std::swprintf(line, 128, L"%ls ggggg %d %08X JA:%d\n", m_noteId.c_str(), g_barsChanges, 1, inside ? 1 : 0);
    ::OutputDebugStringW(line);
    HWND under = ::WindowFromPoint(cursor);
    const bool overNote = under == m_hWnd || under == m_text || IsOwnBar(under);
    ShowBars(inside && overNote);
}
