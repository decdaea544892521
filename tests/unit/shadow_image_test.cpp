// Pixel-exact checks of the drop-shadow image against a model written from the
// geometry: an eroded rectangle, blurred with a circular kernel of radius 5, cut
// out where the parent lies over the shadow.
#include "controls/ShadowImage.h"

#include <gtest/gtest.h>

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

Image Make(int w, int h, const std::vector<RowSpan>& outline, const ShadowParams& params = ShadowParams())
{
    Image image;
    EXPECT_TRUE(ShadowImageSize(w, h, params, image.width, image.height));
    image.bits.assign(static_cast<std::size_t>(image.width) * image.height, 0);
    MakeShadowImage(image.bits.data(), w, h, outline, params);
    return image;
}

// Alpha of the default kernel (darkness 150, sharpness 5) at distance delta.
int KernelAlpha(double delta)
{
    if (delta > 5)
        return 0;
    return static_cast<int>((1 - delta / 6) * 150);
}

// Expected alpha with the default parameters for a parent whose shape is the
// rectangle [left, right) x [top, bottom) in parent coordinates.
int ModelAlpha(int x, int y, int left, int top, int right, int bottom)
{
    // The parent covers image pixels shifted back by the (5, 5) offset.
    if (x >= left - 5 && x < right - 5 && y >= top - 5 && y < bottom - 5)
        return 0;
    // Erosion by 5 leaves [left + 5, right - 6] x [top + 5, bottom - 6].
    const int dx = std::max({left + 5 - x, 0, x - (right - 6)});
    const int dy = std::max({top + 5 - y, 0, y - (bottom - 6)});
    return KernelAlpha(std::sqrt(static_cast<double>(dx * dx + dy * dy)));
}

void ExpectModel(const Image& image, int left, int top, int right, int bottom)
{
    int mismatches = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int expected = ModelAlpha(x, y, left, top, right, bottom);
            if (image.Alpha(x, y) != expected || (image.At(x, y) & 0xFFFFFF) != 0) {
                if (++mismatches <= 5)
                    ADD_FAILURE() << "pixel (" << x << ", " << y << "): expected alpha " << expected << ", got 0x"
                                  << std::hex << image.At(x, y) << std::dec;
            }
        }
    }
    EXPECT_EQ(0, mismatches);
}

}  // namespace

TEST(ShadowImage, PixelFormatIsPremultipliedAlphaAboveRedGreenBlue)
{
    EXPECT_EQ(0x96000000u, ShadowPixel(0, 150));
    // Light yellow 0x002CFFFF at alpha 125: red and green 255 * 125 / 255, blue 44 * 125 / 255 = 21.
    EXPECT_EQ(0x7D7D7D15u, ShadowPixel(0x002CFFFF, 125));
    EXPECT_EQ(0xFF0000FFu, ShadowPixel(0x00FF0000, 255));
    EXPECT_EQ(0u, ShadowPixel(0x00FFFFFF, 0));
}

TEST(ShadowImage, RectangularParentWithDefaults)
{
    const int w = 40, h = 30;
    const Image image = Make(w, h, RectangleOutline(w, h));
    ASSERT_EQ(w, image.width);
    ASSERT_EQ(h, image.height);

    ExpectModel(image, 0, 0, w, h);

    // Under the parent: fully transparent.
    for (int y = 0; y < h - 5; ++y)
        for (int x = 0; x < w - 5; ++x)
            ASSERT_EQ(0u, image.At(x, y)) << x << ", " << y;

    // The strips right and below fall off with the distance from the eroded core.
    const int falloff[5] = {125, 100, 75, 50, 24};
    for (int t = 0; t < 5; ++t) {
        EXPECT_EQ(falloff[t], image.Alpha(w - 5 + t, h / 2)) << "right strip, column " << t;
        EXPECT_EQ(falloff[t], image.Alpha(w / 2, h - 5 + t)) << "bottom strip, row " << t;
    }
    // Corners round off: the top of the right strip and the far corner stay clear.
    EXPECT_EQ(0, image.Alpha(w - 5, 0));
    EXPECT_EQ(46, image.Alpha(w - 5, 1));
    EXPECT_EQ(43, image.Alpha(w - 3, h - 3));
    EXPECT_EQ(0, image.Alpha(w - 1, h - 1));
    EXPECT_EQ(0, image.Alpha(0, h - 5));
}

TEST(ShadowImage, ColourIsPremultipliedIntoEveryPixel)
{
    ShadowParams params;
    params.color = 0x002CFFFF;
    const Image image = Make(40, 30, RectangleOutline(40, 30), params);
    for (std::size_t i = 0; i < image.bits.size(); ++i)
        ASSERT_EQ(ShadowPixel(params.color, static_cast<int>(image.bits[i] >> 24)), image.bits[i]) << i;
    EXPECT_EQ(ShadowPixel(params.color, 125), image.At(35, 15));
}

