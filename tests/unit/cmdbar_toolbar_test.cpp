// Toolbars from toolbar resources, shell icons, and the program menu with its pictures.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ProgramMenu.h"
#include "controls/ToolbarRes.h"
#include "controls/WinCmdBar2.h"
#include "lang/LanguageTable.h"
#include "res/toolbars.h"
#include "shell/UniSysIco.h"

namespace {

class ToolbarResTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_parent);
    }
    void TearDown() override
    {
        // Image lists made from a deep bitmap belong to the caller; a toolbar bitmap's list to the toolbar.
        for (size_t i = 0; i < m_toolbars.size(); ++i) {
            auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(m_toolbars[i], TB_GETIMAGELIST, 0, 0));
            ::DestroyWindow(m_toolbars[i]);
            if (images && BitmapResourceDepth(::GetModuleHandleW(nullptr), m_ids[i]) > 4)
                ::ImageList_Destroy(images);
        }
        ::DestroyWindow(m_parent);
    }

    HWND Make(UINT id, bool leadingSeparator = false)
    {
        HWND toolbar = CreateToolbarFromResource(m_parent, ::GetModuleHandleW(nullptr), id,
                                                 WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE, 0, 4242,
                                                 leadingSeparator);
        m_toolbars.push_back(toolbar);
        m_ids.push_back(id);
        return toolbar;
    }

    static std::vector<TBBUTTON> Buttons(HWND toolbar)
    {
        std::vector<TBBUTTON> out(static_cast<size_t>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)));
        for (size_t i = 0; i < out.size(); ++i)
            ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&out[i]));
        return out;
    }

    static int DefaultFontHeight()
    {
        LOGFONTW lf{};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        return lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    }

    HWND m_parent = nullptr;
    std::vector<HWND> m_toolbars;
    std::vector<UINT> m_ids;
};

}  // namespace

TEST_F(ToolbarResTest, MainToolbarGetsItsEightButtonsAndAnImageList)
{
    HWND toolbar = Make(IDR_TOOLBAR_MAIN);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(::GetDlgCtrlID(toolbar), 4242);
    std::vector<TBBUTTON> buttons = Buttons(toolbar);
    const int ids[] = {2074, 2032, 32905, 32906, 1067, 1066, 1068, 32921};
    ASSERT_EQ(buttons.size(), 8u);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(buttons[i].idCommand, ids[i]) << "button " << i;
        EXPECT_EQ(buttons[i].iBitmap, i) << "button " << i;
        EXPECT_TRUE(buttons[i].fsState & TBSTATE_ENABLED) << "button " << i;
    }
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(images);
    EXPECT_EQ(::ImageList_GetImageCount(images), 8);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 15);

    int height = std::max(15, DefaultFontHeight());
    DWORD size = static_cast<DWORD>(::SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(LOWORD(size), 16 + 7);
    EXPECT_EQ(HIWORD(size), height + 7);
}

TEST_F(ToolbarResTest, MagentaIsTransparentInTheImages)
{
    HWND toolbar = Make(IDR_TOOLBAR_MAIN);
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(images);
    IMAGEINFO info{};
    ASSERT_TRUE(::ImageList_GetImageInfo(images, 0, &info));
    EXPECT_TRUE(info.hbmMask) << "a mask is made from the bitmap's corner colour";
}

TEST_F(ToolbarResTest, LeadingSeparatorAndSeparatorsInTheResource)
{
    HWND toolbar = Make(7001, true);
    std::vector<TBBUTTON> buttons = Buttons(toolbar);
    ASSERT_EQ(buttons.size(), 4u);
    EXPECT_TRUE(buttons[0].fsStyle & BTNS_SEP);
    EXPECT_EQ(buttons[1].idCommand, 501);
    EXPECT_EQ(buttons[1].iBitmap, 0);
    EXPECT_TRUE(buttons[2].fsStyle & BTNS_SEP);
    EXPECT_EQ(buttons[3].idCommand, 502);
    EXPECT_EQ(buttons[3].iBitmap, 1);  // separators take no image
}

TEST_F(ToolbarResTest, FourBitBitmapBecomesAToolbarBitmap)
{
    EXPECT_EQ(BitmapResourceDepth(::GetModuleHandleW(nullptr), 7001), 4);
    HWND toolbar = Make(7001);
    // The toolbar splits the bitmap into its own images, 16 wide.
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(images);
    EXPECT_EQ(::ImageList_GetImageCount(images), 3);
    EXPECT_EQ(::SendMessageW(toolbar, TB_GETBITMAP, 502, 0), 1);
    EXPECT_EQ(Buttons(toolbar).size(), 3u);
}

