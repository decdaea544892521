// The time-note dialog: schedule kind, date, time of day and weekday, with a live preview of the
// next occurrence. Kind and weekday are program-wide settings, written the moment they change.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "res/resource.h"
#include "timenotes/TimeNoteCalc.h"
#include "timenotes/TimeNoteSchedule.h"
#include "ui/Dialog.h"

class Termin2019 : public CDialogImpl<Termin2019> {
public:
    enum { IDD = IDD_TIMENOTE };

    // Reads the stored weekday, pulls it into 0..6 and checks that one day.
    Termin2019();
    ~Termin2019() override;

    // Serial of the date field's date with the time field's time of day, as of the last preview.
    double ChosenMoment() const { return m_chosen; }
    const WeekdaySet& Weekdays() const { return m_calc.m_weekdays; }

    BEGIN_MSG_MAP(Termin2019)
    MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
    MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    COMMAND_HANDLER(IDOK, 0, OnOk)
    COMMAND_HANDLER(IDCANCEL, 0, OnCancel)
    COMMAND_HANDLER(IDC_TN_KIND, CBN_SELCHANGE, OnKindChanged)
    NOTIFY_CODE_HANDLER(TBN_DROPDOWN, OnDropDown)
    NOTIFY_CODE_HANDLER(DTN_DATETIMECHANGE, OnDateTimeChange)
    END_MSG_MAP()

    // The weekday menu's choice: command ID_TN_DAY_FIRST + day, or 0 when it was dismissed.
    void ChooseWeekday(UINT command);

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnOk(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnKindChanged(WORD, WORD, HWND, BOOL&);
    LRESULT OnDropDown(int, NMHDR* pnmh, BOOL&);
    LRESULT OnDateTimeChange(int, NMHDR* pnmh, BOOL&);

    void CenterOverOwner();
    void SetIcons();
    void FillKinds();
    void CreateWeekdayButton();
    void ReadDayNames();
    void UpdateWeekdayLabel();
    void ApplyKind();
    void Preview(int kind);
    int SelectedKind() const;

    std::wstring m_kindNames[kScheduleKindCount];
    std::wstring m_caption;
    std::wstring m_group;
    double m_chosen = 0.0;
    HWND m_weekdayButton = nullptr;
    std::wstring m_shortDays[7];
    std::wstring m_fullDays[7];
    TimeNoteCalc m_calc;
    HICON m_iconBig = nullptr;
    HICON m_iconSmall = nullptr;
};

// Runs the dialog owned by `owner`; on OK fills the schedule from the two settings and the chosen
// moment and returns true. Cancel leaves the schedule alone.
bool RunTimeNoteDialog(HWND owner, TimeNoteSchedule* schedule);