TEST(ShadowImage, WindowRegionGivesItsShape)
{
    // A parent of 60 x 60 whose region is the square [20, 40) x [20, 40).
    const int w = 60, h = 60;
    const std::vector<RowSpan> outline =
        ComputeOutline(w, h, [](int x, int y) { return x >= 20 && x < 40 && y >= 20 && y < 40; });
    for (int y = 0; y < h; ++y) {
        if (y >= 20 && y < 40)
            EXPECT_EQ(20, outline[y].start) << y;
        else
            EXPECT_GE(outline[y].start, outline[y].end) << y;
    }
    const Image image = Make(w, h, outline);
    ExpectModel(image, 20, 20, 40, 40);
}

TEST(ShadowImage, IrregularRegionKeepsRowsOutsideItEmptyAndCutsOutTheParent)
{
    // A triangle: row y holds columns [0, y) for y in 10..49 of a 50 x 60 parent.
    const int w = 50, h = 60;
    auto inside = [](int x, int y) { return y >= 10 && y < 50 && x < y; };
    const std::vector<RowSpan> outline = ComputeOutline(w, h, inside);
    EXPECT_EQ(0, outline[20].start);
    EXPECT_EQ(20, outline[20].end);
    EXPECT_GE(outline[5].start, outline[5].end);

    const Image image = Make(w, h, outline);
    int lit = 0;
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int alpha = image.Alpha(x, y);
            // The shadow of a row lies 5 rows lower; rows more than 5 away from the shape stay empty.
            const int parentRow = y + 5;
            if (parentRow < 10 - 5 || parentRow >= 50 + 5) {
                EXPECT_EQ(0, alpha) << x << ", " << y;
            }
            // Whatever the parent covers is transparent.
            if (parentRow < h && x + 5 < w && inside(x + 5, parentRow)) {
                EXPECT_EQ(0, alpha) << x << ", " << y;
            }
            EXPECT_LE(alpha, 150);
            lit += alpha > 0;
        }
    }
    EXPECT_GT(lit, 100);
}

TEST(ShadowImage, HugeOrEmptyParentsMakeNoImage)
{
    int iw = -1, ih = -1;
    const ShadowParams params;
    EXPECT_FALSE(ShadowImageSize(30000, 30000, params, iw, ih));
    EXPECT_FALSE(ShadowImageSize(2147483647, 2147483647, params, iw, ih));
    EXPECT_FALSE(ShadowImageSize(-5, 200, params, iw, ih));
    EXPECT_FALSE(ShadowImageSize(200, 0, params, iw, ih));
    EXPECT_EQ(-1, iw);
    EXPECT_TRUE(ShadowImageSize(4000, 3000, params, iw, ih));
    EXPECT_EQ(4000, iw);
    EXPECT_EQ(3000, ih);

    // Nothing is written through a missing buffer or for a size it cannot hold.
    MakeShadowImage(nullptr, 100, 100, RectangleOutline(100, 100), params);
    std::uint32_t guard = 0xDEADBEEF;
    MakeShadowImage(&guard, 30000, 30000, RectangleOutline(30000, 30000), params);
    EXPECT_EQ(0xDEADBEEFu, guard);
}

TEST(ShadowImage, EverySizeSharpnessAndOffsetStaysInsideTheImage)
{
    // Run under the sanitizers natively: any write outside the buffer shows up there.
    for (int s = -6; s <= 6; s += 3) {
        for (int k = 0; k <= 8; k += 4) {
            for (int off = -7; off <= 7; off += 7) {
                for (int w : {1, 3, 17}) {
                    ShadowParams params;
                    params.size = static_cast<std::int8_t>(s);
                    params.sharpness = static_cast<std::uint8_t>(k);
                    params.xOffset = params.yOffset = static_cast<std::int8_t>(off);
                    int iw = 0, ih = 0;
                    if (!ShadowImageSize(w, 13, params, iw, ih))
                        continue;
                    std::vector<std::uint32_t> bits(static_cast<std::size_t>(iw) * ih + 1, 0);
                    bits.back() = 0x12345678;
                    MakeShadowImage(bits.data(), w, 13, RectangleOutline(w, 13), params);
                    ASSERT_EQ(0x12345678u, bits.back()) << s << " " << k << " " << off << " " << w;
                    for (std::size_t i = 0; i + 1 < bits.size(); ++i)
                        ASSERT_LE(bits[i] >> 24, 150u);
                }
            }
        }
    }
}

TEST(ShadowImage, PositiveSizeGrowsTheCoreBeyondTheKernel)
{
    // Size 8 > sharpness 5: the kernel has a solid core of radius 3 at full darkness.
    ShadowParams params;
    params.size = 8;
    params.xOffset = params.yOffset = 0;
    const Image image = Make(20, 20, RectangleOutline(20, 20), params);
    EXPECT_EQ(36, image.width);
    EXPECT_EQ(0, image.Alpha(18, 18)) << "under the parent";
    EXPECT_EQ(150, image.Alpha(6, 18)) << "the grown edge left of the parent";
    EXPECT_EQ(0, image.Alpha(0, 0)) << "the far corner";
}
