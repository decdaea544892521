#include "ui/MessageLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

struct LoggingFilter : CMessageFilter {
    LoggingFilter(const char* name, bool claims) : name(name), claims(claims) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_USER + 1)
            g_log.push_back(std::string("filter ") + name);
        return claims && pMsg->message == WM_USER + 1;
    }
    const char* name;
    bool claims;
};

struct LoggingIdle : CIdleHandler {
    explicit LoggingIdle(const char* name) : name(name) {}
    BOOL OnIdle() override
    {
        g_log.push_back(std::string("idle ") + name);
        return FALSE;
    }
    const char* name;
};

LRESULT CALLBACK LoggingProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_USER + 1 || msg == WM_USER + 2)
        g_log.push_back(msg == WM_USER + 1 ? "dispatch" : "user2");
    return ::DefWindowProcW(hWnd, msg, wp, lp);
}

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        WNDCLASSW wc = {};
        wc.lpfnWndProc = LoggingProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QbLoopTest";
        ::RegisterClassW(&wc);
        m_hWnd = ::CreateWindowW(L"QbLoopTest", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_hWnd);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void TearDown() override { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd = nullptr;
};

TEST_F(MessageLoopTest, NewestFilterFirstAndAClaimStopsDispatch)
{
    CMessageLoop loop;
    LoggingFilter older("older", false), newer("newer", false);
    loop.AddMessageFilter(&older);
    loop.AddMessageFilter(&newer);
    ::PostMessageW(m_hWnd, WM_USER + 1, 0, 0);
    ::PostQuitMessage(3);
    EXPECT_EQ(3, loop.Run());
    EXPECT_EQ((std::vector<std::string>{"filter newer", "filter older", "dispatch"}), g_log);

    g_log.clear();
    LoggingFilter claimer("claimer", true);
    loop.AddMessageFilter(&claimer);
    ::PostMessageW(m_hWnd, WM_USER + 1, 0, 0);
    ::PostQuitMessage(0xAFFE);
    EXPECT_EQ(0xAFFE, loop.Run());
    EXPECT_EQ((std::vector<std::string>{"filter claimer"}), g_log);
}

TEST_F(MessageLoopTest, IdleHandlersRunInOrderOnlyWhenTheQueueIsEmpty)
{
    CMessageLoop loop;
    LoggingIdle first("first"), second("second");
    loop.AddIdleHandler(&first);
    loop.AddIdleHandler(&second);
    // Two messages queued: idle work waits until both are done.
    ::PostMessageW(m_hWnd, WM_USER + 2, 0, 0);
    ::PostMessageW(m_hWnd, WM_USER + 2, 0, 0);
    // The quit comes from a timer so that the queue runs empty once in between.
    ::SetTimer(m_hWnd, 1, 50, [](HWND h, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(h, id);
        ::PostQuitMessage(0);
    });
    loop.Run();
    ASSERT_GE(g_log.size(), 4u);
    EXPECT_EQ((std::vector<std::string>{"user2", "user2", "idle first", "idle second"}),
              std::vector<std::string>(g_log.begin(), g_log.begin() + 4));
}

// The first idle run posts one message; only a message that makes idle work
// due again brings a second run before the timer's quit.
int IdleRunsAfterPosting(HWND hWnd, UINT msg)
{
    static UINT s_msg;
    static HWND s_hWnd;
    s_msg = msg;
    s_hWnd = hWnd;
    struct PostOnce : CIdleHandler {
        int runs = 0;
        BOOL OnIdle() override
        {
            if (runs++ == 0)
                ::PostMessageW(s_hWnd, s_msg, 0, 0);
            return FALSE;
        }
    } idle;
    CMessageLoop loop;
    loop.AddIdleHandler(&idle);
    ::SetTimer(hWnd, 2, 300, [](HWND h, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(h, id);
        ::PostQuitMessage(0);
    });
    loop.Run();
    return idle.runs;
}

TEST_F(MessageLoopTest, MouseMovesDoNotMakeIdleWorkDue)
{
    EXPECT_EQ(1, IdleRunsAfterPosting(m_hWnd, WM_MOUSEMOVE));
    EXPECT_EQ(2, IdleRunsAfterPosting(m_hWnd, WM_USER + 2));
}

}  // namespace
