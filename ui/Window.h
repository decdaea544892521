// A small window layer: windows as classes with a message map, subclassing
// through one chain per window (hooks join and leave in any order), and
// reflection of child notifications back to the child as message + OCM_BASE.
#pragma once

#include <windows.h>

// Reflected notifications arrive at the child as the original message plus this.
constexpr UINT OCM_BASE = WM_USER + 0x1C00;  // 0x2000

class CMessageMap {
public:
    virtual ~CMessageMap() = default;
    // Returns TRUE when the message was handled; lResult then holds its result.
    virtual BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) = 0;
};

// Thin handle wrapper, copyable, owns nothing.
class CWindow {
public:
    HWND m_hWnd = nullptr;

    CWindow(HWND hWnd = nullptr) : m_hWnd(hWnd) {}
    operator HWND() const { return m_hWnd; }
    BOOL IsWindow() const { return ::IsWindow(m_hWnd); }

    LRESULT SendMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::SendMessageW(m_hWnd, msg, wp, lp); }
    BOOL PostMessage(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const { return ::PostMessageW(m_hWnd, msg, wp, lp); }
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    BOOL SetWindowText(const wchar_t* text) const { return ::SetWindowTextW(m_hWnd, text); }
};

// Sends a child's notification back to the child as message + OCM_BASE.
// Sets handled to FALSE when the message is no notification or names no child.
LRESULT ReflectNotification(HWND hWndParent, UINT uMsg, WPARAM wParam, LPARAM lParam, BOOL& handled);

// A window created from a registered class, or an existing window subclassed.
class CWindowImplBase : public CWindow, public CMessageMap {
public:
    CWindowImplBase() = default;
    CWindowImplBase(const CWindowImplBase&) = delete;
    CWindowImplBase& operator=(const CWindowImplBase&) = delete;
    ~CWindowImplBase() override;

    // Hooks an existing window: this object sees its messages first and
    // unhandled ones go on down the window's chain of hooks to its own
    // procedure. Several objects may hook one window.
    BOOL SubclassWindow(HWND hWnd);
    // Leaves the window's chain; the other hooks stay. When the last one
    // leaves, the window gets its own procedure back.
    HWND UnsubclassWindow();

    // What happens to a message this object does not handle: the next hook
    // below, or the window's own procedure.
    LRESULT DefWindowProc(UINT uMsg, WPARAM wParam, LPARAM lParam);

    // The object behind a window created by this layer, or null.
    static CWindowImplBase* FromHandle(HWND hWnd);

protected:
    // Creates a window of a class registered by this layer under className.
    HWND CreateImpl(const wchar_t* className,
                    UINT classStyle,
                    HWND hWndParent,
                    const RECT* rect,
                    const wchar_t* text,
                    DWORD style,
                    DWORD exStyle,
                    UINT_PTR idOrMenu);

    // Called after WM_NCDESTROY, once the window is gone.
    virtual void OnFinalMessage(HWND) {}

private:
    friend struct SubclassChain;
    static LRESULT CALLBACK StartWindowProc(HWND, UINT, WPARAM, LPARAM);
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    void Attach(HWND hWnd);
    void Detach();

    bool m_hooked = false;  // m_hWnd is a hooked window, not one created here
};

template <class T>
class CWindowImpl : public CWindowImplBase {
public:
    // T may define static const wchar_t* GetWndClassName() and GetClassStyle().
    static const wchar_t* GetWndClassName() { return L"QuillboardWindow"; }
    static UINT GetClassStyle() { return CS_DBLCLKS; }

    HWND Create(HWND hWndParent,
                const RECT* rect = nullptr,
                const wchar_t* text = nullptr,
                DWORD style = 0,
                DWORD exStyle = 0,
                UINT_PTR idOrMenu = 0)
    {
        return CreateImpl(T::GetWndClassName(), T::GetClassStyle(), hWndParent, rect, text, style, exStyle, idOrMenu);
    }
};

// Message-map macros. Handlers have these forms:
//   LRESULT OnMessage(UINT msg, WPARAM, LPARAM, BOOL& handled)
//   LRESULT OnCommand(WORD code, WORD id, HWND hWndCtl, BOOL& handled)
//   LRESULT OnNotify(int idCtrl, NMHDR* pnmh, BOOL& handled)
// handled starts TRUE; a handler that clears it lets the map go on.
#define BEGIN_MSG_MAP(theClass)                                                                              \
public:                                                                                                      \
    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override \
    {                                                                                                        \
        BOOL bHandled = TRUE;                                                                                \
        (void)hWnd;                                                                                          \
        (void)bHandled;

#define MESSAGE_HANDLER(msg, func)                      \
    if (uMsg == (msg)) {                                \
        bHandled = TRUE;                                \
        lResult = func(uMsg, wParam, lParam, bHandled); \
        if (bHandled)                                   \
            return TRUE;                                \
    }

#define MESSAGE_RANGE_HANDLER(msgFirst, msgLast, func)  \
    if (uMsg >= (msgFirst) && uMsg <= (msgLast)) {      \
        bHandled = TRUE;                                \
        lResult = func(uMsg, wParam, lParam, bHandled); \
        if (bHandled)                                   \
            return TRUE;                                \
    }

#define COMMAND_ID_HANDLER(id, func)                                                              \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id)) {                                           \
        bHandled = TRUE;                                                                          \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled)                                                                             \
            return TRUE;                                                                          \
    }

#define COMMAND_HANDLER(id, code, func)                                                           \
    if (uMsg == WM_COMMAND && LOWORD(wParam) == (id) && HIWORD(wParam) == (code)) {               \
        bHandled = TRUE;                                                                          \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled)                                                                             \
            return TRUE;                                                                          \
    }

#define COMMAND_RANGE_HANDLER(idFirst, idLast, func)                                              \
    if (uMsg == WM_COMMAND && LOWORD(wParam) >= (idFirst) && LOWORD(wParam) <= (idLast)) {        \
        bHandled = TRUE;                                                                          \
        lResult = func(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), bHandled); \
        if (bHandled)                                                                             \
            return TRUE;                                                                          \
    }

#define NOTIFY_CODE_HANDLER(cd, func)                                                                     \
    if (uMsg == WM_NOTIFY && lParam && reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(cd)) { \
        bHandled = TRUE;                                                                                  \
        lResult = func(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), bHandled);             \
        if (bHandled)                                                                                     \
            return TRUE;                                                                                  \
    }

#define CHAIN_MSG_MAP_MEMBER(member)                                        \
    if ((member).ProcessWindowMessage(hWnd, uMsg, wParam, lParam, lResult)) \
        return TRUE;

#define REFLECT_NOTIFICATIONS()                                              \
    {                                                                        \
        bHandled = TRUE;                                                     \
        lResult = ReflectNotification(hWnd, uMsg, wParam, lParam, bHandled); \
        if (bHandled)                                                        \
            return TRUE;                                                     \
    }

#define END_MSG_MAP() \
    return FALSE;     \
    }
