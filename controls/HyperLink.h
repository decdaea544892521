// A static text turned into a link: blue, underlined, a hand over it, and a
// click opens its target in the browser. The owner reflects WM_CTLCOLORSTATIC.
#pragma once

#include <windows.h>

#include <string>

#include "ui/ScopedHandles.h"
#include "ui/Window.h"

class CHyperLink : public CWindowImpl<CHyperLink> {
public:
    BOOL Attach(HWND label);
    void SetTarget(const std::wstring& url) { m_target = url; }
    const std::wstring& GetTarget() const { return m_target; }

    BEGIN_MSG_MAP(CHyperLink)
    MESSAGE_HANDLER(OCM_BASE + WM_CTLCOLORSTATIC, OnCtlColor)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_NCHITTEST, OnNcHitTest)
    MESSAGE_HANDLER(WM_LBUTTONUP, OnLButtonUp)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

private:
    LRESULT OnCtlColor(UINT, WPARAM wParam, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnNcHitTest(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnLButtonUp(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);

    std::wstring m_target;
    ScopedGdiObject<HFONT> m_font;
};
