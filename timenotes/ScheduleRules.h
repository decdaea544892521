// Calendar facts and weekday-set rules of the schedule calculation that need no platform calls.
#pragma once

#include <cstdint>

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
// The day number pulled into the month: a 31st in a thirty-day month becomes its 30th.
int ClampDayToMonth(int year, int month, int day);
// First and last month (1..12) of the quarter that holds month (1..12).
int QuarterStartMonth(int month);
int QuarterEndMonth(int month);
// Weekday index pulled into 0 (Sunday) .. 6 (Saturday).
int ClampWeekday(int weekday);

// Seven flags indexed by day of week, 0 = Sunday; non-zero means checked.
struct WeekdaySet {
    int32_t checked[7] = {};

    void Clear();
    void Check(int weekday, bool on = true);  // ignores an index outside 0..6
    bool IsChecked(int weekday) const;
    // Lowest checked index, or -1 when none is checked.
    int Lowest() const;
    // Days (1..7) from a day of week `today` to the next checked one, starting tomorrow, so
    // today's own weekday is a week away; 0 when none is checked.
    int DaysToNextChecked(int today) const;
};
