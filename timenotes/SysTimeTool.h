// Calendar stepping on moments (SYSTEMTIME) through OLE Automation serials, which keeps the time of day.
#pragma once

#include <windows.h>

// Serial of a moment; 0.0 when the platform cannot convert it. Day of week and milliseconds are ignored.
double MomentToSerial(const SYSTEMTIME& moment);
// Fills every field, the day of week included; false (moment untouched) when the serial is out of range.
bool SerialToMoment(double serial, SYSTEMTIME& moment);
// Sets the day of week from a serial conversion of the date; other fields stay as they are.
void RefreshDayOfWeek(SYSTEMTIME& moment);

class SysTimeTool {
public:
    virtual ~SysTimeTool() = default;

    void FirstDayOfMonth(SYSTEMTIME& moment);
    // False, with the moment unchanged, when it cannot be moved.
    bool FirstDayOfNextMonth(SYSTEMTIME& moment);
    bool LastDayOfNextMonth(SYSTEMTIME& moment);

    // The schedule moment brings its time of day; now brings the date. Weekday is 0 = Sunday .. 6.
    void NextLastDayOfMonth(const SYSTEMTIME& now, SYSTEMTIME& moment);
    void NextFirstWeekdayInMonth(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday);
    void NextLastWeekdayInMonth(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday);
    void NextFirstWeekdayInQuarter(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday);
    void NextLastWeekdayInQuarter(const SYSTEMTIME& now, SYSTEMTIME& moment, int weekday);
};
