// The colour picker's palette, popup layout, hit test and keyboard ring,
// apart from any window so that they can be tested on their own.
#pragma once

#include <cstdint>

namespace picker {

using Colour = std::uint32_t;  // 0x00BBGGRR

constexpr Colour kAutomatic = 0xFF000000u;
constexpr Colour kNoColour = 0xFFFFFFFFu;

// Popup entries besides the palette cells 0..39.
constexpr int kEntryAutomatic = -3;
constexpr int kEntryCustom = -2;
constexpr int kEntryNone = -1;

constexpr int kColourCount = 40;
constexpr int kColumns = 8;
constexpr int kRows = (kColourCount + kColumns - 1) / kColumns;
constexpr int kCell = 21;
constexpr int kGridWidth = kColumns * kCell;
constexpr int kGridHeight = kRows * kCell;
constexpr int kTextPadding = 10;

struct NamedColour {
    const wchar_t* name;
    Colour colour;
};

// The 40 named colours in popup order (index = 8 x row + column).
const NamedColour& PaletteEntry(int index);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

struct Size {
    int cx = 0, cy = 0;
};

struct Layout {
    Rect automatic;  // empty height when the entry has no text
    Rect grid;
    Rect custom;
    Size window;
};

// Text sizes measured in the popup font; an empty text is passed as {0, 0}
// with present = false.
Layout LayOut(Size automaticText, bool hasAutomatic, Size customText, bool hasCustom, int cxEdge, int cyEdge);

// Where the popup goes: first at the button's lower-left corner, then moved
// into bounds; past the bottom it moves above the button.
Rect PlacePopup(const Rect& button, Size window, const Rect& bounds);

// The entry under a point of the popup's client area.
int HitTest(const Layout& layout, int x, int y);

// The cell rectangle of palette entry i.
Rect CellRect(const Layout& layout, int index);

// One step of the keyboard ring "Automatic", 0..39, "More Colors...", with
// entries without text left out.
int Step(int hover, int delta, bool hasAutomatic, bool hasCustom);

// The entry marked when the popup opens for this colour.
int CurrentEntry(Colour colour, bool hasAutomatic, bool hasCustom);

// Per channel floor((menu * 207 + highlight * 48) / 256).
Colour BlendCurrentFill(Colour menu, Colour highlight);

// The 9 x 9 cross drawn for "no colour": bit (8 - column) of row r is set.
extern const std::uint16_t kCrossGlyph[9];

}  // namespace picker
