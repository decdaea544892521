// Pixel-exact checks of the drop-shadow image against a model written from the
// geometry: an eroded rectangle, blurred with a circular kernel of radius 5, cut
// out where the parent lies over the shadow.
#include "controls/ShadowImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> bits;

    // y counts from the top; the buffer is bottom-up.
    std::uint32_t At(int x, int y) const { return bits[static_cast<std::size_t>(height - 1 - y) * width + x]; }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
};

Image Make(int w, int h, const std::vector<RowSpan>& outline)
{
    Image image;
    const ShadowParams params;
    EXPECT_TRUE(ShadowImageSize(w, h, params, image.width, image.height));
    image.bits.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    MakeShadowImage(image.bits.data(), w, h, outline, params);
    return image;
}

// Expected alpha with the defaults (darkness 150, sharpness 5, offset (5, 5), black) for a parent
// whose shape is the rectangle [left, right) x [top, bottom) in parent coordinates.
int ModelAlpha(int x, int y, int left, int top, int right, int bottom)
{
    if (x >= left - 5 && x < right - 5 && y >= top - 5 && y < bottom - 5)
        return 0;  // under the parent
    // Erosion by 5 leaves [left + 5, right - 6] x [top + 5, bottom - 6].
    const int dx = std::max({left + 5 - x, 0, x - (right - 6)});
    const int dy = std::max({top + 5 - y, 0, y - (bottom - 6)});
    const double delta = std::sqrt(static_cast<double>(dx * dx + dy * dy));
    return delta > 5 ? 0 : static_cast<int>((1 - delta / 6) * 150);
}

void ExpectModel(const Image& image, int left, int top, int right, int bottom)
{
    int mismatches = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t expected = static_cast<std::uint32_t>(ModelAlpha(x, y, left, top, right, bottom)) << 24;
            if (image.At(x, y) != expected && ++mismatches <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << "): expected 0x" << std::hex << expected << ", got 0x"
                              << image.At(x, y);
        }
    }
    EXPECT_EQ(0, mismatches);
}

}  // namespace

TEST(ShadowImage, RectangularParentWithDefaults)
{
    const int w = 40, h = 30;
    const Image image = Make(w, h, RectangleOutline(w, h));
    ASSERT_EQ(w, image.width);
    ASSERT_EQ(h, image.height);
    ExpectModel(image, 0, 0, w, h);
}

TEST(ShadowImage, WindowRegionGivesItsShape)
{
    // A parent of 60 x 60 whose region is the square [20, 40) x [20, 40).
    const std::vector<RowSpan> outline =
        ComputeOutline(60, 60, [](int x, int y) { return x >= 20 && x < 40 && y >= 20 && y < 40; });
    EXPECT_GE(outline[10].start, outline[10].end) << "a row outside the region is empty";
    ExpectModel(Make(60, 60, outline), 20, 20, 40, 40);
}

TEST(ShadowImage, HugeOrEmptyParentsMakeNoImage)
{
    const ShadowParams params;
    for (int size : {30000, 2147483647, -5, 0}) {
        int iw = -1, ih = -1;
        EXPECT_FALSE(ShadowImageSize(size, size, params, iw, ih)) << size;
    }
    // Nothing is written through a missing buffer or for a size it cannot hold.
    MakeShadowImage(nullptr, 100, 100, RectangleOutline(100, 100), params);
    std::uint32_t guard = 0xDEADBEEF;
    MakeShadowImage(&guard, 30000, 30000, RectangleOutline(30000, 30000), params);
    EXPECT_EQ(0xDEADBEEFu, guard);
}
