// Next occurrence of every schedule kind against fixed moments, and the title strip built from it.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "lang/LanguageTable.h"
#include "tests/unit/LangState.h"
#include "timenotes/DateFormatTool.h"
#include "timenotes/SysTimeTool.h"
#include "timenotes/TimeNoteCalc.h"
#include "timenotes/TitleStrip.h"

namespace {

enum : unsigned { Sun = 1, Mon = 2, Tue = 4, Wed = 8, Thu = 16, Fri = 32, Sat = 64 };

SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    // Day of week 7 is deliberately wrong: only conversions may supply it.
    return SYSTEMTIME{WORD(y), WORD(mo), 7, WORD(d), WORD(h), WORD(mi), WORD(s), 0};
}

std::string Str(const SYSTEMTIME& m)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", m.wYear, m.wMonth, m.wDay, m.wHour, m.wMinute,
                  m.wSecond);
    return buf;
}

NowClock Fixed(const SYSTEMTIME& now)
{
    return [now] { return now; };
}

// The schedule's next occurrence for `chosen` when the clock reads `now`.
SYSTEMTIME Next(ScheduleKind kind, const SYSTEMTIME& chosen, const SYSTEMTIME& now, unsigned checked)
{
    TimeNoteCalc calc;
    calc.m_now = Fixed(now);
    for (int d = 0; d < 7; d++)
        calc.m_weekdays.Check(d, (checked >> d) & 1);
    SYSTEMTIME m = chosen;
    calc.CalcNextOccurrence(kind, m);
    return m;
}

}  // namespace

TEST(CalcNextOccurrence, EveryKindAgainstFixedMoments)
{
    const struct {
        ScheduleKind kind;
        SYSTEMTIME chosen, now;
        unsigned checked;
        const char* expected;
    } cases[] = {
        // The exact moment stays this year; one second later it is next year's.
        {1, At(2025, 3, 14, 10), At(2026, 3, 14, 10, 0, 0), 0, "2026-03-14 10:00:00"},
        {1, At(2025, 3, 14, 10), At(2026, 3, 14, 10, 0, 1), 0, "2027-03-14 10:00:00"},
        {1, At(2024, 2, 29, 8), At(2025, 1, 1), 0, "2025-02-28 08:00:00"},
        // Always the month after this one, even with the chosen day of this month still ahead.
        {2, At(2025, 6, 20, 8, 30), At(2025, 12, 5), 0, "2026-01-20 08:30:00"},
        {2, At(2025, 1, 31, 7), At(2025, 3, 10), 0, "2025-04-30 07:00:00"},
        {3, At(2025, 5, 3, 17), At(2025, 12, 31, 18), 0, "2026-01-31 17:00:00"},
        {3, At(2025, 5, 3, 19), At(2025, 12, 31, 18), 0, "2025-12-31 19:00:00"},
        // Only today's weekday: a week on, whether the chosen time is still ahead today or not.
        {4, At(2020, 1, 1, 23), At(2025, 3, 12, 12), Wed, "2025-03-19 23:00:00"},
        {4, At(2020, 1, 1, 7), At(2025, 3, 12, 12), Wed, "2025-03-19 07:00:00"},
        {4, At(2020, 1, 1, 6), At(2025, 3, 14, 20), Sat, "2025-03-15 06:00:00"},
        // Today is the first Monday, but its time has passed.
        {5, At(2020, 1, 1, 9), At(2025, 3, 3, 12), Mon, "2025-04-07 09:00:00"},
        {7, At(2020, 1, 1, 9), At(2025, 2, 10), Mon, "2025-04-07 09:00:00"},
        {7, At(2020, 1, 1, 9), At(2025, 11, 20), Mon, "2026-01-05 09:00:00"},
        {8, At(2020, 1, 1, 9), At(2025, 11, 15), Fri, "2025-12-26 09:00:00"},
        {8, At(2020, 1, 1, 9), At(2025, 12, 31), Fri, "2026-03-27 09:00:00"},
        // Several checked days: only the lowest, Sunday, counts (Monday 10 March 2025).
        {5, At(2020, 1, 1, 9), At(2025, 3, 10), Sun | Mon | Sat, "2025-04-06 09:00:00"},
        {8, At(2020, 1, 1, 9), At(2025, 3, 10), Sun | Sat, "2025-03-30 09:00:00"},
    };
    for (const auto& c : cases) {
        const SYSTEMTIME m = Next(c.kind, c.chosen, c.now, c.checked);
        EXPECT_EQ(c.expected, Str(m)) << "kind " << c.kind << " now " << Str(c.now);
        // Kinds 1 and 2 move year and month by hand: the weekday shown must still be the result's own.
        SYSTEMTIME fresh = m;
        ASSERT_TRUE(SerialToMoment(MomentToSerial(m), fresh));
        EXPECT_EQ(GetWeekdayName(fresh), GetWeekdayName(m)) << "kind " << c.kind << ": " << Str(m);
    }
}

