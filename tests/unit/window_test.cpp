#include "ui/Window.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A control that records the reflected notifications it gets.
class CRecordingChild : public CWindowImpl<CRecordingChild> {
public:
    BEGIN_MSG_MAP(CRecordingChild)
    MESSAGE_RANGE_HANDLER(OCM_BASE, OCM_BASE + 0x3FF, OnReflected)
    END_MSG_MAP()

    LRESULT OnReflected(UINT uMsg, WPARAM wParam, LPARAM, BOOL&)
    {
        got.push_back(uMsg);
        lastWParam = wParam;
        return 0x77;
    }

    std::vector<UINT> got;
    WPARAM lastWParam = 0;
};

class CParent : public CWindowImpl<CParent> {
public:
    static const wchar_t* GetWndClassName() { return L"QbTestParent"; }

    BEGIN_MSG_MAP(CParent)
    COMMAND_ID_HANDLER(500, OnOwnCommand)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    LRESULT OnOwnCommand(WORD, WORD, HWND, BOOL&)
    {
        ++ownCommands;
        return 0;
    }
    int ownCommands = 0;
};

class Reflection : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.Create(nullptr, nullptr, L"parent", WS_OVERLAPPEDWINDOW));
        HWND c = ::CreateWindowExW(0, L"STATIC", L"child", WS_CHILD, 0, 0, 10, 10, parent, (HMENU)77, nullptr, nullptr);
        ASSERT_TRUE(c);
        ASSERT_TRUE(child.SubclassWindow(c));
    }
    void TearDown() override { ::DestroyWindow(parent); }

    CParent parent;
    CRecordingChild child;
};

TEST_F(Reflection, NotificationsComeBackToTheChildAsMessagePlus0x2000)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(child.m_hWnd));
    NMHDR nm = {child.m_hWnd, 77, static_cast<UINT>(-2) /* NM_CLICK */};
    parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&nm));
    LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.m_hWnd));
    parent.SendMessage(WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(child.m_hWnd));
    DRAWITEMSTRUCT dis = {};
    dis.CtlID = 77;
    dis.hwndItem = child.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis));
    MEASUREITEMSTRUCT mis = {};
    mis.CtlID = 77;
    parent.SendMessage(WM_MEASUREITEM, 77, reinterpret_cast<LPARAM>(&mis));
    parent.SendMessage(WM_PARENTNOTIFY, MAKEWPARAM(WM_LBUTTONDOWN, 77), 0);

    std::vector<UINT> expected = {0x2111, 0x204E, 0x2138, 0x2114, 0x202B, 0x202C, 0x2210};
    EXPECT_EQ(expected, child.got);
    EXPECT_EQ(0x77, brush) << "the child's answer is the parent's result";
}

TEST_F(Reflection, OwnCommandsAndMenuCommandsAreNotReflected)
{
    parent.SendMessage(WM_COMMAND, 500, 0);
    parent.SendMessage(WM_COMMAND, 501, 0);  // a menu command names no child
    // Owner-drawn menu items come with wParam 0: not a control's.
    DRAWITEMSTRUCT dis = {};
    dis.hwndItem = child.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(1, parent.ownCommands);
    EXPECT_TRUE(child.got.empty());
}

TEST_F(Reflection, SubclassKeepsThePreviousProcedure)
{
    // Unhandled messages reach the static control's own procedure.
    ::SetWindowTextW(child, L"changed");
    wchar_t text[32] = L"";
    ::GetWindowTextW(child, text, 32);
    EXPECT_STREQ(L"changed", text);

    CRecordingChild second;
    EXPECT_FALSE(second.SubclassWindow(child)) << "one object per window";

    HWND hWnd = child.UnsubclassWindow();
    EXPECT_EQ(hWnd, ::GetDlgItem(parent, 77));
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(77, 0), reinterpret_cast<LPARAM>(hWnd));
    EXPECT_TRUE(child.got.empty());
    EXPECT_EQ(nullptr, CWindowImplBase::FromHandle(hWnd));
}

LRESULT CALLBACK PassOn(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    return ::CallWindowProcW(reinterpret_cast<WNDPROC>(::GetPropW(hWnd, L"test.prev")), hWnd, msg, wp, lp);
}

TEST_F(Reflection, ObjectDyingUnderAForeignSubclassKeepsTheChain)
{
    HWND hWnd = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent, nullptr, nullptr, nullptr);
    {
        CRecordingChild inner;
        ASSERT_TRUE(inner.SubclassWindow(hWnd));
        ::SetPropW(
            hWnd, L"test.prev",
            reinterpret_cast<HANDLE>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn))));
    }
    // The static control's own procedure is still reached through ours.
    ::SetWindowTextW(hWnd, L"still works");
    wchar_t text[32] = L"";
    ::GetWindowTextW(hWnd, text, 32);
    EXPECT_STREQ(L"still works", text);
}

TEST(WindowImpl, ObjectForgetsItsWindowWhenDestroyed)
{
    CParent w;
    ASSERT_TRUE(w.Create(nullptr, nullptr, L"x", WS_OVERLAPPEDWINDOW));
    HWND hWnd = w.m_hWnd;
    EXPECT_EQ(&w, CWindowImplBase::FromHandle(hWnd));
    ::DestroyWindow(hWnd);
    EXPECT_EQ(nullptr, w.m_hWnd);
}

}  // namespace
