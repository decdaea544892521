#include "controls/ColorPickerLogic.h"

#include <algorithm>

namespace picker {

namespace {

constexpr Colour Rgb(unsigned r, unsigned g, unsigned b)
{
    return r | (g << 8) | (b << 16);
}

// The values hold even where a name suggests another colour; "Pale green " ends in a blank.
const NamedColour kPalette[kColourCount] = {
    {L"Black", Rgb(0, 0, 0)},
    {L"Brown", Rgb(165, 42, 0)},
    {L"Dark Olive Green", Rgb(0, 64, 64)},
    {L"Dark Green", Rgb(0, 85, 0)},
    {L"Dark Teal", Rgb(0, 0, 94)},
    {L"Dark blue", Rgb(0, 0, 139)},
    {L"Indigo", Rgb(75, 0, 130)},
    {L"Dark grey", Rgb(40, 40, 40)},
    {L"Dark red", Rgb(139, 0, 0)},
    {L"Orange", Rgb(255, 104, 32)},
    {L"Dark yellow", Rgb(139, 139, 0)},
    {L"Green", Rgb(0, 147, 0)},
    {L"Teal", Rgb(56, 142, 142)},
    {L"Blue", Rgb(0, 0, 255)},
    {L"Blue-grey", Rgb(123, 123, 192)},
    {L"Grey - 40", Rgb(102, 102, 102)},
    {L"Red", Rgb(255, 0, 0)},
    {L"Light orange", Rgb(255, 173, 91)},
    {L"Lime", Rgb(50, 205, 50)},
    {L"Sea green", Rgb(60, 179, 113)},
    {L"Aqua", Rgb(127, 255, 212)},
    {L"Light blue", Rgb(125, 158, 192)},
    {L"Violet", Rgb(128, 0, 128)},
    {L"Grey - 50", Rgb(127, 127, 127)},
    {L"Pink", Rgb(255, 192, 203)},
    {L"Gold", Rgb(255, 215, 0)},
    {L"Yellow", Rgb(255, 255, 0)},
    {L"Bright green", Rgb(0, 255, 0)},
    {L"Turquoise", Rgb(64, 224, 208)},
    {L"Skyblue", Rgb(192, 255, 255)},
    {L"Plum", Rgb(72, 0, 72)},
    {L"Light grey", Rgb(192, 192, 192)},
    {L"Rose", Rgb(255, 228, 225)},
    {L"Tan", Rgb(210, 180, 140)},
    {L"Light yellow", Rgb(255, 255, 224)},
    {L"Pale green ", Rgb(152, 251, 152)},
    {L"Pale turquoise", Rgb(175, 238, 238)},
    {L"Pale blue", Rgb(104, 131, 139)},
    {L"Lavender", Rgb(230, 230, 250)},
    {L"White", Rgb(255, 255, 255)},
};

Rect Offset(Rect r, int dx, int dy)
{
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

}  // namespace

const std::uint16_t kCrossGlyph[9] = {
    0b100000011, 0b110000110, 0b011001100, 0b001111000, 0b000110000, 0b001111000, 0b011001100, 0b110000110, 0b100000011,
};

const NamedColour& PaletteEntry(int index)
{
    return kPalette[std::clamp(index, 0, kColourCount - 1)];
}

Layout LayOut(Size automaticText, bool hasAutomatic, Size customText, bool hasCustom, int cxEdge, int cyEdge)
{
    const int textHeight = std::max(hasAutomatic ? automaticText.cy : 0, hasCustom ? customText.cy : 0);
    const int textWidth = std::max(hasAutomatic ? automaticText.cx : 0, hasCustom ? customText.cx : 0);
    const int h1 = hasAutomatic ? textHeight + kTextPadding : 0;
    const int h2 = hasCustom ? textHeight + kTextPadding : 0;
    const int width = std::max(kGridWidth, textWidth + kTextPadding);

    Layout layout;
    layout.automatic = Offset({0, 0, width, h1}, cxEdge, cyEdge);
    const int gridLeft = (width - kGridWidth) / 2;
    layout.grid = Offset({gridLeft, h1, gridLeft + kGridWidth, h1 + kGridHeight}, cxEdge, cyEdge);
    layout.custom = Offset({0, h1 + kGridHeight, width, h1 + kGridHeight + h2}, cxEdge, cyEdge);
    layout.window = {width + 2 * cxEdge, h1 + kGridHeight + h2 + 2 * cyEdge};
    return layout;
}

Rect PlacePopup(const Rect& button, Size window, const Rect& bounds)
{
    Rect r{button.left, button.bottom, button.left + window.cx, button.bottom + window.cy};
    if (r.right > bounds.right)
        r = Offset(r, bounds.right - r.right, 0);
    if (r.left < bounds.left)
        r = Offset(r, bounds.left - r.left, 0);
    if (r.bottom > bounds.bottom)
        r = Offset(r, 0, button.top - r.bottom);
    return r;
}

int HitTest(const Layout& layout, int x, int y)
{
    if (layout.custom.Contains(x, y))
        return kEntryCustom;
    if (layout.automatic.Contains(x, y))
        return kEntryAutomatic;
    if (!layout.grid.Contains(x, y))
        return kEntryNone;
    const int column = (x - layout.grid.left) / kCell;
    const int row = (y - layout.grid.top) / kCell;
    const int index = row * kColumns + column;
    return row < kRows && column < kColumns && index < kColourCount ? index : kEntryNone;
}

Rect CellRect(const Layout& layout, int index)
{
    const int left = layout.grid.left + (index % kColumns) * kCell;
    const int top = layout.grid.top + (index / kColumns) * kCell;
    return {left, top, left + kCell, top + kCell};
}

int Step(int hover, int delta, bool hasAutomatic, bool hasCustom)
{
    const bool backward = delta < 0;
    int target;
    if (hover == kEntryNone)
        target = backward ? kEntryCustom : kEntryAutomatic;
    else if (hover == kEntryAutomatic)
        target = backward ? kEntryCustom : 0;
    else if (hover == kEntryCustom)
        target = backward ? kColourCount - 1 : kEntryAutomatic;
    else if (hover + delta < 0)
        target = kEntryAutomatic;
    else if (hover + delta >= kColourCount)
        target = kEntryCustom;
    else
        target = hover + delta;

    // At most two entries can be empty, so this ends.
    for (int guard = 0; guard < 3; ++guard) {
        if (target == kEntryAutomatic && !hasAutomatic)
            target = backward ? kEntryCustom : 0;
        else if (target == kEntryCustom && !hasCustom)
            target = backward ? kColourCount - 1 : kEntryAutomatic;
        else
            break;
    }
    return target;
}

int CurrentEntry(Colour colour, bool hasAutomatic, bool hasCustom)
{
    if (colour == kAutomatic && hasAutomatic)
        return kEntryAutomatic;
    for (int i = 0; i < kColourCount; ++i) {
        if (kPalette[i].colour == colour)
            return i;
    }
    return hasCustom ? kEntryCustom : kEntryNone;
}

Colour BlendCurrentFill(Colour menu, Colour highlight)
{
    Colour result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const unsigned m = (menu >> shift) & 0xFF;
        const unsigned h = (highlight >> shift) & 0xFF;
        result |= ((m * 207 + h * 48) / 256) << shift;
    }
    return result;
}

}  // namespace picker
