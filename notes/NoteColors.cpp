#include "notes/NoteColors.h"

#include <cmath>
#include <cstdlib>

int MulDivRound(int a, int b, int d)
{
    if (d == 0)
        return -1;
    const long long num = static_cast<long long>(a) * b;
    const long long den = d;
    const bool negative = (num < 0) != (den < 0);
    const long long absNum = num < 0 ? -num : num;
    const long long absDen = den < 0 ? -den : den;
    const long long q = (2 * absNum + absDen) / (2 * absDen);
    return static_cast<int>(negative ? -q : q);
}

namespace {

int DarkenComponent(int amount, int c)
{
    return MulDivRound(c, 255 - amount, 255);
}
int LightenComponent(int amount, int c)
{
    return c + MulDivRound(255 - c, amount, 255);
}

ColorRef DrawColor(const RandomDraw& draw, int (*component)(int))
{
    // Green first, then blue, then red: the order of the draws is part of the result.
    const int g = component(draw());
    const int b = component(draw());
    const int r = component(draw());
    return MakeColor(r, g, b);
}

int LightComponent(int v)
{
    return (v & 127) + 128;
}
int DarkComponent(int v)
{
    return v % 96;
}
int AnyComponent(int v)
{
    return v % 255;
}
int BrightBiasedComponent(int v)
{
    return ((v % 255) + 128) & 255;
}

}  // namespace

ColorRef DarkenColor(int amount, ColorRef color)
{
    return MakeColor(DarkenComponent(amount, ColorRed(color)), DarkenComponent(amount, ColorGreen(color)),
                     DarkenComponent(amount, ColorBlue(color)));
}

ColorRef LightenColor(int amount, ColorRef color)
{
    return MakeColor(LightenComponent(amount, ColorRed(color)), LightenComponent(amount, ColorGreen(color)),
                     LightenComponent(amount, ColorBlue(color)));
}

bool IsDarkColor(ColorRef background)
{
    // The order of the additions matters for values right at the threshold.
    const double luma =
        (0.315 * ColorGreen(background) + 0.312 * ColorRed(background)) + 0.3022 * ColorBlue(background);
    return static_cast<int>(luma) < 100;
}

NoteShades DeriveNoteShades(ColorRef background)
{
    if (IsDarkColor(background))
        return {LightenColor(10, background), LightenColor(92, background), true};
    return {DarkenColor(10, background), DarkenColor(92, background), false};
}

int ColorBrightness(ColorRef color)
{
    return (299 * ColorRed(color) + 587 * ColorGreen(color) + 114 * ColorBlue(color) + 1) / 1000;
}

int ColorDistance(ColorRef a, ColorRef b)
{
    return std::abs(ColorRed(a) - ColorRed(b)) + std::abs(ColorGreen(a) - ColorGreen(b)) +
           std::abs(ColorBlue(a) - ColorBlue(b));
}

bool IsContrastingPair(ColorRef background, ColorRef text)
{
    return ColorDistance(background, text) >= 500 &&
           std::abs(ColorBrightness(background) - ColorBrightness(text)) >= 128;
}

ColorRef RandomLightColor(const RandomDraw& draw)
{
    return DrawColor(draw, LightComponent);
}
ColorRef RandomDarkColor(const RandomDraw& draw)
{
    return DrawColor(draw, DarkComponent);
}

NoteColorPair RandomContrastingPair(const RandomDraw& draw)
{
    NoteColorPair pair;
    pair.background = DrawColor(draw, BrightBiasedComponent);
    pair.text = DrawColor(draw, AnyComponent);
    for (int test = 0; test < 5; ++test) {
        if (IsContrastingPair(pair.background, pair.text))
            continue;
        pair.background = DrawColor(draw, AnyComponent);
        pair.text = DrawColor(draw, AnyComponent);
    }
    return pair;
}

NoteColorPair ChooseNewNoteColors(const NewNoteColorDefaults& defaults, const RandomDraw& draw)
{
    NoteColorPair result;
    result.background = RandomLightColor(draw);
    result.text = RandomDarkColor(draw);
    const NoteColorPair pair = RandomContrastingPair(draw);

    switch (defaults.backgroundKind) {
        case 0:
            result.background = RandomDarkColor(draw);
            break;
        case 1:
            result.background = RandomLightColor(draw);
            break;
        case 2:
            result.background = pair.background;
            break;
        case 3:
            result.background = defaults.customBackground;
            break;
        default:
            break;
    }
    switch (defaults.textKind) {
        case 0:
            result.text = RandomDarkColor(draw);
            break;
        case 1:
            result.text = RandomLightColor(draw);
            break;
        case 2:
            result.text = pair.text;
            break;
        case 3:
            result.text = defaults.customText;
            break;
        default:
            break;
    }
    return result;
}
