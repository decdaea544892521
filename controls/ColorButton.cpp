#include "controls/ColorButton.h"

#include <commctrl.h>
#include <commdlg.h>

#include <vector>

using namespace picker;

namespace {

const wchar_t kPickerClass[] = L"ColorPicker";

// Shared by every "More Colors..." dialog for the life of the process.
COLORREF g_customColours[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};

void FillSolid(HDC dc, const RECT& rc, COLORREF colour)
{
    COLORREF old = ::SetBkColor(dc, colour);
    ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
    ::SetBkColor(dc, old);
}

RECT ToRECT(const Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

// The work area of the monitor nearest to the window; the whole screen where
// the monitor functions are missing.
RECT WorkAreaNear(HWND hWnd)
{
    RECT bounds{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    HMODULE user = ::GetModuleHandleW(L"USER32.DLL");
    using MonitorFromWindowFn = HMONITOR(WINAPI*)(HWND, DWORD);
    using GetMonitorInfoFn = BOOL(WINAPI*)(HMONITOR, LPMONITORINFO);
    auto fromWindow =
        reinterpret_cast<MonitorFromWindowFn>(reinterpret_cast<void*>(::GetProcAddress(user, "MonitorFromWindow")));
    auto getInfo =
        reinterpret_cast<GetMonitorInfoFn>(reinterpret_cast<void*>(::GetProcAddress(user, "GetMonitorInfoA")));
    if (fromWindow && getInfo) {
        MONITORINFO mi{};
        mi.cbSize = sizeof(mi);
        if (getInfo(fromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &mi))
            bounds = mi.rcWork;
    }
    return bounds;
}

}  // namespace

CColorButton::CColorButton() : m_clrDefault(::GetSysColor(COLOR_APPWORKSPACE)) {}

COLORREF* CColorButton::CustomColours()
{
    return g_customColours;
}

BOOL CColorButton::Attach(HWND button)
{
    if (!SubclassWindow(button))
        return FALSE;
    LONG_PTR style = ::GetWindowLongPtrW(button, GWL_STYLE);
    ::SetWindowLongPtrW(button, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
    ::InvalidateRect(button, nullptr, TRUE);
    return TRUE;
}

void CColorButton::Notify(UINT code)
{
    ::SendMessageW(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), 0), code);
}

LRESULT CColorButton::OnDrawItem(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    const DRAWITEMSTRUCT& dis = *reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    HDC dc = dis.hDC;
    RECT rc = dis.rcItem;
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    const bool disabled = (dis.itemState & ODS_DISABLED) != 0;
    const bool focused = (dis.itemState & ODS_FOCUS) != 0;
    const int cxEdge = ::GetSystemMetrics(SM_CXEDGE);
    const int cyEdge = ::GetSystemMetrics(SM_CYEDGE);

    ::DrawFrameControl(
        dc, &rc, DFC_BUTTON,
        DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (selected ? DFCS_PUSHED : 0) | (disabled ? DFCS_INACTIVE : 0));
    if (selected || m_popupOpen)
        ::OffsetRect(&rc, 1, 1);
    if (focused || m_popupOpen) {
        RECT focus = rc;
        --focus.right;
        ::DrawFocusRect(dc, &focus);
    }
    ::InflateRect(&rc, -cxEdge, -cyEdge);

    // The drop-down arrow, then the separator left of it.
    const int x = rc.right - cxEdge / 2 - 4;
    const int m = (rc.top + rc.bottom) / 2;
    const POINT arrow[3] = {{x, m - 1}, {x + 4, m - 1}, {x + 2, m + 1}};
    const COLORREF arrowColour = disabled ? ::GetSysColor(COLOR_GRAYTEXT) : RGB(0, 0, 0);
    {
        ScopedGdiObject<HBRUSH> arrowBrush(::CreateSolidBrush(arrowColour));
        ScopedGdiObject<HPEN> arrowPen(::CreatePen(PS_SOLID, 1, arrowColour));
        ScopedSelectObject brush(dc, arrowBrush.Get());
        ScopedSelectObject pen(dc, arrowPen.Get());
        ::Polygon(dc, arrow, 3);
    }

    rc.right = x - cxEdge / 2;
    ::DrawEdge(dc, &rc, EDGE_ETCHED, BF_RIGHT);
    rc.right -= 2 * cxEdge + 1;

    if (disabled)
        return TRUE;
    if (m_clr == kNoColour) {
        ::FillRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNFACE));
        const int left = (rc.left + rc.right) / 2 - 4;
        const int top = (rc.top + rc.bottom) / 2 - 4;
        for (int row = 0; row < 9; ++row) {
            for (int column = 0; column < 9; ++column) {
                if (kCrossGlyph[row] & (1u << (8 - column)))
                    ::SetPixelV(dc, left + column, top + row, RGB(0, 0, 0));
            }
        }
    } else {
        FillSolid(dc, rc, m_clr == kAutomatic ? m_clrDefault : m_clr);
    }
    ::FrameRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return TRUE;
}

