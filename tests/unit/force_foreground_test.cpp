#include "shell/ForceForeground.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A fake keyboard whose Alt key follows the synthetic presses.
struct FakeKeyboard {
    static bool altDown;
    static std::string log;
    static bool IsAltDown() { return altDown; }
    static void SendAlt(bool down)
    {
        altDown = down;
        log += down ? "alt-down " : "alt-up ";
    }
    static BOOL SetForeground(HWND)
    {
        log += "foreground ";
        return TRUE;
    }
};
bool FakeKeyboard::altDown = false;
std::string FakeKeyboard::log;

const ForegroundKeyboard kFake = {&FakeKeyboard::IsAltDown, &FakeKeyboard::SendAlt, &FakeKeyboard::SetForeground};

class ForceForegroundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_hWnd = ::CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        FakeKeyboard::log.clear();
    }
    void TearDown() override { ::DestroyWindow(m_hWnd); }
    HWND m_hWnd = nullptr;
};

TEST_F(ForceForegroundTest, ReleasesOnlyTheAltItPressed)
{
    FakeKeyboard::altDown = false;
    ForceForeground(m_hWnd, kFake);
    EXPECT_EQ("alt-down foreground alt-up ", FakeKeyboard::log);
    EXPECT_FALSE(FakeKeyboard::altDown) << "Alt must not be left down";

    FakeKeyboard::log.clear();
    FakeKeyboard::altDown = true;
    ForceForeground(m_hWnd, kFake);
    EXPECT_EQ("foreground ", FakeKeyboard::log) << "the user's own Alt stays down";
}

TEST_F(ForceForegroundTest, RealKeyboardEndsWithAltUp)
{
    {
        test::InputLock lock;  // a synthetic Alt would close a menu that another test process is tracking
        ASSERT_TRUE(lock.Held());
        ::ShowWindow(m_hWnd, SW_SHOW);
        ForceForeground(m_hWnd);
    }
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    EXPECT_EQ(0, ::GetAsyncKeyState(VK_MENU) & 0x8000);
}

}  // namespace
