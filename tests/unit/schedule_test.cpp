// Next-occurrence calculation of every schedule kind against fixed moments.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

#include "timenotes/ScheduleRules.h"
#include "timenotes/SysTimeTool.h"
#include "timenotes/TimeNoteCalc.h"

namespace {

enum { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    SYSTEMTIME m = {};
    m.wYear = static_cast<WORD>(y);
    m.wMonth = static_cast<WORD>(mo);
    m.wDay = static_cast<WORD>(d);
    m.wHour = static_cast<WORD>(h);
    m.wMinute = static_cast<WORD>(mi);
    m.wSecond = static_cast<WORD>(s);
    m.wDayOfWeek = 7;  // deliberately wrong: only conversions may supply it
    return m;
}

std::string Str(const SYSTEMTIME& m)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", m.wYear, m.wMonth, m.wDay, m.wHour, m.wMinute,
                  m.wSecond);
    return buf;
}

// The schedule's next occurrence for `chosen` when the clock reads `now`.
SYSTEMTIME Next(ScheduleKind kind, const SYSTEMTIME& chosen, const SYSTEMTIME& now,
                std::initializer_list<int> checked = {})
{
    TimeNoteCalc calc;
    calc.m_now = [now] { return now; };
    for (int d : checked)
        calc.m_weekdays.Check(d);
    SYSTEMTIME m = chosen;
    calc.CalcNextOccurrence(kind, m);
    return m;
}

}  // namespace

TEST(CalendarRules, DaysInMonthAndClamping)
{
    EXPECT_EQ(29, DaysInMonth(2024, 2));
    EXPECT_EQ(28, DaysInMonth(2100, 2));
    EXPECT_EQ(29, DaysInMonth(2000, 2));
    EXPECT_EQ(30, DaysInMonth(2025, 11));
    EXPECT_EQ(0, DaysInMonth(2025, 13));
    EXPECT_EQ(28, ClampDayToMonth(2025, 2, 29));
    EXPECT_EQ(30, ClampDayToMonth(2025, 4, 31));
    EXPECT_EQ(1, ClampDayToMonth(2025, 4, 0));
    EXPECT_EQ(17, ClampDayToMonth(2025, 4, 17));
}

TEST(CalendarRules, Quarters)
{
    const int starts[13] = {0, 1, 1, 1, 4, 4, 4, 7, 7, 7, 10, 10, 10};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(starts[month], QuarterStartMonth(month)) << "month " << month;
        EXPECT_EQ(starts[month] + 2, QuarterEndMonth(month)) << "month " << month;
    }
}

TEST(CalendarRules, WeekdaySetSearch)
{
    WeekdaySet set;
    EXPECT_EQ(-1, set.Lowest());
    EXPECT_EQ(0, set.DaysToNextChecked(Fri));
    set.Check(Sat);
    set.Check(Mon);
    EXPECT_EQ(Mon, set.Lowest());
    EXPECT_EQ(1, set.DaysToNextChecked(Fri));
    EXPECT_EQ(2, set.DaysToNextChecked(Sat));  // Saturday itself is a week away, Monday comes first
    set.Check(9);                              // out of range: ignored
    set.Check(-1);
    EXPECT_EQ(Mon, set.Lowest());
    set.Clear();
    set.Check(Wed);
    EXPECT_EQ(7, set.DaysToNextChecked(Wed));
}

TEST(SysTimeToolTest, FirstDayOfMonthKeepsTime)
{
    SYSTEMTIME m = At(2024, 2, 29, 13, 45, 30);
    SysTimeTool().FirstDayOfMonth(m);
    EXPECT_EQ("2024-02-01 13:45:30", Str(m));
    EXPECT_EQ(Thu, m.wDayOfWeek);
}

TEST(SysTimeToolTest, FirstDayOfNextMonthFromEveryDayOfTheMonth)
{
    for (int day = 1; day <= 31; ++day) {
        SYSTEMTIME m = At(2025, 12, day, 17, 0, 0);
        ASSERT_TRUE(SysTimeTool().FirstDayOfNextMonth(m)) << "day " << day;
        EXPECT_EQ("2026-01-01 17:00:00", Str(m)) << "day " << day;
    }
    SYSTEMTIME feb = At(2024, 2, 29, 6, 0, 0);
    ASSERT_TRUE(SysTimeTool().FirstDayOfNextMonth(feb));
    EXPECT_EQ("2024-03-01 06:00:00", Str(feb));
}

TEST(SysTimeToolTest, FirstDayOfNextMonthRefusesAnUnconvertibleMoment)
{
    SYSTEMTIME m = At(2025, 13, 5, 8, 0, 0);
    EXPECT_FALSE(SysTimeTool().FirstDayOfNextMonth(m));
    EXPECT_EQ("2025-13-05 08:00:00", Str(m));
}

