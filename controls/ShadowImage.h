// The image of a drop shadow: the parent's outline eroded by the sharpness,
// blurred with a circular kernel, filled with the core colour and cut out where
// the parent covers it. Pixels are layered-window pixels (premultiplied
// 0xAARRGGBB) in rows stored bottom-up, as a 32-bit bottom-up DIB holds them.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct ShadowParams {
    std::uint8_t darkness = 150;  // opacity of the core
    std::uint8_t sharpness = 5;   // width of the blurred edge
    std::int8_t size = 0;         // growth beyond the parent on every side
    std::int8_t xOffset = 5;
    std::int8_t yOffset = 5;
    std::uint32_t color = 0;  // 0x00BBGGRR
};

// Horizontal extent of one row, end exclusive; start >= end means empty.
struct RowSpan {
    int start;
    int end;
};

// Per row of a w x h parent: the first and one past the last column for which
// inside(x, y) holds; an empty row is (w, 0).
std::vector<RowSpan> ComputeOutline(int width, int height, const std::function<bool(int, int)>& inside);

// The outline of a plain rectangle, without testing points.
std::vector<RowSpan> RectangleOutline(int width, int height);

// alpha << 24 | premultiplied red, green, blue.
std::uint32_t ShadowPixel(std::uint32_t color, int alpha);

// Images beyond this many pixels are not made: no screen shows them and their
// memory would be several gigabytes for a note stored with a huge size.
constexpr long long kMaxShadowPixels = 1LL << 26;
constexpr int kMaxShadowEdge = 32767;

// Size of the shadow image of a width x height parent; false when it would be
// empty or larger than the limits above.
bool ShadowImageSize(int width, int height, const ShadowParams& params, int& imageWidth, int& imageHeight);

// Draws into `bits`, imageWidth x imageHeight pixels from ShadowImageSize,
// cleared to 0 by the caller. `outline` holds one span per row of the parent.
void MakeShadowImage(std::uint32_t* bits,
                     int width,
                     int height,
                     const std::vector<RowSpan>& outline,
                     const ShadowParams& params);
