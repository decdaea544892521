// The time-note dialog, run modally as the main window runs it; each case acts from inside its loop.
#include "app/Config.h"
#include "app/ProgramCommands.h"
#include "app/DefaultSettings.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "timenotes/SysTimeTool.h"
#include "timenotes/Termin2019.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <string>

namespace {

std::function<void(HWND)> g_act;

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM found)
{
    if (::IsWindowVisible(hWnd) && ::GetDlgItem(hWnd, IDC_TN_KIND)) {
        *reinterpret_cast<HWND*>(found) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// Runs the case once the dialog is up, then lets the loop go on.
void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND dialog = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog)
        return;
    ::KillTimer(nullptr, id);
    g_act(dialog);
}

bool RunWith(const std::function<void(HWND)>& act, TimeNoteSchedule* schedule)
{
    g_act = act;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Tick);
    const bool ok = RunTimeNoteDialog(nullptr, schedule);
    ::KillTimer(nullptr, timer);
    return ok;
}

std::wstring ButtonText(HWND dialog)
{
    wchar_t text[100] = {};
    ::SendDlgItemMessageW(dialog, IDC_TN_WEEKDAY_BUTTON, TB_GETBUTTONTEXTW, ID_TN_WEEKDAY,
                          reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[100] = {};
    ::GetWindowTextW(hWnd, text, 100);
    return text;
}

std::wstring DayName(LCTYPE item)
{
    wchar_t name[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, 80);
    return name;
}

SYSTEMTIME Picker(HWND dialog, int id)
{
    SYSTEMTIME st = {};
    ::SendDlgItemMessageW(dialog, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

bool Shown(HWND dialog, int id)
{
    return ::IsWindowVisible(::GetDlgItem(dialog, id)) != FALSE;
}

class TimeNoteDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheLanguageTable().fileMode = 0;
        ASSERT_TRUE(LoadLanguageTable());
        wchar_t temp[MAX_PATH], file[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        ::GetTempFileNameW(temp, L"qbt", 0, file);
        m_ini = file;
        SetConfigPathForTesting(m_ini);
        m_default_note_time_task.Load();
        wd_checked_cur.Load();
    }
    void TearDown() override { ::DeleteFileW(m_ini.c_str()); }
    int Stored(const wchar_t* key) { return ReadProfileInt(kProgramName, key, -100); }
    std::wstring m_ini;
};

}  // namespace

TEST_F(TimeNoteDialog, StartsWithTheStoredKindAndCancelKeepsAChangedOne)
{
    WriteProfileInt(kProgramName, L"m_default_note_time_task", 3);
    WriteProfileInt(kProgramName, L"wd_checked_cur", 9);  // pulled into 0..6: Saturday
    TimeNoteSchedule schedule;
    schedule.kind = -7;
    const bool ok = RunWith(
        [](HWND dialog) {
            EXPECT_EQ(L"Next note on", WindowText(dialog));
            EXPECT_EQ(3, ::SendDlgItemMessageW(dialog, IDC_TN_KIND, CB_GETCURSEL, 0, 0));
            EXPECT_TRUE(Shown(dialog, IDC_TN_DATE));
            EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_TN_DATE))) << "kind 3 disables the date";
            EXPECT_FALSE(Shown(dialog, IDC_TN_WEEKDAY_BUTTON));

            ::SendDlgItemMessageW(dialog, IDC_TN_KIND, CB_SETCURSEL, kScheduleFirstWeekdayInMonth, 0);
            ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_TN_KIND, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDC_TN_KIND)));
            EXPECT_FALSE(Shown(dialog, IDC_TN_DATE));
            EXPECT_TRUE(Shown(dialog, IDC_TN_WEEKDAY_BUTTON));
            EXPECT_EQ(DayName(LOCALE_SDAYNAME6), ButtonText(dialog)) << "the stored weekday, full name";

            auto* self = static_cast<Termin2019*>(CDialogImplBase::FromHandle(dialog));
            self->ChooseWeekday(ID_TN_DAY_FIRST + 3);
            EXPECT_EQ(DayName(LOCALE_SDAYNAME3), ButtonText(dialog));
            EXPECT_FALSE(self->Weekdays().IsChecked(6)) << "one day checked after every choice";
            self->ChooseWeekday(0);  // dismissed
            EXPECT_EQ(DayName(LOCALE_SDAYNAME3), ButtonText(dialog));
            ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        },
        &schedule);
    EXPECT_FALSE(ok);
    EXPECT_EQ(-7, schedule.kind) << "Cancel leaves the schedule alone";
    EXPECT_EQ(kScheduleFirstWeekdayInMonth, Stored(L"m_default_note_time_task")) << "kept for next time";
    EXPECT_EQ(3, Stored(L"wd_checked_cur"));
}

