#include "notes/NoteMetrics.h"

#include "app/ConfigRules.h"

#include <climits>

int SaturateToInt(long long value)
{
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

std::uint8_t TransparencyToAlpha(int percent)
{
    if (percent < 0)
        percent = 0;
    if (percent > 100)
        percent = 100;
    // Same operation order as always, so 30 % stays 178 and not 179.
    const double alpha = (100 - percent) * 0.01 * 255.0;
    return static_cast<std::uint8_t>(static_cast<int>(alpha) & 0xFF);
}

int FontHeightToTwips(int fontHeight)
{
    const long long twips = static_cast<long long>(fontHeight) * -12;
    if (twips > kMaxTwips)
        return kMaxTwips;
    if (twips < -kMaxTwips)
        return -kMaxTwips;
    return static_cast<int>(twips);
}

int NoteSizeFromText(const std::wstring& text)
{
    const int size = ParseProfileInt(text.c_str());
    if (size < 100)
        return 100;
    if (size > 400)
        return 400;
    return size;
}

NotePosition KeepHalfOnScreen(int x, int y, int width, int height, const ScreenRect& screen)
{
    // 64-bit throughout: stored sizes may be anything up to the 32-bit limits.
    long long nx = x;
    long long ny = y;
    const long long w = width;
    const long long h = height;
    const long long hw = w / 2;
    const long long hh = h / 2;
    if (nx < screen.left - hw)
        nx = screen.left - hw;
    if (nx + w > screen.right + hw)
        nx = screen.right + hw - w;
    if (ny < screen.top - hh)
        ny = screen.top - hh;
    if (ny + h > screen.bottom + hh)
        ny = screen.bottom + hh - h;
    return {SaturateToInt(nx), SaturateToInt(ny)};
}

void CopyCut(wchar_t* field, std::size_t capacity, const std::wstring& text)
{
    if (capacity == 0)
        return;
    std::size_t n = text.size() < capacity - 1 ? text.size() : capacity - 1;
    if (n < text.size() && n > 0 && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF)
        --n;
    text.copy(field, n);
    field[n] = L'\0';
}
