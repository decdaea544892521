// The tray icon's watchdog and the autostart value, in the test process.
#include <gtest/gtest.h>

#include <windows.h>

#include <shellapi.h>

#include <string>

#include "app/Autostart.h"
#include "app/Config.h"
#include "res/resource.h"
#include "shell/ToTray.h"
#include "tests/TestSupport.h"
#include "tests/unit/TestWindow.h"

namespace {

bool g_refreshAsked = false;

LRESULT CALLBACK OwnerProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    g_refreshAsked |= msg == WM_TRAY_REFRESH;
    return ::DefWindowProcW(hWnd, msg, wParam, lParam);
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
        m_owner = test::NewWindow(L"QbTrayOwner", OwnerProc);
        ASSERT_TRUE(m_owner);
        g_refreshAsked = false;
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
    ASSERT_TRUE(test::PumpUntil([] { return g_refreshAsked; }, 10000)) << "the watchdog posts a refresh";
    EXPECT_FALSE(m_tray.IsPresent()) << "the watchdog thread must not add the icon itself";
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
