#include "controls/HyperLink.h"

#include <shellapi.h>

BOOL CHyperLink::Attach(HWND label)
{
    if (!SubclassWindow(label))
        return FALSE;
    // The dialog's font, underlined.
    LOGFONTW lf{};
    HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageW(label, WM_GETFONT, 0, 0));
    if (::GetObjectW(dialogFont ? static_cast<HGDIOBJ>(dialogFont) : ::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf),
                     &lf)) {
        lf.lfUnderline = TRUE;
        m_font.Reset(::CreateFontIndirectW(&lf));
        if (m_font)
            ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
    }
    return TRUE;
}

LRESULT CHyperLink::OnCtlColor(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    ::SetTextColor(dc, RGB(0, 0, 238));
    ::SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CHyperLink::OnSetCursor(UINT, WPARAM, LPARAM, BOOL&)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return TRUE;
}

LRESULT CHyperLink::OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&)
{
    // A static is transparent to the mouse unless it says otherwise.
    return HTCLIENT;
}

LRESULT CHyperLink::OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&)
{
    if (!m_target.empty())
        ::ShellExecuteW(::GetParent(m_hWnd), L"open", m_target.c_str(), nullptr, nullptr, SW_SHOW);
    return 0;
}

LRESULT CHyperLink::OnDestroy(UINT, WPARAM, LPARAM, BOOL& handled)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, 0, FALSE);
    handled = FALSE;
    return 0;
}
