// Arithmetic on a note's stored numbers: transparency to alpha, font height to
// twips, the size of a new note, keeping a loaded note on the screen, and
// copying face names into fixed-size fields. Stored values reach these
// functions unchecked, so every one of them holds for any 32-bit input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Constant alpha of a layered window for a transparency percentage; percentages
// below 0 count as 0 and above 100 as 100 (30 -> 178, 90 -> 25).
std::uint8_t TransparencyToAlpha(int percent);

// Rich-edit character height for a font height in logical units (-21 -> 252),
// kept within the sizes the control accepts.
int FontHeightToTwips(int fontHeight);
constexpr int kMaxTwips = 32760;

// Edge length of a new note from the size setting's text, 100..400.
int NoteSizeFromText(const std::wstring& text);

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct NotePosition {
    int x;
    int y;
};

// Moves a note so that at least half of it lies on the virtual screen.
NotePosition KeepHalfOnScreen(int x, int y, int width, int height, const ScreenRect& screen);

// Copies text into a fixed field of `capacity` characters, always terminated,
// cut where it does not fit (a surrogate pair is not split).
void CopyCut(wchar_t* field, std::size_t capacity, const std::wstring& text);

template <std::size_t N>
void CopyCut(wchar_t (&field)[N], const std::wstring& text)
{
    CopyCut(field, N, text);
}

// Clamps a 64-bit intermediate into the 32-bit range.
int SaturateToInt(long long value);
