// The command bar on real windows: buttons from a menu, the guard against
// foreign buttons, the right toolbar, Alt + letter, pictures, item records,
// measuring and drawing, and menus tracked through the bar.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "controls/WinCmdBar2.h"
#include "tests/unit/cmdbar_test_helpers.h"

using namespace cmdbartest;

namespace {

std::wstring ButtonText(HWND toolbar, int command)
{
    wchar_t text[256] = {};
    ::SendMessageW(toolbar, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text));
    return text;
}

RECT ButtonRect(HWND toolbar, int index)
{
    RECT rc{};
    ::SendMessageW(toolbar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rc));
    return rc;
}

// A 32-bit top-down DIB to draw items into and read back.
class Canvas {
public:
    Canvas(int width, int height, COLORREF background) : m_width(width), m_height(height)
    {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_dc = ::CreateCompatibleDC(nullptr);
        m_bmp = ::CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = ::SelectObject(m_dc, m_bmp);
        RECT rc{0, 0, width, height};
        HBRUSH brush = ::CreateSolidBrush(background);
        ::FillRect(m_dc, &rc, brush);
        ::DeleteObject(brush);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bmp);
        ::DeleteDC(m_dc);
    }
    HDC dc() const { return m_dc; }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        DWORD v = m_bits[y * m_width + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int CountColour(const RECT& area, COLORREF colour) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y) {
            for (int x = area.left; x < area.right; ++x)
                n += At(x, y) == colour;
        }
        return n;
    }

private:
    int m_width, m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bmp = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

class CmdBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CurrentLog() = &m_log;
        m_owner = CreateOwner(100, 100, 420, 220, false);
        ASSERT_TRUE(m_owner);
        m_bar.SetTop(12);
        ASSERT_TRUE(m_bar.Create(m_owner));
    }
    void TearDown() override
    {
        if (::IsWindow(m_owner))
            ::DestroyWindow(m_owner);
        Pump();
        CurrentLog() = nullptr;
    }

    HWND Toolbar() const { return m_bar.GetToolbar(); }

    OwnerLog m_log;
    HWND m_owner = nullptr;
    CWinCmdBar2 m_bar;
};

}  // namespace

TEST_F(CmdBarTest, ButtonsFollowTheMenu)
{
    ASSERT_TRUE(m_bar.SetMenu(MakeBarMenu()));
    HWND toolbar = Toolbar();
    ASSERT_EQ(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0), 3);
    EXPECT_EQ(m_bar.GetItemCount(), 3);
    const wchar_t* texts[] = {L"&Program", L"&Info", L"&Language"};
    for (int i = 0; i < 3; ++i) {
        TBBUTTON b{};
        ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
        EXPECT_EQ(b.idCommand, 40000 + i);
        EXPECT_TRUE(b.fsState & TBSTATE_ENABLED);
        EXPECT_EQ(ButtonText(toolbar, 40000 + i), texts[i]);
    }

    RECT client{}, bar{};
    ::GetClientRect(m_owner, &client);
    ::GetWindowRect(toolbar, &bar);
    ::MapWindowPoints(nullptr, m_owner, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 12);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_GE(m_bar.GetHeight(), 20);
    EXPECT_EQ(bar.bottom - bar.top, m_bar.GetHeight());
}

TEST_F(CmdBarTest, NewMenuReplacesButtonsAndDestroysTheOldMenu)
{
    HMENU first = MakeBarMenu();
    m_bar.SetMenu(first);
    HMENU second = ::CreateMenu();
    ::AppendMenuW(second, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), L"Only");
    m_bar.SetMenu(second);
    EXPECT_FALSE(::IsMenu(first));
    EXPECT_EQ(m_bar.GetMenu(), second);
    ASSERT_EQ(::SendMessageW(Toolbar(), TB_BUTTONCOUNT, 0, 0), 1);
    EXPECT_EQ(ButtonText(Toolbar(), 40000), L"Only");
}

