#include "ui/Dialog.h"

#include "ui/MessageLoop.h"

namespace {

const wchar_t kObjectProp[] = L"Quillboard.Dialog";

thread_local CDialogImplBase* t_creating = nullptr;

// Messages whose result a dialog procedure returns directly instead of
// through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT uMsg)
{
    switch (uMsg) {
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_INITDIALOG:
        case WM_QUERYDRAGICON:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
            return true;
        default:
            return false;
    }
}

}  // namespace

CDialogImplBase::~CDialogImplBase()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::RemovePropW(m_hWnd, kObjectProp);
}

CDialogImplBase* CDialogImplBase::FromHandle(HWND hWnd)
{
    return static_cast<CDialogImplBase*>(::GetPropW(hWnd, kObjectProp));
}

HWND CDialogImplBase::CreateDlg(UINT idd, HWND hWndParent, LPARAM initParam)
{
    t_creating = this;
    HWND hWnd = ::CreateDialogParamW(g_module.GetInstance(), MAKEINTRESOURCEW(idd), hWndParent,
                                     &CDialogImplBase::StartDialogProc, initParam);
    t_creating = nullptr;
    return hWnd;
}

INT_PTR CDialogImplBase::DoModalDlg(UINT idd, HWND hWndParent, LPARAM initParam)
{
    t_creating = this;
    INT_PTR result = ::DialogBoxParamW(g_module.GetInstance(), MAKEINTRESOURCEW(idd), hWndParent,
                                       &CDialogImplBase::StartDialogProc, initParam);
    t_creating = nullptr;
    return result;
}

BOOL CDialogImplBase::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

INT_PTR CALLBACK CDialogImplBase::StartDialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CDialogImplBase* self = t_creating;
    if (!self)
        return FALSE;
    t_creating = nullptr;
    self->m_hWnd = hWnd;
    ::SetPropW(hWnd, kObjectProp, self);
    ::SetWindowLongPtrW(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&CDialogImplBase::DialogProc));
    return DialogProc(hWnd, uMsg, wParam, lParam);
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    CDialogImplBase* self = FromHandle(hWnd);
    if (!self)
        return FALSE;

    LRESULT result = 0;
    BOOL handled = self->ProcessWindowMessage(hWnd, uMsg, wParam, lParam, result);
    if (uMsg == WM_NCDESTROY) {
        ::RemovePropW(hWnd, kObjectProp);
        self->m_hWnd = nullptr;
        self->OnFinalMessage(hWnd);
        return handled;
    }
    if (!handled)
        return FALSE;
    if (ReturnsResultDirectly(uMsg))
        return static_cast<INT_PTR>(result);
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
