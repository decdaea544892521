#include "ui/Window.h"

#include "ui/MessageLoop.h"

namespace {

// The object is found through a window property rather than GWLP_USERDATA,
// which subclassed controls may use themselves.
const wchar_t kObjectProp[] = L"Quillboard.Window";
// The previous procedure of a window whose object died first.
const wchar_t kOrphanProcProp[] = L"Quillboard.PrevProc";

// Object being created on this thread; claimed by its first message.
thread_local CWindowImplBase* t_creating = nullptr;

HWND ChildOfNotification(HWND hWndParent, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    switch (uMsg) {
        case WM_COMMAND:
            return reinterpret_cast<HWND>(lParam);
        case WM_NOTIFY:
            return lParam ? reinterpret_cast<NMHDR*>(lParam)->hwndFrom : nullptr;
        case WM_PARENTNOTIFY:
            switch (LOWORD(wParam)) {
                case WM_CREATE:
                case WM_DESTROY:
                    return reinterpret_cast<HWND>(lParam);
                default:
                    return ::GetDlgItem(hWndParent, HIWORD(wParam));
            }
        case WM_DRAWITEM:
            return wParam && lParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        case WM_MEASUREITEM:
            return wParam && lParam ? ::GetDlgItem(hWndParent, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID)
                                    : nullptr;
        case WM_COMPAREITEM:
            return wParam && lParam ? reinterpret_cast<COMPAREITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        case WM_DELETEITEM:
            return wParam && lParam ? reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem : nullptr;
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_HSCROLL:
        case WM_VSCROLL:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return reinterpret_cast<HWND>(lParam);
        default:
            return nullptr;
    }
}

}  // namespace

LRESULT ReflectNotification(HWND hWndParent, UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    HWND child = ChildOfNotification(hWndParent, uMsg, wParam, lParam);
    if (!child || !::IsWindow(child)) {
        handled = FALSE;
        return 0;
    }
    return ::SendMessageW(child, OCM_BASE + uMsg, wParam, lParam);
}

CWindowImplBase::~CWindowImplBase()
{
    // An object that dies before its window must not be called again.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // Subclassed again on top of us: our procedure stays in the chain, so
        // it must still find the previous one without the object.
        if (m_prevProc && !UnsubclassWindow())
            ::SetPropW(m_hWnd, kOrphanProcProp, reinterpret_cast<HANDLE>(m_prevProc));
        Detach();
    }
}

CWindowImplBase* CWindowImplBase::FromHandle(HWND hWnd)
{
    return static_cast<CWindowImplBase*>(::GetPropW(hWnd, kObjectProp));
}

void CWindowImplBase::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropW(hWnd, kObjectProp, this);
}

void CWindowImplBase::Detach()
{
    if (m_hWnd)
        ::RemovePropW(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

BOOL CWindowImplBase::SubclassWindow(HWND hWnd)
{
    if (m_hWnd || !::IsWindow(hWnd) || FromHandle(hWnd))
        return FALSE;
    Attach(hWnd);
    m_prevProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowImplBase::WindowProc)));
    if (!m_prevProc) {
        Detach();
        return FALSE;
    }
    return TRUE;
}

HWND CWindowImplBase::UnsubclassWindow()
{
    HWND hWnd = m_hWnd;
    if (!hWnd || !m_prevProc)
        return nullptr;
    // Someone subclassed on top of us: leave the chain alone rather than cut it.
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) != &CWindowImplBase::WindowProc)
        return nullptr;
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_prevProc));
    m_prevProc = nullptr;
    Detach();
    return hWnd;
}

LRESULT CWindowImplBase::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (m_prevProc)
        return ::CallWindowProcW(m_prevProc, m_hWnd, uMsg, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, uMsg, wParam, lParam);
}

HWND CWindowImplBase::CreateImpl(const wchar_t* className,
                                 UINT classStyle,
                                 HWND hWndParent,
                                 const RECT* rect,
                                 const wchar_t* text,
                                 DWORD style,
                                 DWORD exStyle,
                                 UINT_PTR idOrMenu)
{
    HINSTANCE hInst = g_module.GetInstance();
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    if (!::GetClassInfoExW(hInst, className, &wc)) {
        wc.cbSize = sizeof(wc);
        wc.style = classStyle;
        wc.lpfnWndProc = &CWindowImplBase::StartWindowProc;
        wc.hInstance = hInst;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = className;
        if (!::RegisterClassExW(&wc))
            return nullptr;
    }
    RECT rc = rect ? *rect : RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT};
    int cx = rect ? rc.right - rc.left : CW_USEDEFAULT;
    int cy = rect ? rc.bottom - rc.top : CW_USEDEFAULT;
    t_creating = this;
    HWND hWnd = ::CreateWindowExW(exStyle, className, text, style, rc.left, rc.top, cx, cy, hWndParent,
                                  reinterpret_cast<HMENU>(idOrMenu), hInst, nullptr);
    t_creating = nullptr;
    return hWnd;
}

LRESULT CALLBACK CWindowImplBase::StartWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CWindowImplBase* self = t_creating;
    if (!self)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    t_creating = nullptr;
    self->Attach(hWnd);
    ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowImplBase::WindowProc));
    return WindowProc(hWnd, uMsg, wParam, lParam);
}

LRESULT CALLBACK CWindowImplBase::WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CWindowImplBase* self = FromHandle(hWnd);
    if (!self) {
        auto prev = reinterpret_cast<WNDPROC>(::GetPropW(hWnd, kOrphanProcProp));
        if (uMsg == WM_NCDESTROY)
            ::RemovePropW(hWnd, kOrphanProcProp);
        return prev ? ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam)
                    : ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }

    LRESULT result = 0;
    if (!self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result)) {
        if (uMsg == WM_NCDESTROY) {
            // Let the previous procedure see its last message, then forget the window.
            WNDPROC prev = self->m_prevProc;
            self->m_prevProc = nullptr;
            self->Detach();
            result = prev ? ::CallWindowProcW(prev, hWnd, uMsg, wParam, lParam)
                          : ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
            self->OnFinalMessage(hWnd);
            return result;
        }
        result = self->DefWindowProc(uMsg, wParam, lParam);
    } else if (uMsg == WM_NCDESTROY) {
        if (self->m_prevProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->m_prevProc));
        self->m_prevProc = nullptr;
        self->Detach();
        self->OnFinalMessage(hWnd);
    }
    return result;
}