TEST_F(CmdBarTest, LongTopLevelTextIsCutTo99Characters)
{
    HMENU menu = ::CreateMenu();
    std::wstring longText(150, L'w');
    ::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), longText.c_str());
    m_bar.SetMenu(menu);
    EXPECT_EQ(ButtonText(Toolbar(), 40000), std::wstring(99, L'w'));
}

TEST_F(CmdBarTest, ForeignButtonsAreRefused)
{
    m_bar.SetMenu(MakeBarMenu());
    TBBUTTON extra{I_IMAGENONE, 999, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, reinterpret_cast<INT_PTR>(L"x")};
    EXPECT_FALSE(::SendMessageW(Toolbar(), TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&extra)));
    EXPECT_EQ(::SendMessageW(Toolbar(), TB_BUTTONCOUNT, 0, 0), 3);

    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<wchar_t*>(L"changed");
    EXPECT_FALSE(::SendMessageW(Toolbar(), TB_SETBUTTONINFOW, 40000, reinterpret_cast<LPARAM>(&info)));
    EXPECT_EQ(ButtonText(Toolbar(), 40000), L"&Program");
}

TEST_F(CmdBarTest, OnlyOneBarIsAttachedAtATime)
{
    CWinCmdBar2 other;
    HWND secondOwner = CreateOwner(100, 100, 420, 220, false);
    EXPECT_FALSE(other.Create(secondOwner));
    EXPECT_FALSE(m_bar.Create(m_owner));  // already attached
    EXPECT_EQ(CWinCmdBar::AttachedBar(), &m_bar);

    ::DestroyWindow(m_owner);  // the bar's toolbar goes with its owner
    EXPECT_TRUE(other.Create(secondOwner));
    EXPECT_EQ(CWinCmdBar::AttachedBar(), &other);
    ::DestroyWindow(secondOwner);
    EXPECT_FALSE(other.Create(nullptr));
}

TEST_F(CmdBarTest, SetMenuWithoutToolbarKeepsTheMenuAndFails)
{
    CWinCmdBar2 loose;
    HMENU menu = MakeBarMenu();
    EXPECT_FALSE(loose.SetMenu(menu));
    EXPECT_EQ(loose.GetMenu(), menu);
    EXPECT_EQ(loose.GetItemCount(), 3);
}

