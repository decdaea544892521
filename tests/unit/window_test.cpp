#include "ui/Window.h"
#include "tests/unit/TestWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A control that records the reflected notifications it gets.
class CRecordingChild : public CWindowImpl<CRecordingChild> {
public:
    BEGIN_MSG_MAP(CRecordingChild)
    MESSAGE_RANGE_HANDLER(OCM_BASE, OCM_BASE + 0x3FF, OnReflected)
    END_MSG_MAP()

    LRESULT OnReflected(UINT uMsg, WPARAM, LPARAM, BOOL&)
    {
        got.push_back(uMsg);
        return 0x77;
    }
    std::vector<UINT> got;
};

class CParent : public CWindowImpl<CParent> {
public:
    static const wchar_t* GetWndClassName() { return L"QbTestParent"; }

    BEGIN_MSG_MAP(CParent)
    COMMAND_ID_HANDLER(500, OnOwnCommand)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    LRESULT OnOwnCommand(WORD, WORD, HWND, BOOL&) { return ++ownCommands, 0; }
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

TEST_F(Reflection, ControlNotificationsComeBackAsMessagePlus0x2000)
{
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(77, BN_CLICKED), reinterpret_cast<LPARAM>(child.m_hWnd));
    NMHDR nm = {child.m_hWnd, 77, static_cast<UINT>(-2) /* NM_CLICK */};
    parent.SendMessage(WM_NOTIFY, 77, reinterpret_cast<LPARAM>(&nm));
    LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.m_hWnd));
    DRAWITEMSTRUCT dis{0, 77, 0, 0, 0, child.m_hWnd, nullptr, {}, 0};
    parent.SendMessage(WM_DRAWITEM, 77, reinterpret_cast<LPARAM>(&dis));
    // Not reflected: the parent's own command, a menu command (no child) and an owner-drawn menu item (wParam 0).
    parent.SendMessage(WM_COMMAND, 500, 0);
    parent.SendMessage(WM_COMMAND, 501, 0);
    parent.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));

    std::vector<UINT> expected = {0x2111, 0x204E, 0x2138, 0x202B};
    EXPECT_EQ(expected, child.got);
    EXPECT_EQ(0x77, brush) << "the child's answer is the parent's result";
    EXPECT_EQ(1, parent.ownCommands);
    EXPECT_EQ(::GetDlgItem(parent, 77), child.UnsubclassWindow());
    ::DestroyWindow(parent);
    EXPECT_EQ(nullptr, parent.m_hWnd) << "the object forgets its destroyed window";
}

// A window whose own procedure and hooks write into one log, so the order in
// which a message passes them shows: 'O' is the window's own procedure.
constexpr UINT kProbe = WM_APP + 7;
constexpr WPARAM kDestroyInside = 1;  // the own procedure destroys the window while the chain runs
std::string g_log;

LRESULT CALLBACK OwnProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kProbe || msg == WM_NCDESTROY)
        g_log += 'O';
    if (msg == kProbe && wp == kDestroyInside)
        ::DestroyWindow(hWnd);
    return msg == kProbe ? 42 : ::DefWindowProcW(hWnd, msg, wp, lp);
}

LRESULT CALLBACK ForeignProc(HWND hWnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kProbe)
        g_log += 'F';
    return ::CallWindowProcW(reinterpret_cast<WNDPROC>(::GetPropW(hWnd, L"test.prev")), hWnd, msg, wp, lp);
}

class CTagHook : public CWindowImplBase {
public:
    explicit CTagHook(char tag) : m_tag(tag) {}
    BOOL ProcessWindowMessage(HWND, UINT msg, WPARAM, LPARAM, LRESULT&) override
    {
        if (msg == kProbe || msg == WM_NCDESTROY)
            g_log += m_tag;
        if (msg == kProbe && leaveOnProbe)
            UnsubclassWindow();
        return FALSE;
    }
    bool leaveOnProbe = false;
    int finalMessages = 0;

protected:
    void OnFinalMessage(HWND) override { ++finalMessages; }

private:
    char m_tag;
};

