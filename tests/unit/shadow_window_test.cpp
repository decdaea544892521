// The drop-shadow window following its parent through the hooked procedure.
#include "controls/WndShadow.h"
#include "notes_test_util.h"

#include <gtest/gtest.h>

using notes_test::Pump;
using notes_test::PumpUntil;

namespace {

const wchar_t kParentClass[] = L"QbShadowTestParent";

class ShadowWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CWndShadow::Initialize(::GetModuleHandleW(nullptr));
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kParentClass;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        ::RegisterClassW(&wc);
        m_parent = ::CreateWindowExW(WS_EX_TOOLWINDOW, kParentClass, L"", WS_POPUP | WS_BORDER, 100, 120, 200, 150,
                                     nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_TRUE(m_parent);
    }
    void TearDown() override
    {
        if (::IsWindow(m_parent))
            ::DestroyWindow(m_parent);
        Pump();
    }

    ::testing::AssertionResult FollowsParent(const CWndShadow& shadow)
    {
        RECT parent, own;
        ::GetWindowRect(m_parent, &parent);
        ::GetWindowRect(shadow.GetHwnd(), &own);
        if (own.left == parent.left + 5 && own.top == parent.top + 5 &&
            own.right - own.left == parent.right - parent.left && own.bottom - own.top == parent.bottom - parent.top)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "parent (" << parent.left << ", " << parent.top << ", " << parent.right
                                             << ", " << parent.bottom << "), shadow (" << own.left << ", " << own.top
                                             << ", " << own.right << ", " << own.bottom << ")";
    }

    HWND m_parent = nullptr;
};

}  // namespace

TEST_F(ShadowWindow, InitializeOnlyOnce)
{
    EXPECT_FALSE(CWndShadow::Initialize(::GetModuleHandleW(nullptr)));
    WNDCLASSW wc;
    EXPECT_TRUE(::GetClassInfoW(::GetModuleHandleW(nullptr), L"UmbraShadowWnd", &wc));
}

TEST_F(ShadowWindow, HiddenParentThenShownThenHidden)
{
    CWndShadow shadow;
    shadow.Create(m_parent);
    ASSERT_TRUE(::IsWindow(shadow.GetHwnd()));
    EXPECT_EQ(m_parent, ::GetWindow(shadow.GetHwnd(), GW_OWNER));
    const LONG_PTR ex = ::GetWindowLongPtrW(shadow.GetHwnd(), GWL_EXSTYLE);
    EXPECT_EQ(WS_EX_LAYERED | WS_EX_TRANSPARENT, ex & (WS_EX_LAYERED | WS_EX_TRANSPARENT));
    EXPECT_EQ(CWndShadow::kEnabled, shadow.GetStatus());
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd()));

    ::ShowWindow(m_parent, SW_SHOWNA);
    ::UpdateWindow(m_parent);
    EXPECT_EQ(7, shadow.GetStatus());
    EXPECT_TRUE(::IsWindowVisible(shadow.GetHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(shadow); })) << FollowsParent(shadow).message();

    ::SetWindowPos(m_parent, nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(FollowsParent(shadow)) << "moves with the parent";

    // The first size message compares against 0, so it counts as growing.
    ::SetWindowPos(m_parent, nullptr, 0, 0, 260, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_FALSE(FollowsParent(shadow)) << "growing waits for the next paint";
    ::InvalidateRect(m_parent, nullptr, TRUE);
    ::UpdateWindow(m_parent);
    EXPECT_TRUE(FollowsParent(shadow));
    ::SetWindowPos(m_parent, nullptr, 0, 0, 120, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(FollowsParent(shadow)) << "shrinking rebuilds at once";

    ::ShowWindow(m_parent, SW_HIDE);
    EXPECT_EQ(CWndShadow::kEnabled, shadow.GetStatus());
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd()));
}

TEST_F(ShadowWindow, VisibleParentGetsItsShadowAtOnce)
{
    ::ShowWindow(m_parent, SW_SHOWNA);
    CWndShadow shadow;
    shadow.Create(m_parent);
    EXPECT_EQ(7, shadow.GetStatus());
    EXPECT_TRUE(::IsWindowVisible(shadow.GetHwnd()));
    EXPECT_TRUE(FollowsParent(shadow));
}

TEST_F(ShadowWindow, MinimiseHidesAndRestoreShows)
{
    ::ShowWindow(m_parent, SW_SHOWNA);
    CWndShadow shadow;
    shadow.Create(m_parent);
    ::ShowWindow(m_parent, SW_SHOWMINNOACTIVE);
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd()));
    EXPECT_FALSE(shadow.GetStatus() & CWndShadow::kShown);
    ::ShowWindow(m_parent, SW_RESTORE);
    ::UpdateWindow(m_parent);
    EXPECT_TRUE(::IsWindowVisible(shadow.GetHwnd()));
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(shadow); }));
}

TEST_F(ShadowWindow, ColourWhileHiddenIsOnlyStored)
{
    CWndShadow shadow;
    shadow.Create(m_parent);
    shadow.SetColor(RGB(255, 255, 44));
    EXPECT_EQ(RGB(255, 255, 44), shadow.GetColor());
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd()));
}

TEST_F(ShadowWindow, HugeParentGetsNoShadow)
{
    ::SetWindowPos(m_parent, nullptr, 0, 0, 30000, 30000, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ShowWindow(m_parent, SW_SHOWNA);
    CWndShadow shadow;
    shadow.Create(m_parent);
    ::UpdateWindow(m_parent);
    Pump(50);
    RECT rc;
    ::GetWindowRect(m_parent, &rc);
    ASSERT_GT(static_cast<long long>(rc.right - rc.left) * (rc.bottom - rc.top), kMaxShadowPixels);
    EXPECT_FALSE(::IsWindowVisible(shadow.GetHwnd()));
    EXPECT_FALSE(shadow.GetStatus() & CWndShadow::kShown);
    ::SetWindowPos(m_parent, nullptr, 0, 0, 200, 150, SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(m_parent, nullptr, TRUE);
    ::UpdateWindow(m_parent);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(shadow.GetHwnd()) && FollowsParent(shadow); }))
        << "a normal size brings it back";
}

TEST_F(ShadowWindow, DestroyingTheParentTakesTheShadowAlong)
{
    CWndShadow shadow;
    shadow.Create(m_parent);
    HWND own = shadow.GetHwnd();
    ::DestroyWindow(m_parent);
    EXPECT_FALSE(::IsWindow(own));
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
