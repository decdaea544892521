#include "timenotes/ScheduleRules.h"

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

int ClampDayToMonth(int year, int month, int day)
{
    const int last = DaysInMonth(year, month);
    if (last == 0)
        return day;
    if (day < 1)
        return 1;
    return day > last ? last : day;
}

int QuarterStartMonth(int month)
{
    if (month < 1)
        month = 1;
    if (month > 12)
        month = 12;
    return (month - 1) / 3 * 3 + 1;
}

int QuarterEndMonth(int month)
{
    return QuarterStartMonth(month) + 2;
}

int ClampWeekday(int weekday)
{
    return weekday < 0 ? 0 : weekday > 6 ? 6 : weekday;
}

void WeekdaySet::Clear()
{
    for (int32_t& c : checked)
        c = 0;
}

void WeekdaySet::Check(int weekday, bool on)
{
    if (weekday >= 0 && weekday < 7)
        checked[weekday] = on ? 1 : 0;
}

bool WeekdaySet::IsChecked(int weekday) const
{
    return weekday >= 0 && weekday < 7 && checked[weekday] != 0;
}

int WeekdaySet::Lowest() const
{
    for (int d = 0; d < 7; ++d)
        if (checked[d])
            return d;
    return -1;
}

int WeekdaySet::DaysToNextChecked(int today) const
{
    today = ((today % 7) + 7) % 7;
    for (int k = 1; k <= 7; ++k)
        if (checked[(today + k) % 7])
            return k;
    return 0;
}
