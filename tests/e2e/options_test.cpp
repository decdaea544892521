// The options window in the running program: the lists' changes, the slider, the colour buttons and their picker, the
// toolbar's pin and autostart buttons.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include "res/resource.h"

using namespace e2e;

namespace {

constexpr wchar_t kMain[] = L"Quillboard";
constexpr wchar_t kRunKey[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";

// Selects as the user does: the list changes, then tells its owner.
void Choose(HWND main, int id, int index)
{
    HWND list = GetDlgItem(main, id);
    SendMessageW(list, CB_SETCURSEL, index, 0);
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

bool Shown(HWND main, int id)
{
    return IsWindowVisible(GetDlgItem(main, id)) != FALSE;
}

void SetRunValue(const std::wstring& text)
{
    if (text.empty())
        RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kMain);
    else
        RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kMain, REG_SZ, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

// Every change is stored at once and survives a restart.
TEST(OptionsWindow, ChangesAndARestart)
{
    const std::wstring ini = NewIniPath();
    const std::wstring expectedRun = L"\"" + ProgramPath() + L"\" -bg";
    SetRunValue(L"");
    {
        QuillProcess p;
        HWND main = p.StartMain(L"-ini:" + ini);
        ASSERT_TRUE(main);
        // The toolbar sits centred on its placeholder, not above the group box.
        HWND toolbar = GetDlgItem(main, IDC_MAIN_TOOLBAR);
        ASSERT_TRUE(toolbar);
        const RECT bar = WindowRect(toolbar), place = WindowRect(GetDlgItem(main, IDC_TOOLBAR_PLACE));
        EXPECT_LE(abs((bar.left + bar.right) - (place.left + place.right)), 2) << "centred on its placeholder";

        // The font dialog starts from the defaults; OK stores all four values.
        PostMessageW(main, WM_COMMAND, IDC_FONT_BUTTON, 0);
        HWND dialog = WaitForBox(p, main, nullptr);
        ASSERT_TRUE(dialog) << "the font dialog";
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        // Each value is written on its own, and every write rewrites the file: wait for all of them.
        EXPECT_TRUE(WaitUntil([&] {
            return IniRead(ini, kMain, L"m_default_font_size") == L"-21" &&
                   IniRead(ini, kMain, L"m_default_font_bold") == L"400" &&
                   IniRead(ini, kMain, L"m_default_font_italic") == L"0";
        })) << Narrow(IniRead(ini, kMain, L"m_default_font_size"));

        // A colour chosen in the picker is stored.
        Choose(main, IDC_COLOR_LIST, 3);
        HWND button = GetDlgItem(main, IDC_BG_COLOR_BUTTON);
        ASSERT_TRUE(Shown(main, IDC_BG_COLOR_BUTTON));
        // A notification code in lParam is no window: nothing opens, nothing changes.
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutW(main, WM_COMMAND, IDC_BG_COLOR_BUTTON, 0x8001, SMTO_NORMAL, 5000, &result));
        EXPECT_EQ(IniRead(ini, kMain, L"m_custom_bg_color"), L"<missing>");
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_BG_COLOR_BUTTON, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        HWND popup = p.WaitForWindow([](HWND w) { return ClassName(w) == L"ColorPicker" && IsWindowVisible(w); });
        ASSERT_TRUE(popup) << "the click opens the picker";
        // "Blue" is entry 13: column 5, row 1 of the grid, which starts at the top (no "Automatic" entry)
        // and is centred.
        RECT client{};
        GetClientRect(popup, &client);
        const int edge = GetSystemMetrics(SM_CXEDGE);
        const int gridLeft = edge + (client.right - 2 * edge - 168) / 2;
        const LPARAM at = MAKELPARAM(gridLeft + 5 * 21 + 10, GetSystemMetrics(SM_CYEDGE) + 21 + 10);
        PostMessageW(popup, WM_MOUSEMOVE, 0, at);
        PostMessageW(popup, WM_LBUTTONUP, 0, at);
        EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, kMain, L"m_custom_bg_color") == L"16711680"; }))
            << "got " << Narrow(IniRead(ini, kMain, L"m_custom_bg_color"));
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popup); }));

        Choose(main, IDC_TEXTCOLOR_LIST, 3);
        EXPECT_TRUE(Shown(main, IDC_FG_COLOR_BUTTON)) << "\"Custom Color\" shows its button at once";
        EXPECT_EQ(IniRead(ini, kMain, L"m_default_fg_color"), L"3");
        Choose(main, IDC_TEXTCOLOR_LIST, 2);
        EXPECT_FALSE(Shown(main, IDC_FG_COLOR_BUTTON));

        HWND slider = GetDlgItem(main, IDC_TRANSPARENCY_SLIDER);
        SendMessageW(slider, TBM_SETPOS, TRUE, 30);
        SendMessageW(main, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 30), reinterpret_cast<LPARAM>(slider));
        EXPECT_EQ(IniRead(ini, kMain, L"m_default_transparency"), L"30");

        Choose(main, IDC_THEME_LIST, 2);
        Choose(main, IDC_ONTOP_LIST, 1);
        Choose(main, IDC_SIZE_LIST, 6);
        EXPECT_EQ(IniRead(ini, L"Program", L"m_default_note_size"), L"400");
        // A command with another notification code does nothing.
        SendMessageW(main, WM_COMMAND, MAKEWPARAM(ID_PIN_MAIN, 1), 0);
        EXPECT_EQ(IniRead(ini, L"Program", L"Toop"), L"<missing>");
        SendMessageW(main, WM_COMMAND, ID_PIN_MAIN, 0);
        EXPECT_EQ(IniRead(ini, L"Program", L"Toop"), L"1");

        // Start with Windows writes and removes the Run value.
        for (const std::wstring& run : {expectedRun, std::wstring(L"<missing>")}) {
            SendMessageW(main, WM_COMMAND, ID_AUTOSTART, reinterpret_cast<LPARAM>(toolbar));
            EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, kMain), run);
        }
        EXPECT_EQ(p.Exit(main), kExitAfterExitCommand);
    }
    // An entry for another path is rewritten when the window starts, and shows as on.
    SetRunValue(L"\"C:\\Elsewhere\\Quillboard.exe\" -bg");
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    for (const auto& [id, index] : {std::pair{IDC_THEME_LIST, 2},
                                    {IDC_COLOR_LIST, 3},
                                    {IDC_TEXTCOLOR_LIST, 2},
                                    {IDC_ONTOP_LIST, 1},
                                    {IDC_SIZE_LIST, 6}})
        EXPECT_EQ(SendDlgItemMessageW(main, id, CB_GETCURSEL, 0, 0), index) << "list " << id;
    EXPECT_EQ(SendMessageW(GetDlgItem(main, IDC_TRANSPARENCY_SLIDER), TBM_GETPOS, 0, 0), 30);
    EXPECT_TRUE(GetWindowLongW(main, GWL_EXSTYLE) & WS_EX_TOPMOST) << "pinned at the last run";
    EXPECT_EQ(RegText(HKEY_CURRENT_USER, kRunKey, kMain), expectedRun);
    EXPECT_EQ(SendDlgItemMessageW(main, IDC_MAIN_TOOLBAR, TB_GETBITMAP, ID_AUTOSTART, 0), 6) << "shown as on";
    EXPECT_EQ(p.Exit(main), kExitAfterExitCommand);
    SetRunValue(L"");
}
