#include "timenotes/TitleStrip.h"

#include "timenotes/DateFormatTool.h"
#include "timenotes/SysTimeTool.h"

std::wstring BuildTitleStrip(const TimeNoteSchedule* schedule, std::wstring* nextOccurrence, const NowClock& now)
{
    if (!schedule) {
        // A clock that is not the system's may bring any day of week.
        SYSTEMTIME moment = now();
        RefreshDayOfWeek(moment);
        return L" " + GetWeekdayName(moment) + L" " + DateFormatTool().Format(moment);
    }

    TimeNoteCalc calc;
    calc.m_now = now;
    calc.m_weekdays.Clear();
    calc.m_weekdays.Check(ClampWeekday(schedule->weekday));

    // A serial out of the platform's range counts as serial 0.0, like every other failed conversion.
    SYSTEMTIME moment = {};
    if (!SerialToMoment(schedule->date, moment))
        SerialToMoment(0.0, moment);
    calc.CalcNextOccurrence(schedule->kind, moment);

    const std::wstring formatted = DateFormatTool().Format(moment);
    if (nextOccurrence)
        *nextOccurrence = formatted;
    return GetWeekdayName(moment) + L" " + formatted + L" " + TimeNoteCalc::GetKindName(schedule->kind);
}

void UpdateTitleStrip(HWND titleStrip, const TimeNoteSchedule* schedule, std::wstring* nextOccurrence)
{
    const std::wstring text = BuildTitleStrip(schedule, nextOccurrence);
    if (titleStrip)
        SetWindowTextW(titleStrip, text.c_str());
}