TEST(SysTimeToolTest, LastDayOfNextMonth)
{
    const struct {
        SYSTEMTIME from;
        const char* expected;
    } cases[] = {
        {At(2024, 1, 31, 9), "2024-02-29 09:00:00"}, {At(2025, 1, 15, 9), "2025-02-28 09:00:00"},
        {At(2025, 11, 30, 9), "2025-12-31 09:00:00"}, {At(2024, 12, 15, 9), "2025-01-31 09:00:00"},
        {At(2025, 3, 31, 9), "2025-04-30 09:00:00"},
    };
    for (const auto& c : cases) {
        SYSTEMTIME m = c.from;
        EXPECT_TRUE(SysTimeTool().LastDayOfNextMonth(m)) << Str(c.from);
        EXPECT_EQ(c.expected, Str(m)) << "from " << Str(c.from);
    }
}

TEST(CalcNextOccurrenceTest, SimpleKindAndUnknownKindsLeaveTheMomentAlone)
{
    const SYSTEMTIME chosen = At(2020, 6, 15, 12, 30, 0);
    for (ScheduleKind kind : {ScheduleKind(kScheduleSimple), -1, 9, INT_MAX, INT_MIN}) {
        const SYSTEMTIME m = Next(kind, chosen, At(2025, 3, 14, 10), {Mon});
        EXPECT_EQ(0, memcmp(&m, &chosen, sizeof m)) << "kind " << kind << ": " << Str(m);
    }
}

TEST(CalcNextOccurrenceTest, EveryYearAtTheExactMomentAndOneSecondLater)
{
    const SYSTEMTIME chosen = At(2025, 3, 14, 10, 0, 0);
    EXPECT_EQ("2026-03-14 10:00:00", Str(Next(kScheduleEveryYear, chosen, At(2026, 3, 14, 10, 0, 0))));
    EXPECT_EQ("2027-03-14 10:00:00", Str(Next(kScheduleEveryYear, chosen, At(2026, 3, 14, 10, 0, 1))));
    EXPECT_EQ("2026-03-14 10:00:00", Str(Next(kScheduleEveryYear, chosen, At(2026, 1, 1))));
}

TEST(CalcNextOccurrenceTest, EveryYearAndEveryMonthNameTheTrueWeekday)
{
    // 14 March 2025 is a Friday; the same date in 2026 is a Saturday.
    SYSTEMTIME chosen = At(2025, 3, 14, 10, 0, 0);
    chosen.wDayOfWeek = Fri;
    const SYSTEMTIME year = Next(kScheduleEveryYear, chosen, At(2026, 1, 10));
    EXPECT_EQ("2026-03-14 10:00:00", Str(year));
    EXPECT_EQ(Sat, year.wDayOfWeek);
    const SYSTEMTIME month = Next(kScheduleEveryMonth, chosen, At(2026, 1, 10));
    EXPECT_EQ("2026-02-14 10:00:00", Str(month));
    EXPECT_EQ(Sat, month.wDayOfWeek);
    EXPECT_EQ(Sun, Next(kScheduleEveryYear, chosen, At(2026, 3, 15)).wDayOfWeek);  // 14 March 2027
}

TEST(CalcNextOccurrenceTest, EveryYearOnTheLeapDay)
{
    const SYSTEMTIME chosen = At(2024, 2, 29, 8, 0, 0);
    EXPECT_EQ("2025-02-28 08:00:00", Str(Next(kScheduleEveryYear, chosen, At(2025, 1, 1))));
    EXPECT_EQ("2028-02-29 08:00:00", Str(Next(kScheduleEveryYear, chosen, At(2027, 3, 1))));
}

TEST(CalcNextOccurrenceTest, EveryMonthIsAlwaysTheMonthAfterThisOne)
{
    const SYSTEMTIME chosen = At(2025, 6, 20, 8, 30, 0);
    EXPECT_EQ("2026-01-20 08:30:00", Str(Next(kScheduleEveryMonth, chosen, At(2025, 12, 5))));
    EXPECT_EQ("2025-05-20 08:30:00", Str(Next(kScheduleEveryMonth, chosen, At(2025, 4, 25))));
}

TEST(CalcNextOccurrenceTest, EveryMonthOnADayTheMonthLacks)
{
    const SYSTEMTIME chosen = At(2025, 1, 31, 7, 0, 0);
    EXPECT_EQ("2024-02-29 07:00:00", Str(Next(kScheduleEveryMonth, chosen, At(2024, 1, 10))));
    EXPECT_EQ("2025-02-28 07:00:00", Str(Next(kScheduleEveryMonth, chosen, At(2025, 1, 10))));
    EXPECT_EQ("2025-04-30 07:00:00", Str(Next(kScheduleEveryMonth, chosen, At(2025, 3, 10))));
}