TEST(CalcNextOccurrence, KindsWithoutAResultLeaveTheMomentAlone)
{
    const SYSTEMTIME chosen = At(2020, 6, 15, 12, 30);
    const struct {
        ScheduleKind kind;
        unsigned checked;
    } cases[] = {{0, Mon}, {-1, Mon}, {9, Mon}, {INT_MAX, Mon}, {INT_MIN, Mon}, {5, 0}, {6, 0}, {7, 0}, {8, 0}};
    for (const auto& c : cases) {
        const SYSTEMTIME m = Next(c.kind, chosen, At(2025, 3, 14, 10), c.checked);
        EXPECT_EQ(0, memcmp(&m, &chosen, sizeof m)) << "kind " << c.kind << ": " << Str(m);
        if (c.kind < 0 || c.kind > 8) {
            EXPECT_STREQ(L"?", TimeNoteCalc::GetKindName(c.kind)) << "kind " << c.kind;
        }
    }
}

using TitleStripInEnglish = LangStateTest;

TEST_F(TitleStripInEnglish, TimeNoteWeekdayAndDateOutOfRange)
{
    g_lang_index = 1;
    TimeNoteSchedule schedule;
    schedule.date = MomentToSerial(At(2025, 3, 14, 10));  // the time of day the next occurrence keeps
    std::wstring next;
    // The note's weekday is pulled into the week: 42 counts as Saturday, -3 as Sunday.
    schedule.kind = kScheduleFirstWeekdayInMonth;
    const int weekdays[][2] = {{42, 5}, {-3, 6}};  // the note's weekday, the day of April 2025 it gives
    for (const auto& w : weekdays) {
        schedule.weekday = w[0];
        BuildTitleStrip(&schedule, &next, Fixed(At(2025, 3, 10, 12)));
        EXPECT_EQ(DateFormatTool().Format(At(2025, 4, w[1], 10)), next) << "weekday " << w[0];
    }
    schedule.kind = kScheduleSimple;
    schedule.date = 1e300;  // beyond the platform's range: counts as serial 0
    BuildTitleStrip(&schedule, &next, Fixed(At(2026, 1, 10)));
    EXPECT_EQ(DateFormatTool().Format(At(1899, 12, 30)), next);
}

TEST(TitleStrip, PartsThatCannotBeFormattedStayEmpty)
{
    SYSTEMTIME m = At(2024, 2, 29, 13, 45, 30);
    m.wMonth = 13;
    const std::wstring noDate = DateFormatTool().Format(m);
    EXPECT_EQ(L" ", noDate.substr(0, 1)) << "no date part";
    m = At(2024, 2, 29, 25);
    const std::wstring noTime = DateFormatTool().Format(m);
    EXPECT_TRUE(noTime.size() > 1 && noTime.back() == L' ') << "no time part";
}
