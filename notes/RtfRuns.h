// Wine's rich-edit control lays out a paragraph by reshaping the rest of its run
// for every line it breaks, so one long run of equal formatting costs time in
// the square of its length (minutes for 50 000 characters). Splitting such a
// stretch into short runs makes the layout linear: every font of the table
// gets a twin that differs only in a pitch bit no font mapper reads, and the
// text switches between a font and its twin every few dozen characters,
// always after a space. The control writes a twin back as its original font
// (its font table holds face and character set only), so what is saved does
// not change.
#pragma once

#include <cstddef>
#include <string>

constexpr size_t kMaxTextRun = 64;

// The rich text with long stretches of plain text split, or the text unchanged
// when it holds nothing to split or anything this does not understand.
std::string SplitLongTextRuns(const std::string& rtf, size_t maxRun = kMaxTextRun);
