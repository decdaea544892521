// The drop-shadow window following its parent through the hooked procedure.
#include "controls/WndShadow.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using test::PumpUntil;

class ShadowWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CWndShadow::Initialize(::GetModuleHandleW(nullptr));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"QbShadowTestParent";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassW(&wc);
        m_parent = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP | WS_BORDER, 100, 120, 200, 150,
                                     nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(m_parent);
    }
    void TearDown() override
    {
        if (::IsWindow(m_parent))
            ::DestroyWindow(m_parent);
    }

    void Resize(int width, int height)
    {
        ::SetWindowPos(m_parent, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::InvalidateRect(m_parent, nullptr, TRUE);
        ::UpdateWindow(m_parent);
    }

    // Visible, of the parent's size, 5 pixels right and down.
    bool FollowsParent(const CWndShadow& shadow) const
    {
        RECT parent, own;
        ::GetWindowRect(m_parent, &parent);
        ::GetWindowRect(shadow.GetHwnd(), &own);
        ::OffsetRect(&parent, 5, 5);
        return ::IsWindowVisible(shadow.GetHwnd()) && ::EqualRect(&parent, &own);
    }

    HWND m_parent = nullptr;
};

}  // namespace

TEST_F(ShadowWindow, FollowsItsParent)
{
    CWndShadow shadow;
    shadow.Create(m_parent);
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd())) << "the parent is hidden";
    ::ShowWindow(m_parent, SW_SHOWNA);
    ::UpdateWindow(m_parent);
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(shadow); }));
    ::SetWindowPos(m_parent, nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(FollowsParent(shadow)) << "moved";
    Resize(260, 200);
    EXPECT_TRUE(FollowsParent(shadow)) << "grown";
    Resize(120, 100);
    EXPECT_TRUE(FollowsParent(shadow)) << "shrunk";
    ::ShowWindow(m_parent, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd()));
}

TEST_F(ShadowWindow, HugeParentGetsNoShadow)
{
    ::ShowWindow(m_parent, SW_SHOWNA);
    CWndShadow shadow;
    shadow.Create(m_parent);
    Resize(30000, 30000);
    RECT rc;
    ::GetWindowRect(m_parent, &rc);
    ASSERT_GT(static_cast<long long>(rc.right - rc.left) * (rc.bottom - rc.top), kMaxShadowPixels);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(shadow.GetHwnd()); }));
    Resize(200, 150);
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(shadow); })) << "a normal size brings it back";
}

TEST_F(ShadowWindow, ShadowDyingFirstUnhooksTheParent)
{
    const LONG_PTR before = ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC);
    {
        CWndShadow shadow;
        shadow.Create(m_parent);
        EXPECT_NE(before, ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC));
    }
    EXPECT_EQ(before, ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC));
    ::ShowWindow(m_parent, SW_SHOWNA);  // nothing left to call into
}
