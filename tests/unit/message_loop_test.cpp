#include "ui/MessageLoop.h"
#include "tests/unit/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kFiltered = WM_USER + 1, kPlain = WM_USER + 2;
std::vector<std::string> g_log;

struct LoggingFilter : CMessageFilter {
    LoggingFilter(const char* name, bool claims) : name(name), claims(claims) {}
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == kFiltered)
            g_log.push_back(std::string("filter ") + name);
        return claims && pMsg->message == kFiltered;
    }
    const char* name;
    bool claims;
};

// Logs its runs; the first one posts `post`, when set.
struct LoggingIdle : CIdleHandler {
    LoggingIdle(const char* name, HWND target = nullptr, UINT post = 0) : name(name), target(target), post(post) {}
    BOOL OnIdle() override
    {
        g_log.push_back(std::string("idle ") + name);
        if (runs++ == 0 && post)
            ::PostMessageW(target, post, 0, 0);
        return FALSE;
    }
    const char* name;
    HWND target;
    UINT post;
    int runs = 0;
};

LRESULT CALLBACK LoggingProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kFiltered || msg == kPlain)
        g_log.push_back(msg == kFiltered ? "dispatch" : "plain");
    return ::DefWindowProcW(hWnd, msg, wp, lp);
}

class MessageLoopTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log.clear();
        m_hWnd = test::NewWindow(L"QbLoopTest", LoggingProc);
        ASSERT_TRUE(m_hWnd);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    void TearDown() override { ::DestroyWindow(m_hWnd); }
    // Runs the loop until a timer's quit, so that the queue runs empty in between.
    void RunUntilTimer(CMessageLoop& loop, UINT ms)
    {
        ::SetTimer(m_hWnd, 1, ms, [](HWND h, UINT, UINT_PTR id, DWORD) {
            ::KillTimer(h, id);
            ::PostQuitMessage(0);
        });
        loop.Run();
    }
    HWND m_hWnd = nullptr;
};

TEST_F(MessageLoopTest, NewestFilterFirstAndAClaimStopsDispatch)
{
    CMessageLoop loop;
    LoggingFilter older("older", false), newer("newer", false), claimer("claimer", true);
    loop.AddMessageFilter(&older);
    loop.AddMessageFilter(&newer);
    ::PostMessageW(m_hWnd, kFiltered, 0, 0);
    ::PostQuitMessage(3);
    EXPECT_EQ(3, loop.Run());
    EXPECT_EQ((std::vector<std::string>{"filter newer", "filter older", "dispatch"}), g_log);

    g_log.clear();
    loop.AddMessageFilter(&claimer);
    ::PostMessageW(m_hWnd, kFiltered, 0, 0);
    ::PostQuitMessage(0xAFFE);
    EXPECT_EQ(0xAFFE, loop.Run());
    EXPECT_EQ((std::vector<std::string>{"filter claimer"}), g_log);
}

TEST_F(MessageLoopTest, MouseMovesDoNotMakeIdleWorkDue)
{
    // Only a message that makes idle work due again brings a second run before the quit.
    for (auto [posted, runs] : {std::pair<UINT, int>{WM_MOUSEMOVE, 1}, {kPlain, 2}}) {
        CMessageLoop loop;
        LoggingIdle idle("posting", m_hWnd, posted);
        loop.AddIdleHandler(&idle);
        RunUntilTimer(loop, 300);
        EXPECT_EQ(runs, idle.runs) << posted;
    }
}

}  // namespace
