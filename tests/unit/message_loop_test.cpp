#include "ui/MessageLoop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class LoggingFilter : public CMessageFilter {
public:
    LoggingFilter(const char* name, bool claims) : m_name(name), m_claims(claims) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_USER + 1)
            g_log.push_back(std::string("filter ") + m_name);
        return m_claims && pMsg->message == WM_USER + 1;
    }

private:
    const char* m_name;
    bool m_claims;
};

class LoggingIdle : public CIdleHandler {
public:
    explicit LoggingIdle(const char* name) : m_name(name) {}
    BOOL OnIdle() override
    {
        g_log.push_back(std::string("idle ") + m_name);
        return FALSE;
    }

private:
    const char* m_name;
};

LRESULT CALLBACK LoggingProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_USER + 1)
        g_log.push_back("dispatch");
    if (msg == WM_MOUSEMOVE)
        g_log.push_back("mousemove");
    if (msg == WM_USER + 2)
        g_log.push_back("user2");
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

TEST_F(MessageLoopTest, MouseMovesDoNotMakeIdleWorkDue)
{
    CMessageLoop loop;
    LoggingIdle idle("once");
    loop.AddIdleHandler(&idle);

    struct Ctx {
        HWND hWnd;
        UINT msg;
    };
    for (UINT msg : {static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_USER + 2)}) {
        g_log.clear();
        // The first idle run posts the message; only a non-idle message brings a second run.
        static Ctx ctx;
        ctx = {m_hWnd, msg};
        class PostOnce : public CIdleHandler {
        public:
            BOOL OnIdle() override
            {
                if (!done)
                    ::PostMessageW(ctx.hWnd, ctx.msg, 0, 0);
                done = true;
                return FALSE;
            }
            bool done = false;
        } poster;
        loop.AddIdleHandler(&poster);
        ::SetTimer(m_hWnd, 2, 300, [](HWND h, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(h, id);
            ::PostQuitMessage(0);
        });
        loop.Run();
        loop.RemoveIdleHandler(&poster);

        int idleRuns = 0;
        for (const std::string& s : g_log)
            idleRuns += s == "idle once";
        // After the timer message idle work is due again, but the quit is already queued.
        if (msg == WM_MOUSEMOVE)
            EXPECT_EQ(1, idleRuns) << "a mouse move alone must not run idle handlers";
        else
            EXPECT_EQ(2, idleRuns) << "any other message makes idle work due";
    }
}

TEST(MessageLoop, IdleMessageTable)
{
    auto idle = [](UINT m) {
        MSG msg = {};
        msg.message = m;
        return CMessageLoop::IsIdleMessage(msg);
    };
    EXPECT_FALSE(idle(WM_MOUSEMOVE));
    EXPECT_FALSE(idle(WM_NCMOUSEMOVE));
    EXPECT_FALSE(idle(WM_PAINT));
    EXPECT_FALSE(idle(0x118));
    EXPECT_TRUE(idle(WM_TIMER));
    EXPECT_TRUE(idle(WM_KEYDOWN));
}

}  // namespace
