// The one-line text in a note's title strip: weekday and date, or a time note's next occurrence.
#pragma once

#include <windows.h>

#include <string>

#include "timenotes/TimeNoteCalc.h"
#include "timenotes/TimeNoteSchedule.h"

// schedule null: an ordinary note, " <weekday> <date time>" of now.
// Otherwise "<weekday> <date time> <kind name>" of the next occurrence, whose formatted date and time
// also go to nextOccurrence (when given).
std::wstring BuildTitleStrip(const TimeNoteSchedule* schedule,
                             std::wstring* nextOccurrence,
                             const NowClock& now = LocalNow);

// Builds the text as above and puts it into the title-strip control.
void UpdateTitleStrip(HWND titleStrip, const TimeNoteSchedule* schedule, std::wstring* nextOccurrence);