TEST_F(ToolbarResTest, ThirtyTwoBitBitmapKeepsItsSize)
{
    EXPECT_EQ(BitmapResourceDepth(::GetModuleHandleW(nullptr), 7002), 32);
    HWND toolbar = Make(7002);
    auto images = reinterpret_cast<HIMAGELIST>(::SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    ASSERT_TRUE(images);
    EXPECT_EQ(::ImageList_GetImageCount(images), 2);
    int cx = 0, cy = 0;
    ::ImageList_GetIconSize(images, &cx, &cy);
    EXPECT_EQ(cx, 20);
    EXPECT_EQ(cy, 10);
    DWORD size = static_cast<DWORD>(::SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(LOWORD(size), 27);
    EXPECT_EQ(HIWORD(size), std::max(10, DefaultFontHeight()) + 7);
}

TEST_F(ToolbarResTest, BrokenOrMissingResourcesLeaveAnEmptyToolbar)
{
    HWND missing = Make(9999);
    ASSERT_TRUE(missing);
    EXPECT_EQ(::SendMessageW(missing, TB_BUTTONCOUNT, 0, 0), 0);
    EXPECT_FALSE(LoadToolbarResource(missing, ::GetModuleHandleW(nullptr), 7003));
    EXPECT_EQ(::SendMessageW(missing, TB_BUTTONCOUNT, 0, 0), 0);
    EXPECT_FALSE(LoadToolbarResource(nullptr, ::GetModuleHandleW(nullptr), IDR_TOOLBAR_MAIN));

    // Buttons without pictures still work when only the bitmap is missing.
    HWND noBitmap = Make(7004);
    EXPECT_EQ(BitmapResourceDepth(::GetModuleHandleW(nullptr), 7004), 0);
    EXPECT_EQ(::SendMessageW(noBitmap, TB_BUTTONCOUNT, 0, 0), 2);
}

TEST_F(ToolbarResTest, NoteAndWeekdayToolbars)
{
    std::vector<TBBUTTON> note = Buttons(Make(IDR_TOOLBAR_NOTE));
    const int noteIds[] = {57600, 33303, 33304, 33301, 33330, 1};
    ASSERT_EQ(note.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(note[i].idCommand, noteIds[i]);
    std::vector<TBBUTTON> weekday = Buttons(Make(IDR_TOOLBAR_WEEKDAY));
    ASSERT_EQ(weekday.size(), 1u);
    EXPECT_EQ(weekday[0].idCommand, 33318);
}

TEST_F(ToolbarResTest, ButtonTextAndMeasure)
{
    HWND toolbar = Make(IDR_TOOLBAR_MAIN);
    SIZE before = MeasureToolbar(toolbar);
    ASSERT_TRUE(SetToolbarButtonText(toolbar, 2074, L"New Note", BTNS_DROPDOWN));
    wchar_t text[64] = {};
    ::SendMessageW(toolbar, TB_GETBUTTONTEXTW, 2074, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"New Note");
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    ::SendMessageW(toolbar, TB_GETBUTTONINFOW, 2074, reinterpret_cast<LPARAM>(&info));
    EXPECT_TRUE(info.fsStyle & BTNS_AUTOSIZE);
    EXPECT_TRUE(info.fsStyle & BTNS_DROPDOWN);
    EXPECT_FALSE(SetToolbarButtonText(toolbar, 4711, L"nobody"));

    SIZE after = MeasureToolbar(toolbar);
    RECT last{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, 7, reinterpret_cast<LPARAM>(&last));
    EXPECT_EQ(after.cx, last.right);
    EXPECT_EQ(after.cy, last.bottom - last.top);
    EXPECT_GT(after.cx, before.cx);  // the text widened the first button

    HWND empty = Make(9999);
    SIZE none = MeasureToolbar(empty);
    EXPECT_EQ(none.cx, 0);
    EXPECT_EQ(none.cy, 22);
}

TEST(UniSysIco, LoadsShellIconsAtBothSizes)
{
    CUniSysIco shell;
    ASSERT_TRUE(CUniSysIco::ShellModule()) << "the shell library is part of this process";
    HICON smallIcon = shell.LoadShellIcon(28, false);
    HICON large = shell.LoadShellIcon(28, true);
    ASSERT_TRUE(smallIcon);
    ASSERT_TRUE(large);
    ICONINFO ii{};
    ASSERT_TRUE(::GetIconInfo(large, &ii));
    BITMAP bm{};
    ::GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof(bm), &bm);
    EXPECT_EQ(bm.bmWidth, ::GetSystemMetrics(SM_CXICON));
    ::DeleteObject(ii.hbmColor);
    ::DeleteObject(ii.hbmMask);
    EXPECT_FALSE(shell.LoadShellIcon(64999, false));
    EXPECT_FALSE(shell.LoadShellIcon(64999, true));
}

namespace {

struct Item {
    UINT id;  // 0 for a separator, -1 for a submenu
    std::wstring text;
};

std::vector<Item> Items(HMENU menu)
{
    std::vector<Item> out;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
        ::GetMenuItemInfoW(menu, i, TRUE, &mii);
        wchar_t text[256] = {};
        ::GetMenuStringW(menu, i, text, 256, MF_BYPOSITION);
        UINT id = (mii.fType & MFT_SEPARATOR) ? 0 : (mii.hSubMenu ? static_cast<UINT>(-1) : mii.wID);
        out.push_back({id, text});
    }
    return out;
}

std::vector<UINT> Ids(HMENU menu)
{
    std::vector<UINT> out;
    for (const Item& item : Items(menu))
        out.push_back(item.id);
    return out;
}

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

int g_languageMenuCalls = 0;
void CountingLanguageMenu(HMENU menu)
{
    ++g_languageMenuCalls;
    ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"Lang");
}

}  // namespace

