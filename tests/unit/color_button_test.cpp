// The colour button's popup run in the test process: keys and clicks posted
// before the click are read by the popup's own loop, and the owner records the
// notification codes it receives.
#include <gtest/gtest.h>

#include <vector>

#include "controls/ColorButton.h"
#include "tests/unit/TestWindow.h"

namespace {

constexpr int kButtonId = 1021;
std::vector<LPARAM> g_codes;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND && LOWORD(wParam) == kButtonId && HIWORD(wParam) == 0)
        g_codes.push_back(lParam);
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

class ColorButtonTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_owner = test::NewWindow(L"ColorButtonTestOwner", OwnerProc, WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
        HWND button = ::CreateWindowExW(0, L"BUTTON", L"...", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 10, 10, 30, 20,
                                        m_owner, reinterpret_cast<HMENU>(kButtonId), nullptr, nullptr);
        ASSERT_TRUE(m_button.Attach(button));
        EXPECT_EQ(::GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    }
    void TearDown() override { ::DestroyWindow(m_owner); }

    // Queues the input, then clicks; returns the codes the owner received.
    std::vector<LPARAM> Click(std::vector<UINT> keys, bool clickOutside = false)
    {
        for (UINT key : keys)
            ::PostMessageW(m_owner, WM_KEYDOWN, key, 0);
        if (clickOutside)
            ::PostMessageW(m_owner, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
        g_codes.clear();
        ::SendMessageW(m_button.m_hWnd, OCM_BASE + WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(m_button.m_hWnd));
        return g_codes;
    }

    HWND m_owner = nullptr;
    CColorButton m_button;
};

using Codes = std::vector<LPARAM>;

}  // namespace

TEST_F(ColorButtonTest, KeyboardChoiceNotificationOrderAndAutomatic)
{
    m_button.m_clr = 0x123456;
    // Down three times: "Automatic", "Black", "Dark red".
    EXPECT_EQ(Click({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}), (Codes{0x8001, 0x8000, 0x8002, 0x8003}));
    EXPECT_EQ(m_button.m_clr, 0x00008Bu);
    // The same colour again: no change notification.
    EXPECT_EQ(Click({VK_DOWN, VK_DOWN, VK_DOWN, VK_SPACE}), (Codes{0x8001, 0x8002, 0x8003}));
    // Escape and a release outside the popup end without a choice.
    EXPECT_EQ(Click({VK_DOWN, VK_ESCAPE}), (Codes{0x8001, 0x8002, 0x8004}));
    EXPECT_EQ(Click({VK_DOWN}, true), (Codes{0x8001, 0x8002, 0x8004}));
    EXPECT_EQ(m_button.m_clr, 0x00008Bu);
    // Enter with nothing under the keyboard chooses nothing.
    EXPECT_EQ(Click({VK_RETURN}), (Codes{0x8001, 0x8002, 0x8004}));
}