TEST_F(CmdBarTest, RightButtonsSitAtTheRightEdgeAndSendTheirCommands)
{
    m_bar.SetMenu(MakeBarMenu());
    ASSERT_TRUE(m_bar.AddRightButton(L"# Donate", 32914));
    ASSERT_TRUE(m_bar.AddRightButton(L"# E&xit", 32916));
    ASSERT_TRUE(m_bar.AddRightButton(L"# ?", 33206));
    HWND right = m_bar.GetRightToolbar();
    ASSERT_TRUE(::IsWindow(right));
    EXPECT_EQ(::SendMessageW(right, TB_BUTTONCOUNT, 0, 0), 3);

    RECT client{}, rc{};
    ::GetClientRect(m_owner, &client);
    ::GetWindowRect(right, &rc);
    ::MapWindowPoints(nullptr, m_owner, reinterpret_cast<POINT*>(&rc), 2);
    EXPECT_EQ(rc.right, client.right);
    EXPECT_EQ(rc.top, 12);
    RECT last = ButtonRect(right, 2);
    EXPECT_EQ(rc.right - rc.left, last.right);

    // A click on "# ?" reaches the owner as its command.
    RECT button = ButtonRect(right, 2);
    LPARAM at = MAKELPARAM((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    ::SendMessageW(right, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(right, WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0].id, 33206);

    m_bar.ClearRightButtons();
    EXPECT_EQ(::SendMessageW(right, TB_BUTTONCOUNT, 0, 0), 0);
    ASSERT_TRUE(m_bar.AddRightButton(L"# ?", 33206));
    EXPECT_EQ(::SendMessageW(right, TB_BUTTONCOUNT, 0, 0), 1);
}

TEST_F(CmdBarTest, AltLetterOfABarButtonAsksToOpenItsMenu)
{
    m_bar.SetMenu(MakeBarMenu());
    LRESULT r = ::SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(L'i', MF_SYSMENU), 0);
    EXPECT_EQ(r, 0x10001);
    EXPECT_EQ(m_bar.GetCurrentIndex(), 1);
    MSG open{};
    ASSERT_TRUE(::PeekMessageW(&open, Toolbar(), cmdbar::kOpenMenuMsg, cmdbar::kOpenMenuMsg, PM_REMOVE));
    EXPECT_EQ(open.wParam, cmdbar::kOpenSelectFirst);  // the menu comes up with its first item selected
    EXPECT_TRUE(m_log.commands.empty());
}

TEST_F(CmdBarTest, AltLetterOfARightButtonRunsItsCommandWithoutAMenu)
{
    m_bar.SetMenu(MakeBarMenu());
    m_bar.AddRightButton(L"# E&xit", 32916);
    LRESULT r = ::SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(L'x', MF_SYSMENU), 0);
    EXPECT_EQ(r, 0x10001);
    MSG open{};
    EXPECT_FALSE(::PeekMessageW(&open, Toolbar(), cmdbar::kOpenMenuMsg, cmdbar::kOpenMenuMsg, PM_NOREMOVE));
    Pump();
    ASSERT_EQ(m_log.commands.size(), 1u);
    EXPECT_EQ(m_log.commands[0].id, 32916);
}

TEST_F(CmdBarTest, AltLetterWithoutAButtonGoesOn)
{
    m_bar.SetMenu(MakeBarMenu());
    m_bar.AddRightButton(L"# E&xit", 32916);
    EXPECT_EQ(::SendMessageW(m_owner, WM_MENUCHAR, MAKEWPARAM(L'q', MF_SYSMENU), 0), 0);
    Pump();
    EXPECT_TRUE(m_log.commands.empty());
}

TEST_F(CmdBarTest, PictureListRefusesThe257thPicture)
{
    EXPECT_EQ(m_bar.AddPicture(nullptr, 1), 0u);
    HICON icon = SolidIcon(RGB(200, 0, 0));
    for (UINT i = 0; i < 256; ++i)
        ASSERT_EQ(m_bar.AddPicture(icon, 1000 + i), 1000 + i) << "picture " << i;
    EXPECT_EQ(m_bar.AddPicture(icon, 5000), 0u);
    EXPECT_EQ(m_bar.GetPictureCount(), 256);
    EXPECT_EQ(::ImageList_GetImageCount(m_bar.GetPictures()), 256);
    EXPECT_EQ(m_bar.FindPicture(5000), -1);
    EXPECT_EQ(m_bar.FindPicture(1255), 255);
    ::DestroyIcon(icon);
}

namespace {

ULONG_PTR ItemData(HMENU menu, int pos)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_DATA;
    ::GetMenuItemInfoW(menu, pos, TRUE, &mii);
    return mii.dwItemData;
}

UINT ItemType(HMENU menu, int pos)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoW(menu, pos, TRUE, &mii);
    return mii.fType;
}

}  // namespace

