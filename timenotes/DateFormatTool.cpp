#include "timenotes/DateFormatTool.h"

namespace {

// The enumeration callbacks take no context, so the format being looked for is parked here.
thread_local std::wstring* t_keep = nullptr;

BOOL CALLBACK KeepFirstFormat(LPWSTR format)
{
    if (t_keep && format)
        *t_keep = format;
    return FALSE;  // the first one is enough
}

const int kPartChars = 256;

}  // namespace

DateFormatTool::DateFormatTool() : m_lcid(GetUserDefaultLCID())
{
    t_keep = &m_dateFormat;
    EnumDateFormatsW(KeepFirstFormat, m_lcid, DATE_SHORTDATE);
    t_keep = &m_timeFormat;
    EnumTimeFormatsW(KeepFirstFormat, m_lcid, 0);
    t_keep = nullptr;
}

std::wstring DateFormatTool::Format(const SYSTEMTIME& moment) const
{
    wchar_t date[kPartChars] = {};
    wchar_t time[kPartChars] = {};
    if (!GetDateFormatW(m_lcid, 0, &moment, m_dateFormat.empty() ? nullptr : m_dateFormat.c_str(), date, kPartChars))
        date[0] = 0;
    if (!GetTimeFormatW(m_lcid, 0, &moment, m_timeFormat.empty() ? nullptr : m_timeFormat.c_str(), time, kPartChars))
        time[0] = 0;
    std::wstring text = date;
    text += L' ';
    text += time;
    return text;
}
