// What a time note carries: the rule, its weekday and the chosen moment.
#pragma once

#include <cstdint>

using ScheduleKind = int32_t;

enum : ScheduleKind {
    kScheduleSimple = 0,
    kScheduleEveryYear = 1,
    kScheduleEveryMonth = 2,
    kScheduleMonthLastDay = 3,
    kScheduleEveryWeekday = 4,
    kScheduleFirstWeekdayInMonth = 5,
    kScheduleLastWeekdayInMonth = 6,
    kScheduleFirstWeekdayInQuarter = 7,
    kScheduleLastWeekdayInQuarter = 8,
    kScheduleKindCount = 9,
};

// Handed from the time-note dialog to note creation; field order is fixed.
struct TimeNoteSchedule {
    int32_t kind = kScheduleSimple;  // a ScheduleKind
    int32_t weekday = 1;             // 0 = Sunday .. 6 = Saturday
    double date = 0.0;               // serial of the chosen date and time of day, not the next occurrence
};