TEST_F(CmdBarTest, PreparedItemsCarryRecords)
{
    HICON icon = SolidIcon(RGB(0, 0, 255));
    m_bar.AddPicture(icon, 77);
    ::DestroyIcon(icon);

    HMENU popup = ::CreatePopupMenu();
    std::wstring longText(150, L'L');
    ::AppendMenuW(popup, MF_STRING, 77, L"With &picture\tCtrl+P");
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING | MF_CHECKED, 78, longText.c_str());
    ::AppendMenuW(popup, MF_OWNERDRAW, 79, reinterpret_cast<const wchar_t*>(0x1234));  // someone else's

    m_bar.PrepareItems(popup);
    ASSERT_EQ(m_bar.GetRecordCount(), 3u);

    const CmdBarItemRecord* first = m_bar.FindRecord(ItemData(popup, 0));
    ASSERT_TRUE(first);
    EXPECT_EQ(first->magic, 0x1313u);
    EXPECT_STREQ(first->text, L"With &picture\tCtrl+P");
    EXPECT_EQ(first->picture, 0);
    EXPECT_TRUE(ItemType(popup, 0) & MFT_OWNERDRAW);

    const CmdBarItemRecord* separator = m_bar.FindRecord(ItemData(popup, 1));
    ASSERT_TRUE(separator);
    EXPECT_TRUE(separator->type & MFT_SEPARATOR);
    EXPECT_EQ(separator->picture, -1);

    const CmdBarItemRecord* cut = m_bar.FindRecord(ItemData(popup, 2));
    ASSERT_TRUE(cut);
    EXPECT_EQ(std::wstring(cut->text), std::wstring(99, L'L'));
    EXPECT_EQ(cut->picture, -1);  // no picture for its command
    EXPECT_TRUE(cut->state & MFS_CHECKED);

    EXPECT_EQ(ItemData(popup, 3), 0x1234u);
    EXPECT_FALSE(m_bar.FindRecord(0x1234));

    // Preparing again adds nothing; the menu's end frees its records.
    m_bar.PrepareItems(popup);
    EXPECT_EQ(m_bar.GetRecordCount(), 3u);
    ::DestroyMenu(popup);
    m_bar.PruneRecords();
    EXPECT_EQ(m_bar.GetRecordCount(), 0u);
}

TEST_F(CmdBarTest, ItemsArePreparedOnlyWhileTheBarTracks)
{
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 5, L"Item");
    ::SendMessageW(Toolbar(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(m_bar.GetRecordCount(), 0u);
    ASSERT_EQ(m_log.initPopups.size(), 1u);  // passed on to the owner all the same
    EXPECT_EQ(m_log.initPopups[0], popup);
    ::DestroyMenu(popup);
}

TEST_F(CmdBarTest, MeasureFollowsTheMenuFont)
{
    HMENU popup = ::CreatePopupMenu();
    ::AppendMenuW(popup, MF_STRING, 1, L"Homepage");
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING, 2, L"Homepage");
    ::SetMenuDefaultItem(popup, 2, FALSE);
    m_bar.PrepareItems(popup);

    LOGFONTW lf{};
    ::GetObjectW(m_bar.GetMenuFont(), sizeof(lf), &lf);
    int expectedHeight = std::max(18, static_cast<int>(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight) + 8);

    MEASUREITEMSTRUCT plain{ODT_MENU, 0, 1, 0, 0, ItemData(popup, 0)};
    EXPECT_TRUE(::SendMessageW(Toolbar(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&plain)));
    EXPECT_EQ(static_cast<int>(plain.itemHeight), expectedHeight);
    int fixedPart = 2 * 21 + 21 - ::GetSystemMetrics(SM_CXMENUCHECK) + 1;
    EXPECT_GT(static_cast<int>(plain.itemWidth), fixedPart);

    MEASUREITEMSTRUCT sep{ODT_MENU, 0, 0, 0, 0, ItemData(popup, 1)};
    ::SendMessageW(Toolbar(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&sep));
    EXPECT_EQ(sep.itemWidth, 0u);
    EXPECT_EQ(static_cast<int>(sep.itemHeight), ::GetSystemMetrics(SM_CYMENU) / 2);

    MEASUREITEMSTRUCT heavy{ODT_MENU, 0, 2, 0, 0, ItemData(popup, 2)};
    ::SendMessageW(Toolbar(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&heavy));
    EXPECT_GT(heavy.itemWidth, plain.itemWidth);  // the default item is measured in its heavier font

    // Not one of ours: left to others.
    MEASUREITEMSTRUCT foreign{ODT_MENU, 0, 3, 0, 0, 0x4321};
    EXPECT_FALSE(::SendMessageW(Toolbar(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&foreign)));
    ::DestroyMenu(popup);
}