class Chain : public ::testing::Test {
protected:
    void SetUp() override { CreateOwnWindow(); }
    void CreateOwnWindow()
    {
        hWnd = test::NewWindow(L"QbChainTest", &OwnProc);
        ASSERT_TRUE(hWnd);
        own = ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC);
    }
    void TearDown() override { ::DestroyWindow(hWnd); }

    // The path a message takes, newest hook first.
    std::string Probe(WPARAM wp = 0)
    {
        g_log.clear();
        EXPECT_EQ(42, ::SendMessageW(hWnd, kProbe, wp, 0)) << "the own procedure's answer comes back";
        return g_log;
    }
    bool OwnProcBack() const { return ::GetWindowLongPtrW(hWnd, GWLP_WNDPROC) == own; }

    HWND hWnd = nullptr;
    LONG_PTR own = 0;
};

TEST_F(Chain, HooksLeaveInAnyOrderWithoutCuttingEachOther)
{
    struct Case {
        char first;             // the hook that leaves first
        bool insideItsMessage;  // it leaves from its own handler, while the message runs
        const char* after;      // the path once it has left
    } cases[] = {{'A', false, "BO"}, {'B', false, "AO"}, {'A', true, "BO"}, {'B', true, "AO"}};
    for (const Case& c : cases) {
        CTagHook a('A'), b('B');
        ASSERT_TRUE(a.SubclassWindow(hWnd));
        ASSERT_TRUE(b.SubclassWindow(hWnd));
        CTagHook& first = c.first == 'A' ? a : b;
        first.leaveOnProbe = c.insideItsMessage;
        EXPECT_EQ("BAO", Probe()) << "newest first, the message goes on past a hook that leaves";
        if (!c.insideItsMessage) {
            EXPECT_EQ(hWnd, first.UnsubclassWindow());
        }
        EXPECT_EQ(c.after, Probe()) << c.first << c.insideItsMessage;
        EXPECT_FALSE(OwnProcBack());
        EXPECT_EQ(hWnd, (c.first == 'A' ? b : a).UnsubclassWindow());
        EXPECT_EQ("O", Probe());
        EXPECT_TRUE(OwnProcBack()) << "the own procedure is back";
    }
}

TEST_F(Chain, ForeignProcedureAboveKeepsTheChainBelowIt)
{
    {
        CTagHook a('A');
        ASSERT_TRUE(a.SubclassWindow(hWnd));
        ::SetPropW(hWnd, L"test.prev",
                   reinterpret_cast<HANDLE>(
                       ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc))));
    }  // a dies under the foreign procedure
    EXPECT_EQ("FO", Probe());
    CTagHook b('B');
    ASSERT_TRUE(b.SubclassWindow(hWnd));
    EXPECT_EQ("FBO", Probe()) << "a new hook joins the chain below the foreign procedure";
    b.UnsubclassWindow();
    EXPECT_EQ("FO", Probe());
}

TEST_F(Chain, DestroyingTheWindowReleasesEveryHook)
{
    for (WPARAM inside : {WPARAM{0}, kDestroyInside}) {
        if (!::IsWindow(hWnd))
            CreateOwnWindow();
        CTagHook a('A'), b('B');
        ASSERT_TRUE(a.SubclassWindow(hWnd));
        ASSERT_TRUE(b.SubclassWindow(hWnd));
        g_log.clear();
        if (inside)
            Probe(inside);
        else
            ::DestroyWindow(hWnd);
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_EQ(inside ? "BAOBAO" : "BAO", g_log) << "every hook and the own procedure see WM_NCDESTROY";
        for (const CTagHook* hook : {&a, &b}) {
            EXPECT_EQ(nullptr, hook->m_hWnd);
            EXPECT_EQ(1, hook->finalMessages);
        }
        EXPECT_EQ(nullptr, a.UnsubclassWindow()) << "nothing left to leave";
    }
}

}  // namespace
