#include "ui/MessageLoop.h"

#include <algorithm>

CAppModule g_module;

void CMessageLoop::AddMessageFilter(CMessageFilter* filter)
{
    if (filter)
        m_filters.push_back(filter);
}

void CMessageLoop::RemoveMessageFilter(CMessageFilter* filter)
{
    auto it = std::find(m_filters.begin(), m_filters.end(), filter);
    if (it != m_filters.end())
        m_filters.erase(it);
}

void CMessageLoop::AddIdleHandler(CIdleHandler* handler)
{
    if (handler)
        m_idleHandlers.push_back(handler);
}

void CMessageLoop::RemoveIdleHandler(CIdleHandler* handler)
{
    auto it = std::find(m_idleHandlers.begin(), m_idleHandlers.end(), handler);
    if (it != m_idleHandlers.end())
        m_idleHandlers.erase(it);
}

bool CMessageLoop::IsIdleMessage(const MSG& msg)
{
    switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
        case WM_PAINT:
        case 0x0118:  // WM_SYSTIMER: the caret blink
            return false;
        default:
            return true;
    }
}

BOOL CMessageLoop::PreTranslateMessage(MSG* pMsg)
{
    // A filter may unregister itself or others while it runs: walk by index.
    for (size_t i = m_filters.size(); i > 0; --i) {
        if (i > m_filters.size())
            continue;
        if (m_filters[i - 1]->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

void CMessageLoop::OnIdle()
{
    for (size_t i = 0; i < m_idleHandlers.size(); ++i)
        m_idleHandlers[i]->OnIdle();
}

int CMessageLoop::Run()
{
    bool idleDue = true;
    MSG msg = {};
    for (;;) {
        while (idleDue && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            OnIdle();
            idleDue = false;
        }

        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            continue;
        if (!got)
            break;

        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (IsIdleMessage(msg))
            idleDue = true;
    }
    return static_cast<int>(msg.wParam);
}

void CAppModule::Term()
{
    m_loops.clear();
}

bool CAppModule::AddMessageLoop(CMessageLoop* loop)
{
    DWORD tid = ::GetCurrentThreadId();
    for (const Entry& e : m_loops)
        if (e.threadId == tid)
            return false;
    m_loops.push_back({tid, loop});
    return true;
}

void CAppModule::RemoveMessageLoop()
{
    DWORD tid = ::GetCurrentThreadId();
    m_loops.erase(std::remove_if(m_loops.begin(), m_loops.end(), [tid](const Entry& e) { return e.threadId == tid; }),
                  m_loops.end());
}

CMessageLoop* CAppModule::GetMessageLoop(DWORD threadId) const
{
    for (const Entry& e : m_loops)
        if (e.threadId == threadId)
            return e.loop;
    return nullptr;
}
