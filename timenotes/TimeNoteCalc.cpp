#include "timenotes/TimeNoteCalc.h"

#include <string>

#include "lang/LanguageTable.h"
#include "timenotes/SysTimeTool.h"

SYSTEMTIME LocalNow()
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    return now;
}

namespace {

// Kinds 1 and 2 set the year or month directly; a day the target month lacks (29 February,
// a 31st) falls back to that month's last day instead of spilling into the month after.
void SetYearMonth(SYSTEMTIME& moment, int year, int month, int chosenDay)
{
    moment.wYear = static_cast<WORD>(year);
    moment.wMonth = static_cast<WORD>(month);
    moment.wDay = static_cast<WORD>(ClampDayToMonth(year, month, chosenDay));
}

void NextEveryYear(const SYSTEMTIME& now, double nowSerial, SYSTEMTIME& moment)
{
    const int chosenDay = moment.wDay;
    SetYearMonth(moment, now.wYear, moment.wMonth, chosenDay);
    if (nowSerial > MomentToSerial(moment))
        SetYearMonth(moment, now.wYear + 1, moment.wMonth, chosenDay);
}

// Always the month after the current one, even when the chosen day of this month is still ahead.
void NextEveryMonth(const SYSTEMTIME& now, SYSTEMTIME& moment)
{
    int year = now.wYear;
    int month = now.wMonth + 1;
    if (month > 12) {
        month = 1;
        ++year;
    }
    SetYearMonth(moment, year, month, moment.wDay);
}

void NextEveryWeekday(const SYSTEMTIME& now, const WeekdaySet& weekdays, SYSTEMTIME& moment)
{
    SYSTEMTIME base = now;
    base.wHour = moment.wHour;
    base.wMinute = moment.wMinute;
    base.wSecond = moment.wSecond;
    base.wMilliseconds = moment.wMilliseconds;
    const double baseSerial = MomentToSerial(base);
    SYSTEMTIME today = base;
    SerialToMoment(baseSerial, today);
    const int k = weekdays.DaysToNextChecked(today.wDayOfWeek);
    moment = base;
    SerialToMoment(baseSerial + k, moment);
}

}  // namespace

void TimeNoteCalc::CalcNextOccurrence(ScheduleKind kind, SYSTEMTIME& moment) const
{
    const SYSTEMTIME now = m_now();
    const double nowSerial = MomentToSerial(now);
    SysTimeTool tool;
    switch (kind) {
        case kScheduleSimple:
            return;
        case kScheduleEveryYear:
            NextEveryYear(now, nowSerial, moment);
            break;
        case kScheduleEveryMonth:
            NextEveryMonth(now, moment);
            break;
        case kScheduleMonthLastDay:
            tool.NextLastDayOfMonth(now, moment);
            break;
        case kScheduleEveryWeekday:
            NextEveryWeekday(now, m_weekdays, moment);
            break;
        case kScheduleFirstWeekdayInMonth:
        case kScheduleLastWeekdayInMonth:
        case kScheduleFirstWeekdayInQuarter:
        case kScheduleLastWeekdayInQuarter: {
            const int weekday = m_weekdays.Lowest();
            if (weekday < 0)
                return;
            if (kind == kScheduleFirstWeekdayInMonth)
                tool.NextFirstWeekdayInMonth(now, moment, weekday);
            else if (kind == kScheduleLastWeekdayInMonth)
                tool.NextLastWeekdayInMonth(now, moment, weekday);
            else if (kind == kScheduleFirstWeekdayInQuarter)
                tool.NextFirstWeekdayInQuarter(now, moment, weekday);
            else
                tool.NextLastWeekdayInQuarter(now, moment, weekday);
            break;
        }
        default:
            return;
    }
    // Kinds 1 and 2 move year and month by hand, which leaves the chosen date's day of week behind.
    RefreshDayOfWeek(moment);
}

const wchar_t* TimeNoteCalc::GetKindName(ScheduleKind kind)
{
    if (kind < 0 || kind >= kScheduleKindCount)
        return L"?";
    const wchar_t* name = GetLangString(57 + kind);
    return name ? name : L"";
}

std::wstring GetWeekdayName(const SYSTEMTIME& moment)
{
    if (moment.wDayOfWeek > 6)
        return std::wstring();
    const LCTYPE item = moment.wDayOfWeek == 0 ? LOCALE_SDAYNAME7 : LOCALE_SDAYNAME1 + moment.wDayOfWeek - 1;
    wchar_t name[500] = {};
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, 500))
        return std::wstring();
    return name;
}
