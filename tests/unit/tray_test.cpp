// The tray icon with its watchdog, the main window's popup menus and the
// autostart value, each in the test process.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/Autostart.h"
#include "app/Config.h"
#include "app/MainPopups.h"
#include "res/resource.h"
#include "shell/ToTray.h"

namespace {

// Waits for a message of this number for the window, handling everything else.
bool WaitForMessage(HWND hWnd, UINT message, DWORD timeoutMs)
{
    const DWORD end = ::GetTickCount() + timeoutMs;
    while (static_cast<LONG>(end - ::GetTickCount()) > 0) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == hWnd && msg.message == message)
                return true;
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return false;
}

bool DeleteIcon(HWND owner, UINT id)
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = owner;
    nid.uID = id;
    return ::Shell_NotifyIconW(NIM_DELETE, &nid) != FALSE;
}

class TrayTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_owner =
            ::CreateWindowExW(0, L"STATIC", L"tray owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(m_owner);
    }
    void TearDown() override { ::DestroyWindow(m_owner); }

    // A 100 ms watchdog keeps the test short; the program uses 5000 ms.
    CToTray m_tray{100};
    HWND m_owner = nullptr;
};

}  // namespace

TEST_F(TrayTest, WatchdogOnlyAsksTheUiThreadToBringTheIconBack)
{
    m_tray.SetOwner(m_owner);
    m_tray.Install(IDI_QUILLBOARD, nullptr, L"Quillboard", true);
    ASSERT_TRUE(m_tray.IsPresent());
    ASSERT_TRUE(DeleteIcon(m_owner, IDI_QUILLBOARD)) << "the shell lost the icon";
    ASSERT_TRUE(WaitForMessage(m_owner, WM_TRAY_REFRESH, 10000)) << "the watchdog posts a refresh";
    EXPECT_FALSE(m_tray.IsPresent()) << "the watchdog thread must not add the icon itself";
    m_tray.Refresh();
    EXPECT_TRUE(m_tray.IsPresent());
    // The grey look is a refresh too.
    m_tray.SetGrey(true);
    m_tray.Refresh();
    EXPECT_TRUE(m_tray.IsPresent());
}

TEST_F(TrayTest, RemoveStopsTheWatchdogWithoutKillingItAndDeletesTheIcon)
{
    CToTray slow;  // the program's 5000 ms: the stop must not wait for the interval
    slow.SetOwner(m_owner);
    slow.Install(IDI_QUILLBOARD, nullptr, std::wstring(300, L'x').c_str(), true);
    HANDLE thread = nullptr;
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), slow.GetWatchdogThread(), ::GetCurrentProcess(), &thread, 0,
                                  FALSE, DUPLICATE_SAME_ACCESS));
    ASSERT_TRUE(slow.IsPresent());
    slow.Remove();
    EXPECT_EQ(::WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "the watchdog has ended";
    DWORD code = 0;
    ::GetExitCodeThread(thread, &code);
    EXPECT_EQ(code, 0u) << "ended by itself, not terminated";
    ::CloseHandle(thread);
    EXPECT_FALSE(slow.IsPresent());
    slow.Remove();  // again: nothing
}

TEST(TrayIconImage, GreyCopyHasOnlyGreyPixels)
{
    HICON icon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLBOARD), IMAGE_ICON, 16, 16, 0));
    HICON grey = CToTray::GreyCopy(icon);
    ASSERT_TRUE(icon && grey);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(grey, &info));
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, info.hbmColor);
    for (int i = 0; i < 16 * 16; ++i) {
        COLORREF c = ::GetPixel(dc, i % 16, i / 16);
        ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << i % 16 << "," << i / 16;
    }
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    ::DestroyIcon(grey);
    ::DestroyIcon(icon);
}

TEST(MainPopups, TrayMenuItemsAndItsSharedProgramMenuSurvives)
{
    HMENU program = ::CreatePopupMenu();
    ::AppendMenuW(program, MF_STRING, ID_APP_EXIT, L"Exit");
    HMENU tray = BuildTrayMenu(program);
    ASSERT_TRUE(tray);
    // No live note: the menu begins with "New Note".
    const UINT expected[] = {ID_NEW_NOTE, ID_SHOW_ALL, ID_HIDE_ALL, 0, ID_APP_EXIT, UINT(-1), 0, ID_BRING_TO_FRONT};
    ASSERT_EQ(::GetMenuItemCount(tray), static_cast<int>(std::size(expected)));
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i)
        EXPECT_EQ(::GetMenuItemID(tray, i), expected[i]) << "item " << i;
    EXPECT_EQ(::GetSubMenu(tray, 5), program);

    DestroyTrayMenu(tray, program);
    EXPECT_FALSE(::IsMenu(tray));
    EXPECT_TRUE(::IsMenu(program)) << "the command bar's Program menu must outlive the tray menu";
    EXPECT_EQ(::GetMenuItemCount(program), 1);
    ::DestroyMenu(program);
}

TEST(MainPopups, NewNoteMenuChecksHideBarsOnlyWhenSet)
{
    for (bool hideBars : {false, true}) {
        HMENU menu = BuildNewNoteMenu(hideBars);
        ASSERT_EQ(::GetMenuItemCount(menu), 5);
        const UINT ids[] = {ID_SHOW_ALL, ID_HIDE_ALL, 0, ID_DELETE_ALL, ID_HIDE_BARS};
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(::GetMenuItemID(menu, i), ids[i]);
        EXPECT_EQ((::GetMenuState(menu, ID_HIDE_BARS, MF_BYCOMMAND) & MF_CHECKED) != 0, hideBars);
        ::DestroyMenu(menu);
    }
}

namespace {

const wchar_t kTestValue[] = L"QuillboardUnitTest";

void WriteRaw(const std::wstring& text, bool withZero)
{
    HKEY key = nullptr;
    ASSERT_EQ(::RegOpenKeyW(HKEY_CURRENT_USER, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", &key),
              ERROR_SUCCESS);
    const DWORD bytes = static_cast<DWORD>((text.size() + (withZero ? 1 : 0)) * sizeof(wchar_t));
    ::RegSetValueExW(key, kTestValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), bytes);
    ::RegCloseKey(key);
}

}  // namespace

TEST(Autostart, OtherOrLongPathsAreRewrittenAndDataEndsAtItsStoredLength)
{
    const std::wstring expected = AutostartCommand(GetProgramPath());
    const std::wstring otherCase = L"\"" + std::wstring(GetProgramPath()).replace(0, 1, L"z") + L"\" -bg";
    const std::wstring longPath = L"\"C:\\" + std::wstring(1200, L'd') + L"\\Quillboard.exe\" -bg";
    const struct {
        std::wstring stored;
        bool withZero;
    } cases[] = {
        {L"\"C:\\Old\\Quillboard.exe\" -bg", false},
        {otherCase, false},
        {longPath, false},
        {expected, false},
        {expected, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "stored length " << c.stored.size() << " zero " << c.withZero);
        WriteRaw(c.stored, c.withZero);
        EXPECT_EQ(ReadRunValue(kTestValue, false), c.stored) << "read whole, without its terminator";
        EXPECT_TRUE(IsAutostartOn(kTestValue, false));
        EXPECT_EQ(ReadRunValue(kTestValue, false), expected);
    }
    // A long value is written whole; off leaves nothing.
    ASSERT_TRUE(WriteRunValue(kTestValue, longPath, false));
    EXPECT_EQ(ReadRunValue(kTestValue, false), longPath);
    ASSERT_TRUE(RemoveAutostart(kTestValue, false));
    EXPECT_FALSE(IsAutostartOn(kTestValue, false));
}
