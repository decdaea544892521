#include "notes/StatusQb2.h"

LRESULT CStatusQb2::OnEraseBackground(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    // The note paints its own background here, shifted so that it lines up with the note's.
    HDC dc = reinterpret_cast<HDC>(wParam);
    RECT strip = {};
    ::GetWindowRect(m_hWnd, &strip);
    ::MapWindowPoints(nullptr, m_note, reinterpret_cast<POINT*>(&strip), 2);
    POINT old = {};
    ::OffsetViewportOrgEx(dc, -strip.left, 0, &old);
    const LRESULT result = ::SendMessageW(m_note, WM_ERASEBKGND, wParam, 0);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
    return result;
}

LRESULT CStatusQb2::OnCtlColor(UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL&)
{
    return ::SendMessageW(m_note, uMsg, wParam, lParam);
}