LRESULT CColorButton::OnReflectedCommand(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    if (HIWORD(wParam) != BN_CLICKED || m_popupOpen) {
        handled = FALSE;
        return 0;
    }
    RunPopup();
    return 0;
}

void CColorButton::RunPopup()
{
    m_popupOpen = true;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
    Notify(CPN_DROPDOWN);
    const COLORREF old = m_clr;

    m_result = false;
    if (CreatePopup()) {
        TrackPopup();
        DestroyPopup();
        if (m_result) {
            if (m_hover == kEntryCustom)
                m_result = ChooseCustomColour();
            else
                m_clr = m_picked;
        }
    }
    m_font.Reset();
    m_palette.Reset();
    ::UnregisterClassW(kPickerClass, ::GetModuleHandleW(nullptr));

    m_popupOpen = false;
    if (m_result && m_clr != old)
        Notify(CPN_SELCHANGE);
    Notify(CPN_CLOSEUP);
    Notify(m_result ? CPN_SELENDOK : CPN_SELENDCANCEL);
    if (::IsWindow(m_hWnd))
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

bool CColorButton::CreatePopup()
{
    BOOL flat = FALSE, shadow = FALSE;
    ::SystemParametersInfoW(SPI_GETFLATMENU, 0, &flat, 0);
    ::SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0);
    m_flatMenu = flat != FALSE;
    m_dropShadow = shadow != FALSE;
    m_menuColour = ::GetSysColor(COLOR_MENU);
    m_frameColour = ::GetSysColor(COLOR_HIGHLIGHT);
    m_hoverFill = ::GetSysColor(COLOR_MENUHILIGHT);
    m_hoverText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_text = ::GetSysColor(COLOR_MENUTEXT);
    m_currentFill = BlendCurrentFill(m_menuColour, m_frameColour);

    m_hover = m_current = kEntryNone;
    m_picked = m_clr;
    NONCLIENTMETRICSW ncm{};
    ncm.cbSize = sizeof(ncm);
    if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
        m_font.Reset(::CreateFontIndirectW(&ncm.lfMessageFont));
    std::vector<BYTE> paletteData(sizeof(LOGPALETTE) + kColourCount * sizeof(PALETTEENTRY));
    auto* logPalette = reinterpret_cast<LOGPALETTE*>(paletteData.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = kColourCount;
    for (int i = 0; i < kColourCount; ++i) {
        const Colour c = PaletteEntry(i).colour;
        logPalette->palPalEntry[i] = {GetRValue(c), GetGValue(c), GetBValue(c), 0};
    }
    m_palette.Reset(::CreatePalette(logPalette));

    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_CLASSDC | CS_SAVEBITS | (m_dropShadow ? CS_DROPSHADOW : 0);
    wc.lpfnWndProc = PopupProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_MENU + 1);
    wc.lpszClassName = kPickerClass;
    ::RegisterClassW(&wc);

    RECT button{};
    ::GetWindowRect(m_hWnd, &button);
    m_popup = ::CreateWindowExW(0, kPickerClass, L"", WS_POPUP, button.left, button.bottom, 100, 100,
                                ::GetParent(m_hWnd), nullptr, instance, nullptr);
    if (!m_popup) {
        ::UnregisterClassW(kPickerClass, instance);
        return false;
    }
    ::SetWindowLongPtrW(m_popup, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));

    // Lay out with the texts measured in the popup font.
    SIZE autoSize{}, customSize{};
    {
        ScopedWindowDC dc(m_popup);
        ScopedSelectObject font(dc.Get(), PopupFont());
        ::GetTextExtentPoint32W(dc.Get(), m_defaultText.c_str(), static_cast<int>(m_defaultText.size()), &autoSize);
        ::GetTextExtentPoint32W(dc.Get(), m_customText.c_str(), static_cast<int>(m_customText.size()), &customSize);
    }
    m_layout = LayOut({autoSize.cx, autoSize.cy}, HasAutomatic(), {customSize.cx, customSize.cy}, HasCustom(),
                      ::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    const RECT work = WorkAreaNear(m_hWnd);
    const Rect place = PlacePopup({button.left, button.top, button.right, button.bottom}, m_layout.window,
                                  {work.left, work.top, work.right, work.bottom});
    ::SetWindowPos(m_popup, nullptr, place.left, place.top, place.Width(), place.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);

    m_tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0, 0,
                                  m_popup, nullptr, instance, nullptr);
    for (int i = 0; i < kColourCount && m_tooltip; ++i) {
        TTTOOLINFOW ti{};
        ti.cbSize = sizeof(ti);
        ti.hwnd = m_popup;
        ti.uId = i;
        ti.rect = ToRECT(CellRect(m_layout, i));
        ti.lpszText = const_cast<wchar_t*>(PaletteEntry(i).name);
        ::SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    m_current = CurrentEntry(m_clr, HasAutomatic(), HasCustom());
    return true;
}

