// The command bar on real windows: buttons from a menu, pictures, owner-drawn
// items, and the bar menus tracked by keys posted from a timer that also runs inside a menu's loop; then
// toolbars from toolbar resources and the program menu.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/ProgramMenu.h"
#include "controls/ToolbarRes.h"
#include "controls/WinCmdBar2.h"
#include "lang/LanguageTable.h"
#include "res/toolbars.h"
#include "tests/TestSupport.h"
#include "tests/unit/TestWindow.h"

namespace {

// What the owner window saw.
struct {
    std::vector<std::pair<WORD, LPARAM>> commands;
    std::vector<HMENU> initPopups;
    std::vector<std::pair<WPARAM, LPARAM>> selects;
} g_log;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_COMMAND)
        g_log.commands.push_back({LOWORD(wParam), lParam});
    else if (msg == WM_INITMENUPOPUP)
        g_log.initPopups.push_back(reinterpret_cast<HMENU>(wParam));
    else if (msg == WM_MENUSELECT)
        g_log.selects.push_back({wParam, lParam});
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
}

struct Item {
    UINT_PTR id;
    const wchar_t* text;
    UINT flags = MF_STRING;
};

HMENU Menu(std::initializer_list<Item> items, bool bar = false)
{
    HMENU menu = bar ? ::CreateMenu() : ::CreatePopupMenu();
    for (const Item& item : items)
        ::AppendMenuW(menu, item.flags, item.id, item.text);
    return menu;
}

// Three bar menus; the first starts with a submenu item.
HMENU MakeBarMenu()
{
    auto Sub = [](std::initializer_list<Item> items) { return reinterpret_cast<UINT_PTR>(Menu(items)); };
    return Menu({{Sub({{Sub({{101, L"Folder"}}), L"&Paths", MF_POPUP}, {103, L"E&xit"}}), L"&Program", MF_POPUP},
                 {Sub({{201, L"Info"}}), L"&Info", MF_POPUP},
                 {Sub({{301, L"Translate"}}), L"&Language", MF_POPUP}},
                true);
}

// A 200 x 20 DIB of 32 bits with its own DC, to draw an item into and read back.
struct Canvas {
    explicit Canvas(COLORREF background)
    {
        BITMAPINFO bi{{sizeof(BITMAPINFOHEADER), 200, -20, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
        void* bits = nullptr;
        old = ::SelectObject(dc, ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        RECT rc{0, 0, 200, 20};
        ::SetDCBrushColor(dc, background);
        ::FillRect(dc, &rc, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    }
    ~Canvas()
    {
        ::DeleteObject(::SelectObject(dc, old));
        ::DeleteDC(dc);
    }
    COLORREF At(int x, int y) const { return ::GetPixel(dc, x, y); }
    int Count(const RECT& area, COLORREF colour) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                n += At(x, y) == colour;
        }
        return n;
    }

    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = nullptr;
};

HICON SolidIcon(COLORREF c)
{
    std::vector<DWORD> px(256, 0xFF000000 | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c));
    BYTE mask[32] = {};
    return ::CreateIcon(nullptr, 16, 16, 1, 32, mask, reinterpret_cast<const BYTE*>(px.data()));
}

// Item ids and texts of a menu.
std::vector<std::wstring> Texts(HMENU menu)
{
    std::vector<std::wstring> out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        ::GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        out.push_back(std::to_wstring(::GetMenuItemID(menu, i)) + L" " + text);
    }
    return out;
}

ULONG_PTR ItemData(HMENU menu, int pos)
{
    MENUITEMINFOW mii{sizeof(mii), MIIM_DATA, 0, 0, 0, nullptr, nullptr, nullptr, 0, nullptr, 0, nullptr};
    return ::GetMenuItemInfoW(menu, pos, TRUE, &mii) ? mii.dwItemData : 0;
}

class CmdBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_log = {};
        m_owner = test::NewWindow(L"CmdBarTestOwner", OwnerProc, WS_OVERLAPPEDWINDOW, 60, 60, 420, 260);
        ASSERT_TRUE(m_owner);
        ::ShowWindow(m_owner, SW_SHOWNOACTIVATE);  // the foreground only for the tests that need it
        m_bar.SetTop(12);
        ASSERT_TRUE(m_bar.Create(m_owner));
        m_bar.SetMenu(MakeBarMenu());
    }
    void TearDown() override { ::DestroyWindow(m_owner); }

    HWND Toolbar() const { return m_bar.GetToolbar(); }

    HWND m_owner = nullptr;
    CWinCmdBar2 m_bar;
};

}  // namespace

TEST_F(CmdBarTest, ButtonsFollowTheMenu)
{
    ASSERT_EQ(::SendMessageW(Toolbar(), TB_BUTTONCOUNT, 0, 0), 3);
    // A new menu replaces the old one and its buttons.
    HMENU first = m_bar.GetMenu();
    m_bar.SetMenu(Menu({{reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"&One", MF_POPUP}}, true));
    EXPECT_FALSE(::IsMenu(first));
    ASSERT_EQ(::SendMessageW(Toolbar(), TB_BUTTONCOUNT, 0, 0), 1);

    // Nobody else adds buttons to the bar.
    TBBUTTON extra{I_IMAGENONE, 999, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"x")};
    EXPECT_FALSE(::SendMessageW(Toolbar(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&extra)));
}

TEST_F(CmdBarTest, PictureListRefusesThe257thPicture)
{
    HICON icon = SolidIcon(RGB(200, 0, 0));
    for (UINT i = 0; i < 256; ++i)
        ASSERT_EQ(m_bar.AddPicture(icon, 1000 + i), 1000 + i) << "picture " << i;
    EXPECT_EQ(m_bar.AddPicture(icon, 5000), 0u);
    EXPECT_EQ(::ImageList_GetImageCount(m_bar.GetPictures()), 256);
    EXPECT_EQ(m_bar.FindPicture(1255), 255);
    ::DestroyIcon(icon);
}

