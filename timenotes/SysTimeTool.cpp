#include "timenotes/SysTimeTool.h"

#include <oleauto.h>

#include "timenotes/ScheduleRules.h"

double MomentToSerial(const SYSTEMTIME& moment)
{
    SYSTEMTIME copy = moment;
    double serial = 0.0;
    if (!SystemTimeToVariantTime(&copy, &serial))
        serial = 0.0;
    return serial;
}

bool SerialToMoment(double serial, SYSTEMTIME& moment)
{
    SYSTEMTIME out = {};
    if (!VariantTimeToSystemTime(serial, &out))
        return false;
    moment = out;
    return true;
}

void RefreshDayOfWeek(SYSTEMTIME& moment)
{
    SYSTEMTIME copy = moment;
    double serial = 0.0;
    if (!SystemTimeToVariantTime(&copy, &serial))
        return;
    SYSTEMTIME converted;
    if (SerialToMoment(serial, converted))
        moment.wDayOfWeek = converted.wDayOfWeek;
}

namespace {

bool CanConvert(const SYSTEMTIME& moment)
{
    SYSTEMTIME copy = moment;
    double serial = 0.0;
    return SystemTimeToVariantTime(&copy, &serial) != FALSE;
}

// now's date with the time of day of the schedule's moment.
SYSTEMTIME DateWithTimeOf(const SYSTEMTIME& date, const SYSTEMTIME& time)
{
    SYSTEMTIME m = date;
    m.wHour = time.wHour;
    m.wMinute = time.wMinute;
    m.wSecond = time.wSecond;
    m.wMilliseconds = time.wMilliseconds;
    return m;
}

SYSTEMTIME AddDays(const SYSTEMTIME& moment, double days)
{
    SYSTEMTIME out = moment;
    SerialToMoment(MomentToSerial(moment) + days, out);
    return out;
}

// Looks at `from` and the six days after it (step +1) or before it (step -1) for the weekday.
bool FindWeekday(const SYSTEMTIME& from, int weekday, double step, SYSTEMTIME& found)
{
    const double start = MomentToSerial(from);
    for (int i = 0; i < 7; ++i) {
        SYSTEMTIME day;
        if (SerialToMoment(start + step * i, day) && day.wDayOfWeek == weekday) {
            found = day;
            return true;
        }
    }
    return false;
}

// Takes the day into the moment when it lies strictly after now.
bool TakeIfLater(const SYSTEMTIME& day, double nowSerial, SYSTEMTIME& moment)
{
    if (MomentToSerial(day) <= nowSerial)
        return false;
    moment = day;
    return true;
}

}  // namespace

void SysTimeTool::FirstDayOfMonth(SYSTEMTIME& moment)
{
    if (!CanConvert(moment))
        return;
    SerialToMoment(MomentToSerial(moment) - (moment.wDay - 1), moment);
}

bool SysTimeTool::FirstDayOfNextMonth(SYSTEMTIME& moment)
{
    // An unconvertible moment would count as 30 December 1899 and "succeed" in 1900.
    if (!CanConvert(moment))
        return false;
    // Day 28 exists in every month; from there the next month is at most four steps on.
    double serial = MomentToSerial(moment) + (28 - moment.wDay);
    for (int i = 0; i < 8; ++i, serial += 1.0) {
        SYSTEMTIME step;
        if (!SerialToMoment(serial, step))
            return false;
        if (step.wMonth != moment.wMonth) {
            moment = step;
            return true;
        }
    }
    return false;
}

bool SysTimeTool::LastDayOfNextMonth(SYSTEMTIME& moment)
{
    SYSTEMTIME m = moment;
    if (!FirstDayOfNextMonth(m) || !FirstDayOfNextMonth(m))
        return false;
    moment = AddDays(m, -1.0);
    return true;
}

void SysTimeTool::NextLastDayOfMonth(const SYSTEMTIME& now, SYSTEMTIME& moment)
{
    const double nowSerial = MomentToSerial(now);
    SYSTEMTIME candidate = DateWithTimeOf(now, moment);
    if (!FirstDayOfNextMonth(candidate))
        return;
    candidate = AddDays(candidate, -1.0);
    if (TakeIfLater(candidate, nowSerial, moment))
        return;
    candidate = AddDays(candidate, 1.0);
    if (!FirstDayOfNextMonth(candidate))
        return;
    moment = AddDays(candidate, -1.0);
}

void SysTimeTool::NextFirstWeekdayInMonth(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday)
{
    const double nowSerial = MomentToSerial(now);
    SYSTEMTIME first = DateWithTimeOf(now, moment);
    FirstDayOfMonth(first);
    SYSTEMTIME day;
    if (FindWeekday(first, weekday, 1.0, day) && TakeIfLater(day, nowSerial, moment))
        return;
    if (FirstDayOfNextMonth(first) && FindWeekday(first, weekday, 1.0, day))
        moment = day;
}

void SysTimeTool::NextLastWeekdayInMonth(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday)
{
    const double nowSerial = MomentToSerial(now);
    const SYSTEMTIME candidate = DateWithTimeOf(now, moment);
    SYSTEMTIME last = candidate;
    SYSTEMTIME day;
    if (FirstDayOfNextMonth(last)) {
        last = AddDays(last, -1.0);
        if (FindWeekday(last, weekday, -1.0, day) && TakeIfLater(day, nowSerial, moment))
            return;
    }
    last = candidate;
    if (LastDayOfNextMonth(last) && FindWeekday(last, weekday, -1.0, day))
        TakeIfLater(day, nowSerial, moment);
}

void SysTimeTool::NextFirstWeekdayInQuarter(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday)
{
    const double nowSerial = MomentToSerial(now);
    const SYSTEMTIME candidate = DateWithTimeOf(now, moment);
    const int start = QuarterStartMonth(now.wMonth);
    SYSTEMTIME day;
    if (now.wMonth == start) {
        SYSTEMTIME first = candidate;
        FirstDayOfMonth(first);
        if (FindWeekday(first, weekday, 1.0, day) && TakeIfLater(day, nowSerial, moment))
            return;
    }
    SYSTEMTIME next = candidate;
    for (int month = now.wMonth; month < start + 3; ++month)
        if (!FirstDayOfNextMonth(next))
            return;
    if (FindWeekday(next, weekday, 1.0, day))
        TakeIfLater(day, nowSerial, moment);
}

void SysTimeTool::NextLastWeekdayInQuarter(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday)
{
    const double nowSerial = MomentToSerial(now);
    const SYSTEMTIME candidate = DateWithTimeOf(now, moment);
    const int end = QuarterEndMonth(now.wMonth);
    SYSTEMTIME last = candidate;
    if (now.wMonth == end) {
        if (!FirstDayOfNextMonth(last))
            return;
        last = AddDays(last, -1.0);
    } else {
        for (int month = now.wMonth; month < end; ++month)
            if (!LastDayOfNextMonth(last))
                return;
    }
    SYSTEMTIME day;
    if (FindWeekday(last, weekday, -1.0, day) && TakeIfLater(day, nowSerial, moment))
        return;
    for (int i = 0; i < 3; ++i)
        if (!LastDayOfNextMonth(last))
            return;
    if (FindWeekday(last, weekday, -1.0, day))
        TakeIfLater(day, nowSerial, moment);
}
