// Whether stored rich text is safe to hand to the rich-edit control. The
// control's reader takes the process down on some input (groups nested about
// 32 deep under Wine), so what fails here is shown as plain text instead.
#pragma once

#include <string>

// Deeper groups than the control ever writes; well below where its reader breaks.
constexpr int kMaxRtfDepth = 20;

// Starts with "{\rtf", braces balance and close the outer group, no group is
// nested deeper than kMaxRtfDepth, "\binN" does not run past the end.
bool RtfIsSafe(const std::wstring& rtf);
