// Weekday names, date formatting and the title-strip text of ordinary and time notes.
#include <gtest/gtest.h>

#include <string>

#include "lang/LanguageTable.h"
#include "timenotes/DateFormatTool.h"
#include "timenotes/SysTimeTool.h"
#include "timenotes/TimeNoteCalc.h"
#include "timenotes/TitleStrip.h"

namespace {

SYSTEMTIME At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    SYSTEMTIME m = {};
    m.wYear = static_cast<WORD>(y);
    m.wMonth = static_cast<WORD>(mo);
    m.wDay = static_cast<WORD>(d);
    m.wHour = static_cast<WORD>(h);
    m.wMinute = static_cast<WORD>(mi);
    m.wSecond = static_cast<WORD>(s);
    RefreshDayOfWeek(m);
    return m;
}

std::wstring DayName(LCTYPE item)
{
    wchar_t name[200] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, 200);
    return name;
}

NowClock Fixed(const SYSTEMTIME& now)
{
    return [now] { return now; };
}

bool StartsWith(const std::wstring& s, const std::wstring& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

TEST(WeekdayName, SundayIsTheSeventhLocaleDayName)
{
    SYSTEMTIME m = At(2025, 3, 9);  // a Sunday
    ASSERT_EQ(0, m.wDayOfWeek);
    EXPECT_EQ(DayName(LOCALE_SDAYNAME7), GetWeekdayName(m));
    m = At(2025, 3, 10);
    EXPECT_EQ(DayName(LOCALE_SDAYNAME1), GetWeekdayName(m));
    m = At(2025, 3, 15);
    EXPECT_EQ(DayName(LOCALE_SDAYNAME6), GetWeekdayName(m));
    if (PRIMARYLANGID(LANGIDFROMLCID(GetUserDefaultLCID())) == LANG_ENGLISH) {
        EXPECT_EQ(L"Saturday", GetWeekdayName(m));
        EXPECT_EQ(L"Sunday", GetWeekdayName(At(2025, 3, 9)));
    }
}

TEST(WeekdayName, OutOfRangeDayOfWeekIsEmpty)
{
    SYSTEMTIME m = At(2025, 3, 9);
    m.wDayOfWeek = 7;
    EXPECT_EQ(L"", GetWeekdayName(m));
    m.wDayOfWeek = 0xFFFF;
    EXPECT_EQ(L"", GetWeekdayName(m));
}

TEST(KindName, LookedUpAnewInTheCurrentLanguage)
{
    const int saved = g_lang_index;
    TheLanguageTable().fileMode = 0;
    ASSERT_TRUE(LoadLanguageTable());
    g_lang_index = 1;
    EXPECT_STREQ(L"Simple time note", TimeNoteCalc::GetKindName(kScheduleSimple));
    EXPECT_STREQ(L"Every Year", TimeNoteCalc::GetKindName(kScheduleEveryYear));
    EXPECT_STREQ(L"Every last Weekday in Quarter", TimeNoteCalc::GetKindName(kScheduleLastWeekdayInQuarter));
    g_lang_index = 0;
    EXPECT_STREQ(L"Einfache Zeitnotiz", TimeNoteCalc::GetKindName(kScheduleSimple));
    EXPECT_STREQ(L"Jedes Jahr", TimeNoteCalc::GetKindName(kScheduleEveryYear));
    for (int kind : {-1, 9, 56, 0x7FFFFFFF})
        EXPECT_STREQ(L"?", TimeNoteCalc::GetKindName(kind)) << "kind " << kind;
    g_lang_index = saved;
}

TEST(DateFormat, DateBlankTimeAndUnformattablePartsStayEmpty)
{
    const DateFormatTool tool;
    SYSTEMTIME m = At(2024, 2, 29, 13, 45, 30);
    const std::wstring full = tool.Format(m);
    const size_t year = full.find(L"2024"), minutes = full.find(L"45"), blank = full.find(L' ', year);
    EXPECT_TRUE(year != std::wstring::npos && minutes != std::wstring::npos && year < blank && blank < minutes)
        << full.c_str();
    m.wMonth = 13;
    const std::wstring text = tool.Format(m);
    EXPECT_EQ(L' ', text.empty() ? L'x' : text[0]) << "no date part: " << text.c_str();
    m = At(2024, 2, 29, 13, 45, 30);
    m.wHour = 25;
    const std::wstring noTime = tool.Format(m);
    EXPECT_EQ(L' ', noTime.empty() ? L'x' : noTime.back()) << "no time part: " << noTime.c_str();
}

TEST(TitleStrip, OrdinaryNoteShowsNowWithALeadingBlank)
{
    SYSTEMTIME now = At(2025, 3, 14, 10, 5, 0);
    now.wDayOfWeek = 2;  // a clock that brings a wrong weekday does not mislead the strip
    std::wstring next = L"untouched";
    const std::wstring text = BuildTitleStrip(nullptr, &next, Fixed(now));
    EXPECT_EQ(L" " + DayName(LOCALE_SDAYNAME5) + L" " + DateFormatTool().Format(now), text);
    EXPECT_EQ(L"untouched", next);
}

TEST(TitleStrip, TimeNoteShowsTheNextOccurrenceWithItsWeekdayAndKind)
{
    TimeNoteSchedule schedule;
    schedule.kind = kScheduleEveryYear;
    schedule.weekday = 1;
    schedule.date = MomentToSerial(At(2025, 3, 14, 10, 0, 0));  // a Friday

    std::wstring next;
    const std::wstring text = BuildTitleStrip(&schedule, &next, Fixed(At(2026, 1, 10, 8)));
    const SYSTEMTIME expected = At(2026, 3, 14, 10, 0, 0);  // a Saturday
    EXPECT_EQ(DateFormatTool().Format(expected), next);
    EXPECT_EQ(DayName(LOCALE_SDAYNAME6) + L" " + next + L" " + TimeNoteCalc::GetKindName(1), text);

    schedule.kind = kScheduleEveryMonth;
    const std::wstring month = BuildTitleStrip(&schedule, nullptr, Fixed(At(2026, 1, 10, 8)));
    EXPECT_TRUE(StartsWith(month, DayName(LOCALE_SDAYNAME6) + L" " + DateFormatTool().Format(At(2026, 2, 14, 10))))
        << month.c_str();
}

TEST(TitleStrip, TimeNoteWeekdayIsClampedIntoTheWeek)
{
    TimeNoteSchedule schedule;
    schedule.kind = kScheduleFirstWeekdayInMonth;
    schedule.date = MomentToSerial(At(2025, 1, 1, 9, 0, 0));
    const NowClock now = Fixed(At(2025, 3, 10, 12));
    std::wstring next;

    schedule.weekday = 42;  // counts as Saturday: first Saturday of April 2025
    BuildTitleStrip(&schedule, &next, now);
    EXPECT_EQ(DateFormatTool().Format(At(2025, 4, 5, 9)), next);

    schedule.weekday = -3;  // counts as Sunday: first Sunday of April 2025
    BuildTitleStrip(&schedule, &next, now);
    EXPECT_EQ(DateFormatTool().Format(At(2025, 4, 6, 9)), next);
}

TEST(TitleStrip, UnknownKindShowsTheChosenMomentAndAQuestionMark)
{
    TimeNoteSchedule schedule;
    schedule.kind = 12;
    schedule.date = MomentToSerial(At(2025, 3, 14, 10, 0, 0));
    std::wstring next;
    const std::wstring text = BuildTitleStrip(&schedule, &next, Fixed(At(2026, 1, 10)));
    EXPECT_EQ(DateFormatTool().Format(At(2025, 3, 14, 10)), next);
    EXPECT_EQ(DayName(LOCALE_SDAYNAME5) + L" " + next + L" ?", text);
}

TEST(TitleStrip, SerialOutOfRangeCountsAsSerialZero)
{
    TimeNoteSchedule schedule;
    schedule.kind = kScheduleSimple;
    schedule.date = 1e300;
    std::wstring next;
    BuildTitleStrip(&schedule, &next, Fixed(At(2026, 1, 10)));
    EXPECT_EQ(DateFormatTool().Format(At(1899, 12, 30)), next);
}

TEST(TitleStrip, UpdateTitleStripSetsTheControlText)
{
    HWND strip = CreateWindowExW(0, L"STATIC", L"old", WS_CHILD, 0, 0, 100, 20, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, strip);
    TimeNoteSchedule schedule;
    schedule.kind = kScheduleSimple;
    schedule.date = MomentToSerial(At(2025, 3, 14, 10, 0, 0));
    std::wstring next;
    UpdateTitleStrip(strip, &schedule, &next);
    wchar_t text[512] = {};
    GetWindowTextW(strip, text, 512);
    EXPECT_EQ(BuildTitleStrip(&schedule, nullptr), text);
    EXPECT_EQ(DateFormatTool().Format(At(2025, 3, 14, 10)), next);

    UpdateTitleStrip(strip, nullptr, nullptr);
    GetWindowTextW(strip, text, 512);
    EXPECT_EQ(L' ', text[0]);
    DestroyWindow(strip);
    UpdateTitleStrip(nullptr, nullptr, nullptr);  // no window: nothing to set, no crash
}
