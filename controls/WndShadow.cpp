#include "controls/WndShadow.h"

#include "ui/ScopedHandles.h"

#include <cstring>

namespace {

const wchar_t kShadowClass[] = L"UmbraShadowWnd";

using UpdateLayeredWindowFn = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);

// Shared by every shadow; set once on the UI thread.
UpdateLayeredWindowFn g_updateLayeredWindow = nullptr;
HINSTANCE g_instance = nullptr;

std::vector<RowSpan> ParentOutline(HWND hParent, int width, int height)
{
    ScopedGdiObject<HRGN> region(::CreateRectRgn(0, 0, 0, 0));
    const int kind = region ? ::GetWindowRgn(hParent, region.Get()) : ERROR;
    if (kind != SIMPLEREGION && kind != COMPLEXREGION)
        return RectangleOutline(width, height);
    HRGN shape = region.Get();
    return ComputeOutline(width, height, [shape](int x, int y) { return ::PtInRegion(shape, x, y) != 0; });
}

}  // namespace

bool CWndShadow::Initialize(HINSTANCE hInstance)
{
    if (g_updateLayeredWindow)
        return false;
    HMODULE user32 = ::GetModuleHandleW(L"USER32.DLL");
    auto proc = user32 ? ::GetProcAddress(user32, "UpdateLayeredWindow") : nullptr;
    if (!proc)
        return false;
    g_updateLayeredWindow = reinterpret_cast<UpdateLayeredWindowFn>(reinterpret_cast<void*>(proc));
    g_instance = hInstance;

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = hInstance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kShadowClass;
    ::RegisterClassExW(&wc);
    return true;
}

CWndShadow::~CWndShadow()
{
    // Normally the parent's destruction has already taken everything down.
    m_parentHook.UnsubclassWindow();
    if (m_hWnd != reinterpret_cast<HWND>(-1) && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

void CWndShadow::Create(HWND hParent)
{
    if (!g_updateLayeredWindow || !::IsWindow(hParent) || m_parentHook.m_hWnd)
        return;
    HWND hWnd =
        ::CreateWindowExW(WS_EX_LAYERED | WS_EX_TRANSPARENT, kShadowClass, nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          0, 0, 0, 0, hParent, nullptr, g_instance, nullptr);
    if (!hWnd)
        return;  // no shadow, the parent works on unchanged
    m_hWnd = hWnd;

    const LONG_PTR style = ::GetWindowLongPtrW(hParent, GWL_STYLE);
    if (!(style & WS_VISIBLE)) {
        m_status = kEnabled;
    } else if (!(style & (WS_MAXIMIZE | WS_MINIMIZE))) {
        m_status = kEnabled | kShown | kParentShown;
        ::ShowWindow(m_hWnd, SW_SHOWNA);
        Update(hParent);
    } else {
        m_status = kEnabled | kParentShown;
    }
    if (!m_parentHook.SubclassWindow(hParent)) {
        ::DestroyWindow(m_hWnd);  // it could not follow: no shadow rather than a stray one
        m_hWnd = reinterpret_cast<HWND>(-1);
        m_status = 0;
    }
}

void CWndShadow::SetColor(COLORREF color)
{
    m_params.color = color;
    if ((m_status & kShown) && m_parentHook.m_hWnd)
        Update(m_parentHook.m_hWnd);
}

void CWndShadow::Show()
{
    ::ShowWindow(m_hWnd, SW_SHOWNA);
    m_status |= kShown;
}

void CWndShadow::Hide()
{
    ::ShowWindow(m_hWnd, SW_HIDE);
    m_status &= ~kShown;
}

void CWndShadow::Update(HWND hParent)
{
    if (!g_updateLayeredWindow || !::IsWindow(m_hWnd))
        return;
    RECT rc;
    if (!::GetWindowRect(hParent, &rc))
        return;
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
    int imageWidth = 0;
    int imageHeight = 0;
    if (!ShadowImageSize(width, height, m_params, imageWidth, imageHeight)) {
        Hide();  // a note far larger than any screen gets no shadow
        return;
    }

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = imageWidth;
    bmi.bmiHeader.biHeight = imageHeight;  // positive: rows bottom-up
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    ScopedMemoryDC memDC;
    ScopedGdiObject<HBITMAP> section(memDC ? ::CreateDIBSection(memDC.Get(), &bmi, DIB_RGB_COLORS, &bits, nullptr, 0)
                                           : nullptr);
    if (!section || !bits) {
        Hide();  // out of memory for the image: no shadow, and nothing is drawn
        return;
    }
    ScopedSelectObject selected(memDC.Get(), section.Get());

    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::memset(pixels, 0, static_cast<size_t>(imageWidth) * imageHeight * sizeof(std::uint32_t));
    MakeShadowImage(pixels, width, height, ParentOutline(hParent, width, height), m_params);

    POINT dst = {rc.left + m_params.xOffset - m_params.size, rc.top + m_params.yOffset - m_params.size};
    SIZE size = {imageWidth, imageHeight};
    POINT src = {0, 0};
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::MoveWindow(m_hWnd, dst.x, dst.y, imageWidth, imageHeight, FALSE);
    g_updateLayeredWindow(m_hWnd, nullptr, &dst, &size, memDC.Get(), &src, 0, &blend, ULW_ALPHA);
}

BOOL CWndShadow::CParentHook::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT&)
{
    m_shadow.OnParentMessage(hWnd, uMsg, wParam, lParam);
    return FALSE;
}

void CWndShadow::OnParentMessage(HWND hParent, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
        case WM_DESTROY:
            ::DestroyWindow(m_hWnd);
            break;
        case WM_MOVE:
            if (m_status & kShown) {
                RECT rc;
                ::GetWindowRect(hParent, &rc);
                ::SetWindowPos(m_hWnd, nullptr, rc.left + m_params.xOffset - m_params.size,
                               rc.top + m_params.yOffset - m_params.size, 0, 0,
                               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            break;
        case WM_SIZE:
            OnParentSize(hParent, wParam, lParam);
            break;
        case WM_PAINT:
            if (m_updatePending) {
                Update(hParent);
                m_updatePending = false;
            }
            break;
        case WM_SHOWWINDOW:
            if (!(m_status & kEnabled))
                break;
            if (!wParam) {
                ::ShowWindow(m_hWnd, SW_HIDE);
                m_status &= ~(kShown | kParentShown);
            } else if (!(m_status & kParentShown)) {
                m_updatePending = true;
                Show();
                m_status |= kParentShown;
            }
            break;
        case WM_NCDESTROY:
            // The shadow window went at WM_DESTROY; the hook leaves the chain by itself.
            m_hWnd = reinterpret_cast<HWND>(-1);
            break;
        case WM_EXITSIZEMOVE:
            if (m_status & kShown)
                Update(hParent);
            break;
        default:
            break;
    }
}

void CWndShadow::OnParentSize(HWND hParent, WPARAM wParam, LPARAM lParam)
{
    if (!(m_status & kEnabled))
        return;
    if (wParam == SIZE_MAXIMIZED || wParam == SIZE_MINIMIZED) {
        Hide();
    } else if (m_status & kParentShown) {
        if (!(m_status & kShown))
            Show();
        // Growing waits for the parent's next paint; shrinking rebuilds at once.
        if (LOWORD(lParam) > LOWORD(m_lastSize) || HIWORD(lParam) > HIWORD(m_lastSize))
            m_updatePending = true;
        else
            Update(hParent);
    }
    m_lastSize = static_cast<DWORD>(lParam);
}
