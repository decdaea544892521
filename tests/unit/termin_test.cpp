// Command 2032 with the time-note dialog, run modally as the main window runs it and driven from inside
// its loop: what the end-to-end test cannot see (the weekday choice, an unknown kind, the created note).
#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "app/ProgramCommands.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "timenotes/SysTimeTool.h"
#include "timenotes/Termin2019.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>

namespace {

std::function<void(HWND)> g_act;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found)
{
    if (!::IsWindowVisible(hWnd) || !::GetDlgItem(hWnd, IDC_TN_KIND))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = hWnd;
    return FALSE;
}

// Acts once the dialog is up.
void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog) {
        ::KillTimer(nullptr, id);
        g_act(dialog);
    }
}

struct NewNoteCall {
    int calls = 0;
    HWND owner = nullptr;
    bool timeNote = false;
    TimeNoteSchedule schedule;
} g_call;

void RecordNewNote(HWND owner, bool timeNote, const TimeNoteSchedule* schedule)
{
    g_call = {g_call.calls + 1, owner, timeNote, schedule ? *schedule : TimeNoteSchedule{}};
}

SYSTEMTIME Picker(HWND dialog, int id)
{
    SYSTEMTIME st = {};
    ::SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

}  // namespace

TEST(TimeNoteDialog, WeekdayChoiceIsStoredAndOnlyOkCreatesTheNoteWithTheSchedule)
{
    ASSERT_TRUE(LoadLanguageTable());
    test::TempIniFile ini;
    SetConfigPathForTesting(ini.Path());
    WriteProfileInt(kProgramName, L"m_default_note_time_task", 42);  // no such kind: named "?"
    WriteProfileInt(kProgramName, L"wd_checked_cur", 9);             // pulled into 0..6: Saturday
    SetNewNoteForTesting(RecordNewNote);
    CProgramCommands commands(nullptr);
    HWND main = ::CreateWindowW(L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // Only notification code 0 is a command: an accelerator's code 1 opens neither the dialog nor the Info box.
    for (UINT command : {ID_NEW_TIME_NOTE, ID_INFO}) {
        LRESULT ignored = 0;
        EXPECT_FALSE(commands.ProcessWindowMessage(main, WM_COMMAND, MAKEWPARAM(command, 1), 0, ignored)) << command;
    }
    double chosen = 0;
    for (UINT button : {IDCANCEL, IDOK}) {
        g_act = [&, button](HWND dialog) {
            EXPECT_EQ(CB_ERR, ::SendDlgItemMessageW(dialog, IDC_TN_KIND, CB_GETCURSEL, 0, 0));
            auto* self = static_cast<Termin2019*>(CDialogImplBase::FromHandle(dialog));
            EXPECT_TRUE(self->Weekdays().IsChecked(button == IDOK ? 3 : 6));
            self->ChooseWeekday(ID_TN_DAY_FIRST + 3);
            self->ChooseWeekday(0);  // dismissed: nothing changes
            EXPECT_FALSE(self->Weekdays().IsChecked(6)) << "one day checked after every choice";
            const SYSTEMTIME d = Picker(dialog, IDC_TN_DATE), t = Picker(dialog, IDC_TN_TIME);
            const SYSTEMTIME moment = {d.wYear, d.wMonth, 0, d.wDay, t.wHour, t.wMinute, t.wSecond, 0};
            chosen = MomentToSerial(moment);
            ::PostMessageW(dialog, WM_COMMAND, button, 0);
        };
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Tick);
        LRESULT result = 0;
        EXPECT_TRUE(commands.ProcessWindowMessage(main, WM_COMMAND, ID_NEW_TIME_NOTE, 0, result));
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(3, ReadProfileInt(kProgramName, L"wd_checked_cur", -1)) << "written at once";
    }
    SetNewNoteForTesting(nullptr);
    ::DestroyWindow(main);
    ASSERT_EQ(1, g_call.calls) << "Cancel creates nothing";
    EXPECT_EQ(main, g_call.owner);
    EXPECT_TRUE(g_call.timeNote);
    EXPECT_EQ(42, g_call.schedule.kind);
    EXPECT_EQ(3, g_call.schedule.weekday);
    EXPECT_DOUBLE_EQ(chosen, g_call.schedule.date);
}
