// The toolbar resource (type 241): 16-bit little-endian words, version 1, image
// width, image height, button count, then that many command ids (0 = separator).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct ToolbarResource {
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<std::uint16_t> commands;  // 0 marks a separator
};

// False for data that is too short for its count, of another version or with
// an image size of zero; `out` is then left empty.
bool ParseToolbarResource(const void* data, std::size_t size, ToolbarResource& out);
