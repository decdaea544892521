// The drop-shadow window following its parent through a hook in the parent's chain.
#include "controls/WndShadow.h"
#include "tests/TestSupport.h"
#include "tests/unit/TestWindow.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using test::PumpUntil;

constexpr UINT kProbe = WM_APP + 9;
int g_parentProbes = 0;  // probes that reached the parent's own procedure

LRESULT CALLBACK ParentProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kProbe)
        ++g_parentProbes;
    return ::DefWindowProcW(hWnd, msg, wp, lp);
}

// Another hook on the parent, as the command bar puts on a note while its menu is open.
class CProbeHook : public CWindowImplBase {
public:
    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT&) override
    {
        probes += msg == kProbe;
        return FALSE;
    }
    int probes = 0;
};

class ShadowWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CWndShadow::Initialize(::GetModuleHandleW(nullptr));
        m_parent = test::NewWindow(L"QbShadowTestParent", &ParentProc, WS_POPUP | WS_BORDER, 100, 120, 200, 150,
                                   WS_EX_TOOLWINDOW);
        ASSERT_TRUE(m_parent);
    }
    void TearDown() override { ::DestroyWindow(m_parent); }

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
    CWndShadow m_shadow;
};

}  // namespace

TEST_F(ShadowWindow, FollowsItsParentButNotToAHugeSize)
{
    m_shadow.Create(m_parent);
    EXPECT_FALSE(::IsWindowVisible(m_shadow.GetHwnd())) << "the parent is hidden";
    ::ShowWindow(m_parent, SW_SHOWNA);
    ::UpdateWindow(m_parent);
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(m_shadow); }));
    ::SetWindowPos(m_parent, nullptr, 300, 310, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(FollowsParent(m_shadow)) << "moved";
    for (SIZE size : {SIZE{260, 200}, SIZE{120, 100}}) {
        Resize(size.cx, size.cy);
        EXPECT_TRUE(FollowsParent(m_shadow)) << size.cx;
    }
    Resize(30000, 30000);
    RECT rc;
    ::GetWindowRect(m_parent, &rc);
    ASSERT_GT(static_cast<long long>(rc.right - rc.left) * (rc.bottom - rc.top), kMaxShadowPixels);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(m_shadow.GetHwnd()); }));
    Resize(200, 150);
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(m_shadow); })) << "a normal size brings it back";
    ::ShowWindow(m_parent, SW_HIDE);
    EXPECT_FALSE(::IsWindowVisible(m_shadow.GetHwnd()));
}

// Leaving first from below another hook (the window layer's chain tests take the other orders).
TEST_F(ShadowWindow, ShadowLeavesFromBelowAnotherHookWithoutCuttingTheParent)
{
    const LONG_PTR own = ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC);
    auto shadow = std::make_unique<CWndShadow>();
    shadow->Create(m_parent);
    CProbeHook other;
    ASSERT_TRUE(other.SubclassWindow(m_parent));
    ::ShowWindow(m_parent, SW_SHOWNA);
    EXPECT_TRUE(PumpUntil([&] { return FollowsParent(*shadow); })) << "follows under another hook";
    shadow.reset();
    g_parentProbes = 0;
    ::SendMessageW(m_parent, kProbe, 0, 0);
    EXPECT_EQ(1, g_parentProbes) << "the parent's own procedure is still reached";
    EXPECT_EQ(1, other.probes);
    other.UnsubclassWindow();
    EXPECT_EQ(own, ::GetWindowLongPtrW(m_parent, GWLP_WNDPROC));
}

TEST_F(ShadowWindow, ParentDestroyedWithHooksInstalled)
{
    m_shadow.Create(m_parent);
    CProbeHook other;
    ASSERT_TRUE(other.SubclassWindow(m_parent));
    const HWND shadowWindow = m_shadow.GetHwnd();
    ::DestroyWindow(m_parent);
    EXPECT_FALSE(::IsWindow(shadowWindow));
    EXPECT_EQ(nullptr, other.m_hWnd);
    m_shadow.SetColor(RGB(1, 2, 3));  // nothing left to draw on
}