TEST_F(CmdBarTest, OwnerDrawnItemsMeasuredAndDrawn)
{
    constexpr COLORREF kBack = RGB(1, 2, 3), kRed = RGB(255, 0, 0);
    HICON red = SolidIcon(kRed);
    m_bar.AddPicture(red, 10);
    ::DestroyIcon(red);
    HMENU popup = Menu({{10, L"&Red\tF5"}, {11, L"Plain"}, {12, L"E&xit"}, {0, nullptr, MF_SEPARATOR}});
    ::AppendMenuW(popup, MF_OWNERDRAW, 14, reinterpret_cast<const wchar_t*>(0x1234));  // someone else's
    ::AppendMenuW(popup, MF_STRING, 13, L"Exit");
    m_bar.PrepareItems(popup);
    m_bar.PrepareItems(popup);  // adds nothing the second time
    EXPECT_EQ(m_bar.GetRecordCount(), 5u);
    EXPECT_EQ(ItemData(popup, 4), 0x1234u);

    auto draw = [&, owner = reinterpret_cast<HWND>(popup)](int pos, UINT state, UINT action, const Canvas& canvas) {
        DRAWITEMSTRUCT dis{ODT_MENU, 0, 0, action, state, owner, canvas.dc, {0, 0, 200, 20}, ItemData(popup, pos)};
        ::SendMessageW(Toolbar(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    };
    Canvas checked(kBack), grayed(kBack);  // a grayed item shows no picture
    draw(0, ODS_CHECKED, ODA_DRAWENTIRE, checked);
    draw(0, ODS_GRAYED, ODA_DRAWENTIRE, grayed);
    EXPECT_EQ(checked.Count({2, 2, 18, 18}, kRed), 256);
    EXPECT_EQ(grayed.Count({0, 0, 200, 20}, kRed), 0);
    Canvas withPrefix(kBack), without(kBack);  // "E&xit" shows as "Exit", without an underline
    draw(2, 0, ODA_DRAWENTIRE, withPrefix);
    draw(5, 0, ODA_DRAWENTIRE, without);
    for (int i = 0; i < 200 * 20; ++i)
        ASSERT_EQ(withPrefix.At(i % 200, i / 200), without.At(i % 200, i / 200)) << "at " << i % 200 << "," << i / 200;

    // The system finds no mnemonic in an owner-drawn item; the bar does.
    LPARAM menu = reinterpret_cast<LPARAM>(popup);
    EXPECT_EQ(::SendMessageW(Toolbar(), WM_MENUCHAR, MAKEWPARAM(L'x', MF_POPUP), menu), MAKELRESULT(2, MNC_EXECUTE));
    EXPECT_EQ(::SendMessageW(Toolbar(), WM_MENUCHAR, MAKEWPARAM(L'z', MF_POPUP), menu), 0);
    ::DestroyMenu(popup);
}

namespace {

// The visible popup menu window of this thread, or null.
HWND OpenPopupWindow()
{
    HWND menu = nullptr;
    while ((menu = ::FindWindowExW(nullptr, menu, L"#32768", nullptr)) &&
           (::GetWindowThreadProcessId(menu, nullptr) != ::GetCurrentThreadId() || !::IsWindowVisible(menu))) {
    }
    return menu;
}

// Steps run one by one from a thread timer, each once its condition holds.
struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};
std::vector<Step> g_steps;
size_t g_next = 0;
DWORD g_start = 0;
bool g_forced = false;

void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD)
{
    if (::GetTickCount() - g_start > 8000) {
        g_forced = true;  // a script that no longer moves, or a menu that came back, must not stay open
        ::EndMenu();
    } else if (g_next < g_steps.size() && g_steps[g_next].ready()) {
        g_steps[g_next++].act();
    }
}

class CmdBarTrackingTest : public CmdBarTest {
protected:
    test::InputLock m_inputLock;  // these tests move the pointer and hold the foreground

    void SetUp() override
    {
        ASSERT_TRUE(m_inputLock.Held());
        CmdBarTest::SetUp();
        ::SetForegroundWindow(m_owner);
    }

    HMENU Submenu(int i) const { return ::GetSubMenu(m_bar.GetMenu(), i); }
    std::function<void()> Keys(std::vector<WPARAM> vks) const
    {
        return [this, vks] {
            for (WPARAM vk : vks)
                ::PostMessageW(Toolbar(), WM_KEYDOWN, vk, 1);
        };
    }
    RECT ButtonOnScreen(int index) const
    {
        RECT rc{};
        ::SendMessageW(Toolbar(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
        ::MapWindowPoints(Toolbar(), nullptr, reinterpret_cast<POINT*>(&rc), 2);
        return rc;
    }
    // Bar menu `index` is open under its own button; with `selected`, an item of it is selected.
    std::function<bool()> Open(int index, bool selected = false) const
    {
        return [this, index, selected] {
            RECT rc{};
            HWND popup = OpenPopupWindow();
            LPARAM menu = reinterpret_cast<LPARAM>(Submenu(index));
            bool isSelected = !g_log.selects.empty() && g_log.selects.back().second == menu;
            return m_bar.GetOpenIndex() == index && popup && ::GetWindowRect(popup, &rc) &&
                   rc.left == ButtonOnScreen(index).left && (!selected || isSelected);
        };
    }
    bool AllClosed() const { return m_bar.GetOpenIndex() == -1 && !OpenPopupWindow() && !CWinCmdBar::TrackingBar(); }

    // Starts the steps, pumps until they have run and every menu is closed, then lets
    // posted messages settle: a menu that should not come back has had its chance.
    bool Run(std::vector<Step> steps, const std::function<void()>& start)
    {
        g_steps = std::move(steps);
        g_next = 0;
        g_forced = false;
        g_start = ::GetTickCount();
        UINT_PTR timer = ::SetTimer(nullptr, 0, 40, RunStep);
        start();
        int settled = 0;
        test::PumpUntil([&] { return (settled = g_next == g_steps.size() && AllClosed() ? settled + 1 : 0) > 20; },
                        9000);
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(g_next, g_steps.size()) << "stuck before this step";
        EXPECT_FALSE(g_forced) << "a menu had to be closed by force";
        return g_next == g_steps.size() && !g_forced && AllClosed();
    }
};

}  // namespace

TEST_F(CmdBarTrackingTest, AltLetterThenLeftAndRightWrapAroundWithTheSubmenuRule)
{
    // Each bar menu comes up with its first item selected; on "Paths" Right opens its submenu,
    // on "Folder" below it Right moves on to the next bar menu, whose command reaches the owner.
    HMENU paths = ::GetSubMenu(Submenu(0), 0);
    ASSERT_TRUE(Run({{Open(1, true), Keys({VK_LEFT})},
                     {Open(0, true), Keys({VK_LEFT})},   // first -> last
                     {Open(2, true), Keys({VK_RIGHT})},  // last -> first
                     {Open(0, true), Keys({VK_RIGHT})},
                     {[&] { return g_log.initPopups.back() == paths; }, Keys({VK_RIGHT})},
                     {Open(1, true), Keys({VK_RETURN})}},
                    [&] { ::SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(L'i', MF_SYSMENU), 0); }));
    std::vector<HMENU> expected = {Submenu(1), Submenu(0), Submenu(2), Submenu(0), paths, Submenu(1)};
    EXPECT_EQ(g_log.initPopups, expected);
    EXPECT_EQ(g_log.commands, (decltype(g_log.commands){{201, static_cast<LPARAM>(cmdbar::kBarCommandTag)}}));
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(::SendMessageW(Toolbar(), TB_ISBUTTONPRESSED, 40000 + i, 0)) << "button " << i;
}

TEST(ToolbarRes, ResourcesBecomeButtonsAndImages)
{
    HINSTANCE instance = ::GetModuleHandleW(nullptr);
    struct {
        UINT id;
        std::vector<int> commands;
        int images;
    } cases[] = {
        {IDR_TOOLBAR_MAIN, {2074, 2032, 32905, 32906, 1067, 1066, 1068, 32921}, 8},
        {7004, {801, 802}, 0},  // the bitmap is missing: buttons without pictures
        {9999, {}, 0},          // no resource: an empty toolbar all the same
    };
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "resource " << c.id);
        HWND toolbar =
            CreateToolbarFromResource(parent, instance, c.id, WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST, 0, 4242);
        ASSERT_TRUE(toolbar);
        std::vector<int> commands;
        for (int i = 0; i < ::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0); ++i) {
            TBBUTTON b{};
            ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
            commands.push_back(b.idCommand);
            EXPECT_TRUE(c.images == 0 || b.iBitmap == i);
        }
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(SetToolbarButtonText(toolbar, 2074, L"New Note"), c.id == IDR_TOOLBAR_MAIN);
        auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
        EXPECT_EQ(images ? ::ImageList_GetImageCount(images) : 0, c.images);
        ::DestroyWindow(toolbar);
        if (images && BitmapResourceDepth(instance, c.id) > 4)  // then the image list is the caller's
            ::ImageList_Destroy(images);
    }
    ::DestroyWindow(parent);
}

