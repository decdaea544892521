// Geometry of a note window without the window: which zone of the note a
// client point lies in, the cursor each zone shows, and the light toolbar
// pictures turned into their dark-background variant.
#pragma once

#include <cstdint>

// 0 surface, 1..8 the sizing directions (left, right, top, top-left,
// top-right, bottom, bottom-left, bottom-right), 9 the move band of the toolbar.
enum NoteZone : int {
    kZoneSurface = 0,
    kZoneLeft = 1,
    kZoneRight = 2,
    kZoneTop = 3,
    kZoneTopLeft = 4,
    kZoneTopRight = 5,
    kZoneBottom = 6,
    kZoneBottomLeft = 7,
    kZoneBottomRight = 8,
    kZoneMove = 9,
};

// Zone of client point (x, y) in a client area of w x h with a sizing frame f.
int NoteZoneAt(int x, int y, int w, int h, int f);

enum class ZoneCursor { Hand, WestEast, NorthSouth, NorthWestSouthEast, NorthEastSouthWest };
ZoneCursor CursorForZone(int zone);

// One pixel (0x00RRGGBB) of a toolbar picture for dark backgrounds: dark greys
// are mirrored so that dark strokes turn light; colours and the transparent
// magenta stay as they are.
std::uint32_t DarkToolbarPixel(std::uint32_t rgb);
