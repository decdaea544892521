// The UI thread's message loop with message filters and idle handlers.
#pragma once

#include <windows.h>

#include <vector>

class CMessageFilter {
public:
    virtual ~CMessageFilter() = default;
    // TRUE claims the message: it is neither translated nor dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg) = 0;
};

class CIdleHandler {
public:
    virtual ~CIdleHandler() = default;
    virtual BOOL OnIdle() = 0;
};

class CMessageLoop {
public:
    void AddMessageFilter(CMessageFilter* filter);
    void RemoveMessageFilter(CMessageFilter* filter);
    void AddIdleHandler(CIdleHandler* handler);
    void RemoveIdleHandler(CIdleHandler* handler);

    // Runs until WM_QUIT and returns its wParam.
    int Run();

    // Offers the message to the filters, most recently registered first.
    BOOL PreTranslateMessage(MSG* pMsg);
    // Runs every idle handler once, in registration order.
    void OnIdle();

    // Messages after which idle work does not become due again.
    static bool IsIdleMessage(const MSG& msg);

private:
    std::vector<CMessageFilter*> m_filters;
    std::vector<CIdleHandler*> m_idleHandlers;
};

// Per-process framework state: the instance handle and one loop per UI thread.
class CAppModule {
public:
    void Init(HINSTANCE hInstance) { m_hInstance = hInstance; }
    void Term();
    HINSTANCE GetInstance() const { return m_hInstance ? m_hInstance : ::GetModuleHandleW(nullptr); }

    bool AddMessageLoop(CMessageLoop* loop);
    void RemoveMessageLoop();
    CMessageLoop* GetMessageLoop(DWORD threadId = ::GetCurrentThreadId()) const;

private:
    struct Entry {
        DWORD threadId;
        CMessageLoop* loop;
    };
    HINSTANCE m_hInstance = nullptr;
    std::vector<Entry> m_loops;
};

extern CAppModule g_module;