TEST_F(TimeNoteDialog, OkHandsOverKindWeekdayAndTheChosenMoment)
{
    const struct {
        int kind;
        int weekday;
    } cases[] = {{kScheduleSimple, 1}, {kScheduleEveryWeekday, 5}, {42, 0}};
    for (const auto& c : cases) {
        WriteProfileInt(kProgramName, L"m_default_note_time_task", c.kind);
        WriteProfileInt(kProgramName, L"wd_checked_cur", c.weekday);
        double chosen = -1;
        TimeNoteSchedule schedule;
        const bool ok = RunWith(
            [&](HWND dialog) {
                const SYSTEMTIME date = Picker(dialog, IDC_TN_DATE), time = Picker(dialog, IDC_TN_TIME);
                SYSTEMTIME moment = {date.wYear, date.wMonth, 0, date.wDay, time.wHour, time.wMinute, time.wSecond, 0};
                chosen = MomentToSerial(moment);
                if (c.kind == kScheduleSimple || c.kind == 42) {
                    const SYSTEMTIME preview = Picker(dialog, IDC_TN_PREVIEW_DATE);
                    EXPECT_EQ(date.wDay, preview.wDay) << "the preview is the chosen moment, kind " << c.kind;
                    EXPECT_EQ(time.wMinute, Picker(dialog, IDC_TN_PREVIEW_TIME).wMinute);
                }
                if (c.kind == 42) {
                    EXPECT_EQ(CB_ERR, ::SendDlgItemMessageW(dialog, IDC_TN_KIND, CB_GETCURSEL, 0, 0));
                    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dialog, IDC_TN_DATE)));
                }
                ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            },
            &schedule);
        ASSERT_TRUE(ok) << c.kind;
        EXPECT_EQ(c.kind, schedule.kind);
        EXPECT_EQ(c.weekday, schedule.weekday);
        EXPECT_DOUBLE_EQ(chosen, schedule.date);
    }
}

namespace {

struct NewNoteCall {
    int calls = 0;
    HWND owner = nullptr;
    bool timeNote = false;
    TimeNoteSchedule schedule;
} g_newNoteCall;

void RecordNewNote(HWND owner, bool timeNote, const TimeNoteSchedule* schedule)
{
    g_newNoteCall.calls++;
    g_newNoteCall.owner = owner;
    g_newNoteCall.timeNote = timeNote;
    if (schedule)
        g_newNoteCall.schedule = *schedule;
}

}  // namespace

TEST_F(TimeNoteDialog, CommandCreatesATimeNoteOnlyAfterOk)
{
    WriteProfileInt(kProgramName, L"m_default_note_time_task", kScheduleEveryYear);
    WriteProfileInt(kProgramName, L"wd_checked_cur", 4);
    SetNewNoteForTesting(RecordNewNote);
    CProgramCommands commands(nullptr);
    HWND main = ::CreateWindowW(L"STATIC", L"main", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    for (UINT button : {IDCANCEL, IDOK}) {
        g_act = [button](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, button, 0); };
        const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Tick);
        LRESULT result = 0;
        EXPECT_TRUE(commands.ProcessWindowMessage(main, WM_COMMAND, ID_NEW_TIME_NOTE, 0, result));
        ::KillTimer(nullptr, timer);
    }
    SetNewNoteForTesting(nullptr);
    ::DestroyWindow(main);
    ASSERT_EQ(1, g_newNoteCall.calls) << "Cancel creates nothing";
    EXPECT_EQ(main, g_newNoteCall.owner);
    EXPECT_TRUE(g_newNoteCall.timeNote);
    EXPECT_EQ(kScheduleEveryYear, g_newNoteCall.schedule.kind);
    EXPECT_EQ(4, g_newNoteCall.schedule.weekday);
    EXPECT_GT(g_newNoteCall.schedule.date, 40000.0) << "the chosen moment, today's date";
}
