// The time-note dialog that command 2032 opens on the running program's main window.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace e2e;

namespace {

HWND OpenDialog(const QuillProcess& p, HWND main)
{
    ::PostMessageW(main, WM_COMMAND, ID_NEW_TIME_NOTE, 0);
    return WaitForBox(p, main, [](HWND box) { return ::GetDlgItem(box, IDC_TN_KIND) != nullptr; });
}

int Kind(HWND dialog)
{
    return int(::SendDlgItemMessageW(dialog, IDC_TN_KIND, CB_GETCURSEL, 0, 0));
}

bool Shown(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

}  // namespace

// Info and the time-note dialog open only for notification code 0; the dialog opens with the stored kind, and
// Cancel keeps the changed one.
TEST(TimeNoteCommand, InfoBoxAndTheDialogWithTheStoredKind)
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Quillboard", L"m_default_note_time_task", L"3");
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    EXPECT_TRUE(SendCommand(main, ID_INFO, 1)) << "code 1 opens no Info box";
    EXPECT_EQ(nullptr, WaitForBox(p, main, nullptr, 0));
    ::PostMessageW(main, WM_COMMAND, ID_INFO, 0);
    HWND box = WaitForBox(p, main, nullptr);
    ASSERT_TRUE(box);
    EXPECT_EQ(L"Info", WindowText(box));
    EXPECT_EQ(0u, BoxText(box).find(L"Quillboard is a small Windows tool")) << "the box's text";
    EXPECT_EQ(main, ::GetWindow(box, GW_OWNER));
    EXPECT_TRUE(CloseBox(box));

    EXPECT_TRUE(SendCommand(main, ID_NEW_TIME_NOTE, 1)) << "code 1 opens no dialog";
    HWND dialog = OpenDialog(p, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(L"Next note on", WindowText(dialog));
    EXPECT_EQ(3, Kind(dialog));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_TN_DATE)));
    EXPECT_FALSE(Shown(dialog, IDC_TN_WEEKDAY_BUTTON));

    ::SendDlgItemMessageW(dialog, IDC_TN_KIND, CB_SETCURSEL, 4, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TN_KIND, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_TN_KIND)));
    EXPECT_FALSE(Shown(dialog, IDC_TN_DATE));
    EXPECT_TRUE(Shown(dialog, IDC_TN_WEEKDAY_BUTTON));
    EXPECT_EQ(L"4", IniRead(ini, L"Quillboard", L"m_default_note_time_task")) << "written at once";

    ASSERT_TRUE(CloseBox(dialog, IDCANCEL));
    dialog = OpenDialog(p, main);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(4, Kind(dialog)) << "Cancel keeps the changed kind";
    EXPECT_TRUE(CloseBox(dialog));
}
