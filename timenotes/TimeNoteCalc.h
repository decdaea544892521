// The next-occurrence calculation of a time note; the time-note dialog builds on it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "timenotes/ScheduleRules.h"
#include "timenotes/TimeNoteSchedule.h"

// Source of the current moment; tests put a fixed moment in.
using NowClock = std::function<SYSTEMTIME()>;
SYSTEMTIME LocalNow();

class TimeNoteCalc {
public:
    virtual ~TimeNoteCalc() = default;

    // On entry the schedule's chosen moment, on return its next occurrence after now (or as the
    // kind leaves it). Every result keeps the chosen time of day and carries its true day of week.
    void CalcNextOccurrence(ScheduleKind kind, SYSTEMTIME& moment) const;

    // Language text 57 + kind, looked up on every call; "?" for a kind outside 0..8. Never null.
    static const wchar_t* GetKindName(ScheduleKind kind);

    WeekdaySet m_weekdays;
    NowClock m_now = LocalNow;
};

// Full name of the moment's day of week in the user's locale; empty for a day of week outside 0..6.
std::wstring GetWeekdayName(const SYSTEMTIME& moment);
