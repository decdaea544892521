// Formats a moment as the user's short date, one blank and the user's time.
#pragma once

#include <windows.h>

#include <string>

class DateFormatTool {
public:
    DateFormatTool();
    virtual ~DateFormatTool() = default;

    // A part the platform cannot format stays empty.
    std::wstring Format(const SYSTEMTIME& moment) const;

    LCID m_lcid;
    std::wstring m_dateFormat;  // first short-date format the locale offers; empty: locale default
    std::wstring m_timeFormat;  // first time format the locale offers; empty: locale default
};
