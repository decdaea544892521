#include "controls/ToolbarResFormat.h"

namespace {

std::uint16_t ReadWord(const unsigned char* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

}  // namespace

bool ParseToolbarResource(const void* data, std::size_t size, ToolbarResource& out)
{
    out = ToolbarResource{};
    const auto* bytes = static_cast<const unsigned char*>(data);
    constexpr std::size_t kHeaderBytes = 8;
    if (!bytes || size < kHeaderBytes || ReadWord(bytes) != 1)
        return false;
    int width = ReadWord(bytes + 2);
    int height = ReadWord(bytes + 4);
    std::size_t count = ReadWord(bytes + 6);
    if (width == 0 || height == 0 || size < kHeaderBytes + 2 * count)
        return false;
    out.imageWidth = width;
    out.imageHeight = height;
    out.commands.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        out.commands.push_back(ReadWord(bytes + kHeaderBytes + 2 * i));
    return true;
}
