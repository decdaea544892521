#include "ui/Window.h"

#include "ui/MessageLoop.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

// The object is found through a window property rather than GWLP_USERDATA,
// which subclassed controls may use themselves.
const wchar_t kObjectProp[] = L"Quillboard.Window";
// The chain of hooks of a subclassed window.
const wchar_t kChainProp[] = L"Quillboard.Subclass";

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

// The hooks of one window, oldest first, and the procedure below them all,
// kept in a window property. While a message runs, a hook that leaves only
// empties its slot, so the positions the running calls stand on stay valid.
struct SubclassChain {
    WNDPROC original = nullptr;
    std::vector<CWindowImplBase*> hooks;
    int running = 0;  // calls into the chain that have not returned
    bool destroyed = false;

    static SubclassChain* Of(HWND hWnd) { return static_cast<SubclassChain*>(::GetPropW(hWnd, kChainProp)); }
    static LRESULT CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Offers the message to the hooks below position `below`, top down, and
    // then to the window's own procedure.
    LRESULT Call(size_t below, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
    // Where `hook` stands; hooks.size() when it is not in the chain.
    size_t PositionOf(const CWindowImplBase* hook) const
    {
        return static_cast<size_t>(std::find(hooks.begin(), hooks.end(), hook) - hooks.begin());
    }
    // Drops empty slots once nothing runs; with no hook left the window gets its
    // own procedure back, unless someone else hooked it above us.
    static void Trim(SubclassChain* chain, HWND hWnd);
};

LRESULT SubclassChain::Call(size_t below, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    ++running;
    LRESULT result = 0;
    bool handled = false;
    while (below > 0 && !handled) {
        CWindowImplBase* hook = hooks[--below];
        handled = hook && hook->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result);
    }
    if (!handled)
        result = ::CallWindowProcW(original, hWnd, uMsg, wParam, lParam);
    --running;
    return result;
}

void SubclassChain::Trim(SubclassChain* chain, HWND hWnd)
{
    if (chain->running)
        return;
    auto& hooks = chain->hooks;
    hooks.erase(std::remove(hooks.begin(), hooks.end(), nullptr), hooks.end());
    if (!hooks.empty())
        return;
    if (!chain->destroyed) {
        if (::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&SubclassChain::Proc))
            return;  // stays as a pass-through below the other procedure
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->original));
    }
    ::RemovePropW(hWnd, kChainProp);
    delete chain;
}

LRESULT CALLBACK SubclassChain::Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    SubclassChain* chain = Of(hWnd);
    if (!chain)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    const LRESULT result = chain->Call(chain->hooks.size(), hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        chain->destroyed = true;
        for (size_t i = 0; i < chain->hooks.size(); ++i) {
            if (CWindowImplBase* hook = std::exchange(chain->hooks[i], nullptr)) {
                hook->m_hWnd = nullptr;
                hook->m_hooked = false;
                hook->OnFinalMessage(hWnd);
            }
        }
    }
    Trim(chain, hWnd);
    return result;
}

CWindowImplBase::~CWindowImplBase()
{
    // An object that dies before its window must not be called again.
    if (m_hooked)
        UnsubclassWindow();
    else if (m_hWnd && ::IsWindow(m_hWnd))
        Detach();
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
    if (m_hWnd || !::IsWindow(hWnd))
        return FALSE;
    SubclassChain* chain = SubclassChain::Of(hWnd);
    if (!chain) {
        auto fresh = std::make_unique<SubclassChain>();
        if (!::SetPropW(hWnd, kChainProp, fresh.get()))
            return FALSE;
        fresh->original = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassChain::Proc)));
        if (!fresh->original) {  // another process's window, say
            ::RemovePropW(hWnd, kChainProp);
            return FALSE;
        }
        chain = fresh.release();
    }
    chain->hooks.push_back(this);
    m_hWnd = hWnd;
    m_hooked = true;
    return TRUE;
}

HWND CWindowImplBase::UnsubclassWindow()
{
    if (!m_hooked)
        return nullptr;
    HWND hWnd = m_hWnd;
    m_hWnd = nullptr;
    m_hooked = false;
    if (SubclassChain* chain = SubclassChain::Of(hWnd)) {
        const size_t at = chain->PositionOf(this);
        if (at < chain->hooks.size())
            chain->hooks[at] = nullptr;
        SubclassChain::Trim(chain, hWnd);
    }
    return hWnd;
}

LRESULT CWindowImplBase::DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    HWND hWnd = m_hWnd;
    SubclassChain* chain = m_hooked ? SubclassChain::Of(hWnd) : nullptr;
    if (!chain)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    const LRESULT result = chain->Call(chain->PositionOf(this), hWnd, uMsg, wParam, lParam);
    SubclassChain::Trim(chain, hWnd);
    return result;
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
    if (!self)
        return ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    LRESULT result = 0;
    if (!self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result))
        result = ::DefWindowProcW(hWnd, uMsg, wParam, lParam);
    if (uMsg == WM_NCDESTROY) {
        self->Detach();
        self->OnFinalMessage(hWnd);
    }
    return result;
}