TEST(ProgramMenu, StructureOfProgramAndInfo)
{
    ProgramMenuOptions options;
    options.programName = L"Quillboard";
    HMENU menu = BuildProgramMenu(options);
    ASSERT_TRUE(menu);
    std::vector<Item> top = Items(menu);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[0].text, Lang(67));
    EXPECT_EQ(top[1].text, Lang(90));
    EXPECT_EQ(top[2].text, Lang(77));

    HMENU program = ::GetSubMenu(menu, 0);
    std::vector<UINT> programIds = {static_cast<UINT>(-1), 0, 44933, 44934, 0, 32817, 32818, 0, 32916};
    EXPECT_EQ(Ids(program), programIds);
    std::vector<Item> paths = Items(::GetSubMenu(program, 0));
    ASSERT_EQ(paths.size(), 3u);  // no uninstall registration
    EXPECT_EQ(paths[0].id, 33205u);
    EXPECT_EQ(paths[0].text, L"Quillboard/..");
    EXPECT_EQ(paths[1].id, 33208u);
    EXPECT_EQ(paths[1].text, L"Quillboard.ini/..");
    EXPECT_EQ(paths[2].id, 33209u);
    EXPECT_EQ(paths[2].text, L"Quillboard.ini");

    HMENU info = ::GetSubMenu(menu, 1);
    std::vector<UINT> infoIds = {32915, 0, 33206, 32821, 32913, 0, 32914};
    EXPECT_EQ(Ids(info), infoIds);
    std::vector<Item> infoItems = Items(info);
    EXPECT_EQ(infoItems[2].text, ReplaceProgramName(Lang(244), L"Quillboard") + L"\t(# ?)");

    std::vector<UINT> languageIds = {33100, 33101};
    EXPECT_EQ(Ids(::GetSubMenu(menu, 2)), languageIds);
    ::DestroyMenu(menu);
}

TEST(ProgramMenu, UninstallEntryComesFirstWhenRegistered)
{
    ProgramMenuOptions options;
    options.programName = L"Quillboard";
    options.uninstallCommand = kCmdUninstallAllUsers;
    HMENU menu = BuildProgramMenu(options);
    std::vector<Item> paths = Items(::GetSubMenu(::GetSubMenu(menu, 0), 0));
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_EQ(paths[0].id, 33203u);
    EXPECT_EQ(paths[0].text, Lang(202) + L" (Quillboard)");
    ::DestroyMenu(menu);

    options.uninstallCommand = 12345;  // not an uninstall command: no entry
    menu = BuildProgramMenu(options);
    EXPECT_EQ(Items(::GetSubMenu(::GetSubMenu(menu, 0), 0)).size(), 3u);
    ::DestroyMenu(menu);
}

TEST(ProgramMenu, LanguageMenuComesFromItsBuilder)
{
    g_languageMenuCalls = 0;
    ProgramMenuOptions options;
    options.programName = L"Quillboard";
    options.appendLanguageMenu = CountingLanguageMenu;
    HMENU menu = BuildProgramMenu(options);
    EXPECT_EQ(g_languageMenuCalls, 1);
    std::vector<Item> top = Items(menu);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(top[2].text, L"Lang");
    ::DestroyMenu(menu);
}

TEST(ProgramMenu, ProgramNameReplacesEveryMarker)
{
    EXPECT_EQ(ReplaceProgramName(L"Recommend #AP# ", L"Quillboard"), L"Recommend Quillboard ");
    EXPECT_EQ(ReplaceProgramName(L"#AP##AP#", L"Q"), L"QQ");
    EXPECT_EQ(ReplaceProgramName(L"none", L"Q"), L"none");
    EXPECT_EQ(ReplaceProgramName(L"#AP#", L"x#AP#y"), L"x#AP#y");  // a name with the marker ends, too
    EXPECT_EQ(ReplaceProgramName(L"#AP", L"Q"), L"#AP");
}

TEST(ProgramMenu, PicturesAreRegisteredOnce)
{
    CWinCmdBar2 bar;
    int added = RegisterCommandPictures(bar, nullptr);
    EXPECT_GT(added, 0);
    EXPECT_EQ(bar.GetPictureCount(), added);
    // Our own pictures stand in where the shell library has none.
    for (UINT command : {kCmdNewNote, kCmdRecommend, kCmdInfo, kCmdExit, kCmdFaq, kCmdNotePad, kCmdWordPad,
                         kCmdUninstallAllUsers})
        EXPECT_GE(bar.FindPicture(command), 0) << "command " << command;
    EXPECT_EQ(RegisterCommandPictures(bar, nullptr), 0);
    EXPECT_EQ(bar.GetPictureCount(), added);
}