TEST(CalcNextOccurrenceTest, MonthLastDay)
{
    const SYSTEMTIME now = At(2025, 12, 31, 18, 0, 0);
    EXPECT_EQ("2026-01-31 17:00:00", Str(Next(kScheduleMonthLastDay, At(2025, 5, 3, 17), now)));
    EXPECT_EQ("2025-12-31 19:00:00", Str(Next(kScheduleMonthLastDay, At(2025, 5, 3, 19), now)));
    EXPECT_EQ("2024-02-29 19:00:00", Str(Next(kScheduleMonthLastDay, At(2025, 5, 3, 19), At(2024, 2, 10))));
    EXPECT_EQ("2025-04-30 17:00:00", Str(Next(kScheduleMonthLastDay, At(2025, 5, 3, 17), At(2025, 3, 31, 18))));
}

TEST(CalcNextOccurrenceTest, EveryWeekdayStartsTomorrow)
{
    const SYSTEMTIME wednesday = At(2025, 3, 12, 12, 0, 0);
    // Only today's weekday: a week on, whether the chosen time is still ahead today or not.
    EXPECT_EQ("2025-03-19 23:00:00", Str(Next(kScheduleEveryWeekday, At(2020, 1, 1, 23), wednesday, {Wed})));
    EXPECT_EQ("2025-03-19 07:00:00", Str(Next(kScheduleEveryWeekday, At(2020, 1, 1, 7), wednesday, {Wed})));

    const SYSTEMTIME friday = At(2025, 3, 14, 20, 0, 0);
    EXPECT_EQ("2025-03-15 06:00:00", Str(Next(kScheduleEveryWeekday, At(2020, 1, 1, 6), friday, {Sat})));
    EXPECT_EQ("2025-03-15 06:00:00", Str(Next(kScheduleEveryWeekday, At(2020, 1, 1, 6), friday, {Mon, Sat})));
    EXPECT_EQ("2025-03-16 06:00:00", Str(Next(kScheduleEveryWeekday, At(2020, 1, 1, 6), friday, {Tue, Sun})));
    // Nothing checked: today at the chosen time.
    const SYSTEMTIME none = Next(kScheduleEveryWeekday, At(2020, 1, 1, 6), friday);
    EXPECT_EQ("2025-03-14 06:00:00", Str(none));
    EXPECT_EQ(Fri, none.wDayOfWeek);
}

TEST(CalcNextOccurrenceTest, FirstWeekdayInMonth)
{
    const SYSTEMTIME firstMonday = At(2025, 3, 3, 12, 0, 0);
    EXPECT_EQ("2025-04-07 09:00:00", Str(Next(kScheduleFirstWeekdayInMonth, At(2020, 1, 1, 9), firstMonday, {Mon})));
    EXPECT_EQ("2025-03-03 13:00:00", Str(Next(kScheduleFirstWeekdayInMonth, At(2020, 1, 1, 13), firstMonday, {Mon})));
    EXPECT_EQ("2025-04-07 13:00:00",
              Str(Next(kScheduleFirstWeekdayInMonth, At(2020, 1, 1, 13), At(2025, 3, 20), {Mon})));
    EXPECT_EQ("2026-01-05 13:00:00",
              Str(Next(kScheduleFirstWeekdayInMonth, At(2020, 1, 1, 13), At(2025, 12, 2), {Mon})));
}

TEST(CalcNextOccurrenceTest, LastWeekdayInMonth)
{
    const SYSTEMTIME chosen = At(2020, 1, 1, 9);
    EXPECT_EQ("2025-03-28 09:00:00", Str(Next(kScheduleLastWeekdayInMonth, chosen, At(2025, 3, 10), {Fri})));
    EXPECT_EQ("2025-04-25 09:00:00", Str(Next(kScheduleLastWeekdayInMonth, chosen, At(2025, 3, 29), {Fri})));
    EXPECT_EQ("2025-04-25 09:00:00", Str(Next(kScheduleLastWeekdayInMonth, chosen, At(2025, 3, 28, 12), {Fri})));
    EXPECT_EQ("2025-03-28 13:00:00",
              Str(Next(kScheduleLastWeekdayInMonth, At(2020, 1, 1, 13), At(2025, 3, 28, 12), {Fri})));
    EXPECT_EQ("2026-01-30 09:00:00", Str(Next(kScheduleLastWeekdayInMonth, chosen, At(2025, 12, 27), {Fri})));
}

