// Colour arithmetic of a note: the frame and caption colours derived from the
// background, the dark-background test and the random colours of a new note.
// Free of Windows headers so that it runs natively under the unit tests.
#pragma once

#include <cstdint>
#include <functional>

// 0x00BBGGRR, the layout of a Win32 COLORREF.
using ColorRef = std::uint32_t;

constexpr ColorRef MakeColor(int r, int g, int b)
{
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int ColorRed(ColorRef c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int ColorGreen(ColorRef c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int ColorBlue(ColorRef c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// a * b / d rounded to the nearest integer, halves away from zero (as Win32 MulDiv); -1 when d is 0.
int MulDivRound(int a, int b, int d);

ColorRef DarkenColor(int amount, ColorRef color);
ColorRef LightenColor(int amount, ColorRef color);
bool IsDarkColor(ColorRef background);

struct NoteShades {
    ColorRef frame;
    ColorRef caption;
    bool dark;  // the toolbar takes its dark image set
};
NoteShades DeriveNoteShades(ColorRef background);

// (299 R + 587 G + 114 B + 1) / 1000
int ColorBrightness(ColorRef color);
// Sum of the absolute component differences.
int ColorDistance(ColorRef a, ColorRef b);
bool IsContrastingPair(ColorRef background, ColorRef text);

// One call of the program's pseudo-random generator, 0..32767.
using RandomDraw = std::function<int()>;

// Three draws each, in the order green, blue, red.
ColorRef RandomLightColor(const RandomDraw& draw);
ColorRef RandomDarkColor(const RandomDraw& draw);

struct NoteColorPair {
    ColorRef background;
    ColorRef text;
};

// A background and text colour that usually contrast: five contrast tests, each
// failure drawing a fresh pair; the pair after the fifth test is taken as it is.
NoteColorPair RandomContrastingPair(const RandomDraw& draw);

// Colour kinds of the default settings: 0 dark random, 1 light random,
// 2 the contrasting pair, 3 the custom colour; other values keep the plain light/dark draw.
struct NewNoteColorDefaults {
    int backgroundKind;
    ColorRef customBackground;
    int textKind;
    ColorRef customText;
};

// The colours of a new note, drawing in the fixed order light, dark, pair, background kind, text kind.
NoteColorPair ChooseNewNoteColors(const NewNoteColorDefaults& defaults, const RandomDraw& draw);
