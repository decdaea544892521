// libFuzzer target: the shadow image for any size and parameters, with an outline of any shape.
#include "controls/ShadowImage.h"
#include "tests/fuzz/FuzzInput.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    ShadowParams params;
    params.darkness = in.Take<uint8_t>();
    params.sharpness = in.Take<uint8_t>();
    params.size = in.Take<int8_t>();
    params.xOffset = in.Take<int8_t>();
    params.yOffset = in.Take<int8_t>();
    params.color = in.Take<uint32_t>();
    // Sizes up to 511 keep one run short; a few huge ones test the limits.
    const uint16_t rawWidth = in.Take<uint16_t>(), rawHeight = in.Take<uint16_t>();
    const int width = rawWidth & 0x8000 ? static_cast<int>(rawWidth) << 15 : rawWidth % 512;
    const int height = rawHeight & 0x8000 ? -static_cast<int>(rawHeight) : rawHeight % 512;
    const uint32_t seed = in.Take<uint32_t>();
    int imageWidth = 0, imageHeight = 0;
    if (!ShadowImageSize(width, height, params, imageWidth, imageHeight))
        return 0;
    if (imageWidth <= 0 || imageHeight <= 0 || static_cast<long long>(imageWidth) * imageHeight > kMaxShadowPixels)
        __builtin_trap();
    if (static_cast<long long>(imageWidth) * imageHeight > (1 << 20))
        return 0;  // correct, but too slow to draw on every run
    const std::vector<RowSpan> outline =
        seed & 1 ? RectangleOutline(width, height)
                 : ComputeOutline(width, height, [&](int x, int y) { return ((x * 31 + y * 17) ^ seed) % 7 != 0; });
    std::unique_ptr<uint32_t[]> bits(new uint32_t[static_cast<size_t>(imageWidth) * imageHeight]());
    MakeShadowImage(bits.get(), width, height, outline, params);
    return 0;
}