TEST(CalcNextOccurrenceTest, FirstWeekdayInQuarter)
{
    const SYSTEMTIME chosen = At(2020, 1, 1, 9);
    EXPECT_EQ("2025-04-07 09:00:00", Str(Next(kScheduleFirstWeekdayInQuarter, chosen, At(2025, 2, 10), {Mon})));
    EXPECT_EQ("2026-01-05 09:00:00", Str(Next(kScheduleFirstWeekdayInQuarter, chosen, At(2025, 11, 20), {Mon})));
    EXPECT_EQ("2026-01-05 09:00:00", Str(Next(kScheduleFirstWeekdayInQuarter, chosen, At(2026, 1, 2), {Mon})));
    EXPECT_EQ("2026-04-06 09:00:00", Str(Next(kScheduleFirstWeekdayInQuarter, chosen, At(2026, 1, 10), {Mon})));
    EXPECT_EQ("2026-04-06 09:00:00", Str(Next(kScheduleFirstWeekdayInQuarter, chosen, At(2026, 1, 5, 10), {Mon})));
}

TEST(CalcNextOccurrenceTest, LastWeekdayInQuarter)
{
    const SYSTEMTIME chosen = At(2020, 1, 1, 9);
    EXPECT_EQ("2025-12-26 09:00:00", Str(Next(kScheduleLastWeekdayInQuarter, chosen, At(2025, 11, 15), {Fri})));
    EXPECT_EQ("2025-12-26 09:00:00", Str(Next(kScheduleLastWeekdayInQuarter, chosen, At(2025, 10, 5), {Fri})));
    EXPECT_EQ("2025-12-26 09:00:00", Str(Next(kScheduleLastWeekdayInQuarter, chosen, At(2025, 12, 1), {Fri})));
    EXPECT_EQ("2026-03-27 09:00:00", Str(Next(kScheduleLastWeekdayInQuarter, chosen, At(2025, 12, 31), {Fri})));
    EXPECT_EQ("2026-03-27 09:00:00", Str(Next(kScheduleLastWeekdayInQuarter, chosen, At(2025, 12, 26, 12), {Fri})));
}

TEST(CalcNextOccurrenceTest, SeveralCheckedDaysCountOnlyTheLowest)
{
    const SYSTEMTIME chosen = At(2020, 1, 1, 9);
    const SYSTEMTIME now = At(2025, 3, 10);
    for (ScheduleKind kind : {kScheduleFirstWeekdayInMonth, kScheduleLastWeekdayInMonth,
                              kScheduleFirstWeekdayInQuarter, kScheduleLastWeekdayInQuarter}) {
        const std::string sundayOnly = Str(Next(kind, chosen, now, {Sun}));
        EXPECT_EQ(sundayOnly, Str(Next(kind, chosen, now, {Sun, Mon, Sat}))) << "kind " << kind;
        EXPECT_NE(sundayOnly, Str(Next(kind, chosen, now, {Mon}))) << "kind " << kind;
        EXPECT_EQ(Str(Next(kind, chosen, now, {Tue})), Str(Next(kind, chosen, now, {Tue, Fri}))) << "kind " << kind;
    }
}

TEST(CalcNextOccurrenceTest, WeekdayKindsWithNothingCheckedLeaveTheMomentAlone)
{
    const SYSTEMTIME chosen = At(2020, 6, 15, 12, 30, 0);
    for (ScheduleKind kind : {kScheduleFirstWeekdayInMonth, kScheduleLastWeekdayInMonth,
                              kScheduleFirstWeekdayInQuarter, kScheduleLastWeekdayInQuarter}) {
        const SYSTEMTIME m = Next(kind, chosen, At(2025, 3, 14, 10));
        EXPECT_EQ(0, memcmp(&m, &chosen, sizeof m)) << "kind " << kind << ": " << Str(m);
    }
}

TEST(CalcNextOccurrenceTest, EveryResultCarriesItsTrueWeekday)
{
    const SYSTEMTIME chosen = At(2025, 1, 31, 9);
    for (ScheduleKind kind = 1; kind < kScheduleKindCount; ++kind) {
        for (const SYSTEMTIME& now : {At(2025, 2, 10), At(2025, 11, 30, 23, 59, 59), At(2024, 2, 29, 12)}) {
            const SYSTEMTIME m = Next(kind, chosen, now, {Wed});
            SYSTEMTIME check = m;
            ASSERT_TRUE(SerialToMoment(MomentToSerial(m), check)) << Str(m);
            EXPECT_EQ(check.wDayOfWeek, m.wDayOfWeek) << "kind " << kind << " now " << Str(now) << ": " << Str(m);
            EXPECT_EQ(9, m.wHour) << "kind " << kind << " now " << Str(now);
            EXPECT_EQ(0, m.wMinute);
        }
    }
}