namespace {

// Draws item `pos` of `popup` through the toolbar, as the menu would.
void DrawThroughBar(HWND toolbar, HMENU popup, int pos, UINT state, const Canvas& canvas, RECT rc,
                    UINT action = ODA_DRAWENTIRE)
{
    MENUITEMINFOW mii{};
    mii.cbSize = sizeof(mii);
    mii.fMask = MIIM_ID | MIIM_DATA;
    ::GetMenuItemInfoW(popup, pos, TRUE, &mii);
    DRAWITEMSTRUCT dis{ODT_MENU, 0, mii.wID, action, state, reinterpret_cast<HWND>(popup), canvas.dc(), rc,
                       mii.dwItemData};
    ::SendMessageW(toolbar, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
}

bool GlyphAt(const Canvas& canvas, int left, int top, COLORREF colour)
{
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            if ((canvas.At(left + x, top + y) == colour) != cmdbar::CheckGlyphPixel(x, y))
                return false;
        }
    }
    return true;
}

}  // namespace

class CmdBarDrawTest : public CmdBarTest {
protected:
    void SetUp() override
    {
        CmdBarTest::SetUp();
        HICON red = SolidIcon(RGB(255, 0, 0));
        m_bar.AddPicture(red, 10);
        ::DestroyIcon(red);
        m_popup = ::CreatePopupMenu();
        ::AppendMenuW(m_popup, MF_STRING, 10, L"&Red\tF5");
        ::AppendMenuW(m_popup, MF_STRING, 11, L"Plain");
        ::AppendMenuW(m_popup, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(m_popup, MF_STRING, 12, L"E&xit");
        ::AppendMenuW(m_popup, MF_STRING, 13, L"Exit");
        m_bar.PrepareItems(m_popup);
    }
    void TearDown() override
    {
        ::DestroyMenu(m_popup);
        CmdBarTest::TearDown();
    }

    static constexpr COLORREF kBack = RGB(1, 2, 3);
    HMENU m_popup = nullptr;
};

TEST_F(CmdBarDrawTest, PictureSitsInItsColumn)
{
    Canvas canvas(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 0, 0, canvas, {0, 0, 200, 20});
    // 18-high box centred in 20 -> top 1; picture at +2, +1.
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(17, 17), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(1, 2), kBack);
    EXPECT_EQ(canvas.At(18, 2), kBack);
    // Text starts right of the column: nothing of it left of 21 + 3.
    COLORREF text = ::GetSysColor(COLOR_MENUTEXT);
    EXPECT_EQ(canvas.CountColour({19, 0, 24, 20}, text), 0);
    EXPECT_GT(canvas.CountColour({24, 0, 100, 20}, text), 0);
    // The shortcut is drawn right-aligned before the last 21 pixels.
    EXPECT_GT(canvas.CountColour({140, 0, 179, 20}, text), 0);
    EXPECT_EQ(canvas.CountColour({179, 0, 200, 20}, text), 0);
}

TEST_F(CmdBarDrawTest, GrayedItemShowsNoPicture)
{
    Canvas canvas(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 0, ODS_GRAYED, canvas, {0, 0, 200, 20});
    EXPECT_EQ(canvas.CountColour({0, 0, 21, 20}, RGB(255, 0, 0)), 0);
    EXPECT_GT(canvas.CountColour({24, 0, 179, 20}, ::GetSysColor(COLOR_BTNSHADOW)), 0);
}

