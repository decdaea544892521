#include "ui/MessageLoop.h"
#include "tests/unit/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kFiltered = WM_USER + 1;
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

LRESULT CALLBACK LoggingProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kFiltered)
        g_log.push_back("dispatch");
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

}  // namespace