void CColorButton::DestroyPopup()
{
    ::ReleaseCapture();
    if (m_tooltip)
        ::DestroyWindow(m_tooltip);
    if (m_popup)
        ::DestroyWindow(m_popup);
    m_tooltip = m_popup = nullptr;
}

void CColorButton::TrackPopup()
{
    ::ShowWindow(m_popup, SW_SHOWNA);
    ::UpdateWindow(m_popup);
    ::SetCapture(m_popup);
    m_tracking = true;
    while (m_tracking && ::GetCapture() == m_popup) {
        MSG msg;
        if (::GetMessageW(&msg, nullptr, 0, 0) <= 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (m_tooltip)
            ::SendMessageW(m_tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        switch (msg.message) {
            case WM_KEYDOWN:
                OnPopupKey(msg.wParam);
                continue;
            case WM_KEYUP:
                continue;
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                // With the capture every mouse message is the popup's; one queued for
                // another window is taken at the same place on the screen.
                POINT pt{static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
                if (msg.hwnd != m_popup)
                    ::MapWindowPoints(msg.hwnd, m_popup, &pt, 1);
                const int hit = HitTest(m_layout, pt.x, pt.y);
                if (hit != m_hover)
                    MoveHover(hit);
                if (msg.message == WM_LBUTTONUP)
                    EndPopup(hit != kEntryNone);
                continue;
            }
            case WM_RBUTTONDOWN:
                EndPopup(false);
                continue;
            default:
                break;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    // Capture lost any other way ends without a choice.
    if (m_tracking)
        m_result = false;
    m_tracking = false;
}

void CColorButton::EndPopup(bool choice)
{
    m_result = choice;
    m_tracking = false;
}

void CColorButton::OnPopupKey(WPARAM key)
{
    switch (key) {
        case VK_RETURN:
        case VK_SPACE:
            if (m_hover == kEntryNone)
                m_picked = m_clr;
            EndPopup(m_hover != kEntryNone);
            return;
        case VK_ESCAPE:
            m_picked = m_clr;
            EndPopup(false);
            return;
        case VK_LEFT:
            MoveHover(Step(m_hover, -1, HasAutomatic(), HasCustom()));
            return;
        case VK_RIGHT:
            MoveHover(Step(m_hover, 1, HasAutomatic(), HasCustom()));
            return;
        case VK_UP:
            MoveHover(Step(m_hover, -kColumns, HasAutomatic(), HasCustom()));
            return;
        case VK_DOWN:
            MoveHover(Step(m_hover, kColumns, HasAutomatic(), HasCustom()));
            return;
        default:
            return;
    }
}

void CColorButton::MoveHover(int entry)
{
    const int old = m_hover;
    m_hover = entry;
    ScopedWindowDC dc(m_popup);
    if (old != kEntryNone)
        PaintEntry(dc.Get(), old, false);
    if (entry != kEntryNone)
        PaintEntry(dc.Get(), entry, true);
    if (entry >= 0)
        m_picked = PaletteEntry(entry).colour;
    else if (entry == kEntryAutomatic)
        m_picked = kAutomatic;
}

RECT CColorButton::EntryRect(int entry) const
{
    if (entry == kEntryAutomatic)
        return ToRECT(m_layout.automatic);
    if (entry == kEntryCustom)
        return ToRECT(m_layout.custom);
    return ToRECT(CellRect(m_layout, entry));
}

void CColorButton::PaintPopup(HDC dc)
{
    RECT client{};
    ::GetClientRect(m_popup, &client);
    if (m_flatMenu) {
        ScopedGdiObject<HPEN> framePen(::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_GRAYTEXT)));
        ScopedSelectObject pen(dc, framePen.Get());
        ScopedSelectObject brush(dc, ::GetStockObject(WHITE_BRUSH));
        ::Rectangle(dc, client.left, client.top, client.right, client.bottom);
    } else {
        FillSolid(dc, client, m_menuColour);
        ::DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
    }
    if (HasAutomatic())
        PaintEntry(dc, kEntryAutomatic, m_hover == kEntryAutomatic);
    for (int i = 0; i < kColourCount; ++i)
        PaintEntry(dc, i, m_hover == i);
    if (HasCustom())
        PaintEntry(dc, kEntryCustom, m_hover == kEntryCustom);
}

void CColorButton::PaintEntry(HDC dc, int entry, bool hovered)
{
    if ((entry == kEntryAutomatic && !HasAutomatic()) || (entry == kEntryCustom && !HasCustom()))
        return;
    const bool cell = entry >= 0;
    const bool marked = !hovered && entry == m_current;
    const COLORREF fill = hovered ? m_hoverFill : m_currentFill;
    const COLORREF textColour = hovered ? m_hoverText : m_text;
    const int outer = cell ? 0 : 2;
    const int inner = cell ? 2 : 3;

    RECT rc = EntryRect(entry);
    if (hovered || marked) {
        if (!cell)
            FillSolid(dc, rc, m_menuColour);
        ::InflateRect(&rc, -outer, -outer);
        FillSolid(dc, rc, m_frameColour);
        ::InflateRect(&rc, -1, -1);
        FillSolid(dc, rc, fill);
        ::InflateRect(&rc, -(inner - 1), -(inner - 1));
    } else {
        FillSolid(dc, rc, m_menuColour);
        ::InflateRect(&rc, -(outer + inner), -(outer + inner));
    }

    if (cell) {
        HPALETTE oldPalette = nullptr;
        const bool paletteDisplay = (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) != 0;
        if (paletteDisplay && m_palette) {
            oldPalette = ::SelectPalette(dc, m_palette.Get(), FALSE);
            ::RealizePalette(dc);
        }
        ::FrameRect(dc, &rc, ::GetSysColorBrush(COLOR_BTNSHADOW));
        ::InflateRect(&rc, -1, -1);
        FillSolid(dc, rc, PaletteEntry(entry).colour);
        if (oldPalette)
            ::SelectPalette(dc, oldPalette, FALSE);
        return;
    }
    const std::wstring& text = entry == kEntryAutomatic ? m_defaultText : m_customText;
    ScopedSelectObject font(dc, PopupFont());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, textColour);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

bool CColorButton::ChooseCustomColour()
{
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = ::GetActiveWindow();
    cc.rgbResult = m_clr;
    cc.lpCustColors = g_customColours;
    cc.Flags = CC_FULLOPEN | CC_ANYCOLOR | (m_clr != 0 ? CC_RGBINIT : 0);
    if (!::ChooseColorW(&cc))
        return false;
    m_clr = cc.rgbResult;
    return true;
}

LRESULT CALLBACK CColorButton::PopupProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<CColorButton*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (msg) {
        case WM_PAINT:
            if (self) {
                PAINTSTRUCT ps;
                HDC dc = ::BeginPaint(hWnd, &ps);
                self->PaintPopup(dc);
                ::EndPaint(hWnd, &ps);
                return 0;
            }
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            break;
    }
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}
