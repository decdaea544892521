#include "shell/ForceForeground.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A fake keyboard whose Alt key follows the synthetic presses.
bool g_altDown = false;
std::string g_log;
const ForegroundKeyboard kFake = {[] { return g_altDown; },
                                  [](bool down) {
                                      g_altDown = down;
                                      g_log += down ? "alt-down " : "alt-up ";
                                  },
                                  [](HWND) -> BOOL {
                                      g_log += "foreground ";
                                      return TRUE;
                                  }};

class ForceForegroundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hWnd = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        g_log.clear();
    }
    void TearDown() override { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd = nullptr;
};

TEST_F(ForceForegroundTest, ReleasesOnlyTheAltItPressed)
{
    g_altDown = false;
    ForceForeground(m_hWnd, kFake);
    EXPECT_EQ("alt-down foreground alt-up ", g_log);
    EXPECT_FALSE(g_altDown) << "Alt must not be left down";

    g_log.clear();
    g_altDown = true;
    ForceForeground(m_hWnd, kFake);
    EXPECT_EQ("foreground ", g_log) << "the user's own Alt stays down";
}

}  // namespace
