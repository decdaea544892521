// A soft drop shadow for a window: a click-through layered window owned by
// the window it shadows, following it through a hook in that window's chain.
#pragma once

#include <windows.h>

#include "controls/ShadowImage.h"
#include "ui/Window.h"

class CWndShadow {
public:
    enum : BYTE {
        kEnabled = 1,      // the shadow window was created
        kShown = 2,        // the shadow window is shown
        kParentShown = 4,  // the parent is shown
    };

    CWndShadow() = default;
    virtual ~CWndShadow();
    CWndShadow(const CWndShadow&) = delete;
    CWndShadow& operator=(const CWndShadow&) = delete;

    // Once per process; later calls return false. Without UpdateLayeredWindow
    // in the system shadows stay off.
    static bool Initialize(HINSTANCE hInstance);

    void Create(HWND hParent);
    void SetColor(COLORREF color);
    // Rebuilds the image from the parent's outline and shows it.
    void Update(HWND hParent);

    HWND GetHwnd() const { return m_hWnd; }
    BYTE GetStatus() const { return m_status; }
    COLORREF GetColor() const { return m_params.color; }

private:
    // Passes the parent's messages to the shadow; the parent still handles them all.
    class CParentHook : public CWindowImplBase {
    public:
        explicit CParentHook(CWndShadow& shadow) : m_shadow(shadow) {}
        BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT&) override;

    private:
        CWndShadow& m_shadow;
    };

    void OnParentMessage(HWND hParent, UINT uMsg, WPARAM wParam, LPARAM lParam);
    void OnParentSize(HWND hParent, WPARAM wParam, LPARAM lParam);
    void Show();
    void Hide();

    HWND m_hWnd = reinterpret_cast<HWND>(-1);
    CParentHook m_parentHook{*this};
    BYTE m_status = 0;
    ShadowParams m_params;  // darkness, sharpness, size, offsets, colour
    DWORD m_lastSize = 0;   // client width and height from the parent's last WM_SIZE
    bool m_updatePending = false;
};