TEST_F(CmdBarDrawTest, CheckMarkWithoutPictureSitsInTheColumn)
{
    Canvas canvas(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 1, ODS_CHECKED, canvas, {0, 0, 200, 20});
    // Box (0, 1, 21, 19): centre (10, 10), glyph from (6, 6).
    EXPECT_TRUE(GlyphAt(canvas, 6, 6, ::GetSysColor(COLOR_MENUTEXT)));
}

TEST_F(CmdBarDrawTest, CheckMarkBesideAPictureMovesRight)
{
    Canvas canvas(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 0, ODS_CHECKED, canvas, {0, 0, 200, 20});
    EXPECT_EQ(canvas.At(2, 2), RGB(255, 0, 0));
    EXPECT_TRUE(GlyphAt(canvas, 22, 6, ::GetSysColor(COLOR_MENUTEXT)));
    // The text moved 12 to the right: nothing of it before 36.
    EXPECT_EQ(canvas.CountColour({31, 0, 36, 20}, ::GetSysColor(COLOR_MENUTEXT)), 0);
}

TEST_F(CmdBarDrawTest, SelectedItemIsHighlightedAndFramed)
{
    Canvas canvas(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 1, ODS_SELECTED | ODS_CHECKED, canvas, {0, 0, 200, 20}, ODA_SELECT);
    EXPECT_EQ(canvas.At(100, 10), ::GetSysColor(COLOR_MENUHILIGHT));
    EXPECT_EQ(canvas.At(0, 0), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(canvas.At(199, 19), ::GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(GlyphAt(canvas, 6, 6, ::GetSysColor(COLOR_HIGHLIGHTTEXT)));
}

TEST_F(CmdBarDrawTest, DeselectionRepaintsTheMenuColour)
{
    Canvas canvas(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 1, 0, canvas, {0, 0, 200, 20}, ODA_SELECT);
    EXPECT_EQ(canvas.At(100, 1), ::GetSysColor(COLOR_MENU));
    Canvas untouched(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 1, 0, untouched, {0, 0, 200, 20}, ODA_DRAWENTIRE);
    EXPECT_EQ(untouched.At(100, 1), kBack);
}

TEST_F(CmdBarDrawTest, SeparatorIsAnEtchedLineAcrossTheMiddle)
{
    Canvas canvas(200, 10, kBack);
    DrawThroughBar(Toolbar(), m_popup, 2, 0, canvas, {0, 0, 200, 10});
    EXPECT_EQ(canvas.At(100, 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(canvas.At(100, 6), ::GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(canvas.At(100, 2), kBack);
}

TEST_F(CmdBarDrawTest, MnemonicPrefixIsNotShown)
{
    Canvas withPrefix(200, 20, kBack);
    Canvas without(200, 20, kBack);
    DrawThroughBar(Toolbar(), m_popup, 3, 0, withPrefix, {0, 0, 200, 20});
    DrawThroughBar(Toolbar(), m_popup, 4, 0, without, {0, 0, 200, 20});
    int differing = 0;
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 200; ++x)
            differing += withPrefix.At(x, y) != without.At(x, y);
    }
    EXPECT_EQ(differing, 0) << "\"E&xit\" is drawn as \"Exit\", without an underline";
    EXPECT_GT(without.CountColour({24, 0, 179, 20}, ::GetSysColor(COLOR_MENUTEXT)), 0);
}

TEST_F(CmdBarDrawTest, MnemonicOfAnOwnerDrawnItemIsFound)
{
    LRESULT r = ::SendMessageW(Toolbar(), WM_MENUCHAR, MAKEWPARAM(L'r', MF_POPUP), reinterpret_cast<LPARAM>(m_popup));
    EXPECT_EQ(r, MAKELRESULT(0, MNC_EXECUTE));
    EXPECT_EQ(::SendMessageW(Toolbar(), WM_MENUCHAR, MAKEWPARAM(L'z', MF_POPUP), reinterpret_cast<LPARAM>(m_popup)),
              0);
}
