// Modeless and modal dialogs whose procedure dispatches through a message map.
#pragma once

#include "ui/Window.h"

class CDialogImplBase : public CWindow, public CMessageMap {
public:
    CDialogImplBase() = default;
    CDialogImplBase(const CDialogImplBase&) = delete;
    CDialogImplBase& operator=(const CDialogImplBase&) = delete;
    ~CDialogImplBase() override;

    // Modeless; the window is created from the template resource `idd`.
    HWND CreateDlg(UINT idd, HWND hWndParent, LPARAM initParam = 0);
    INT_PTR DoModalDlg(UINT idd, HWND hWndParent, LPARAM initParam = 0);
    BOOL EndDialog(INT_PTR result) { return ::EndDialog(m_hWnd, result); }
    BOOL DestroyWindow();

    static CDialogImplBase* FromHandle(HWND hWnd);

protected:
    // Called after WM_NCDESTROY, once the window is gone.
    virtual void OnFinalMessage(HWND) {}

private:
    static INT_PTR CALLBACK StartDialogProc(HWND, UINT, WPARAM, LPARAM);
    static INT_PTR CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);
};

// T defines `enum { IDD = ... };`.
template <class T>
class CDialogImpl : public CDialogImplBase {
public:
    HWND Create(HWND hWndParent, LPARAM initParam = 0) { return CreateDlg(T::IDD, hWndParent, initParam); }
    INT_PTR DoModal(HWND hWndParent = ::GetActiveWindow(), LPARAM initParam = 0)
    {
        return DoModalDlg(T::IDD, hWndParent, initParam);
    }
};
