#include "notes/NoteDlgRules.h"

int NoteZoneAt(int x, int y, int w, int h, int f)
{
    if (x <= f) {
        if (y <= f)
            return kZoneTopLeft;
        return y >= h - f ? kZoneBottomLeft : kZoneLeft;
    }
    if (x < w - f) {
        if (y <= f)
            return kZoneTop;
        if (y >= h - f)
            return kZoneBottom;
        // The band between the first buttons and the close item moves the note.
        return x >= 42 && x < w - 22 && y >= 0 && y < 40 ? kZoneMove : kZoneSurface;
    }
    if (y <= f)
        return kZoneTopRight;
    return y <= h - f ? kZoneRight : kZoneBottomRight;
}

ZoneCursor CursorForZone(int zone)
{
    switch (zone) {
        case kZoneLeft:
        case kZoneRight:
            return ZoneCursor::WestEast;
        case kZoneTop:
        case kZoneBottom:
            return ZoneCursor::NorthSouth;
        case kZoneTopLeft:
        case kZoneBottomRight:
            return ZoneCursor::NorthWestSouthEast;
        case kZoneTopRight:
        case kZoneBottomLeft:
            return ZoneCursor::NorthEastSouthWest;
        default:
            return ZoneCursor::Hand;
    }
}

std::uint32_t DarkToolbarPixel(std::uint32_t rgb)
{
    const std::uint32_t r = (rgb >> 16) & 0xFF;
    const std::uint32_t g = (rgb >> 8) & 0xFF;
    const std::uint32_t b = rgb & 0xFF;
    if (r != g || g != b)
        return rgb & 0xFFFFFF;
    const std::uint32_t v = r < 128 ? 255 - r : r;
    return (v << 16) | (v << 8) | v;
}