TEST(ProgramMenu, UninstallEntryOnlyWhenRegisteredAndTheProgramName)
{
    auto lang = [](int id) { return std::wstring(GetLangString(id) ? GetLangString(id) : L""); };
    ProgramMenuOptions options;
    options.programName = L"Quillboard";
    for (UINT uninstall : {0u, 12345u, static_cast<UINT>(ID_UNINSTALL_ALL_USERS)}) {
        options.uninstallCommand = uninstall;
        HMENU menu = BuildProgramMenu(options);
        std::vector<std::wstring> paths = {L"33205 Quillboard/..", L"33208 Quillboard.ini/..", L"33209 Quillboard.ini"};
        if (uninstall == ID_UNINSTALL_ALL_USERS)  // 12345 is no uninstall command
            paths.insert(paths.begin(), L"33203 " + lang(202) + L" (Quillboard)");
        EXPECT_EQ(Texts(::GetSubMenu(::GetSubMenu(menu, 0), 0)), paths);
        ::DestroyMenu(menu);
    }
    EXPECT_EQ(ReplaceProgramName(L"#AP##AP# #AP", L"Q"), L"QQ #AP");
    EXPECT_EQ(ReplaceProgramName(L"#AP#", L"x#AP#y"), L"x#AP#y");  // a name with the marker ends, too
}
