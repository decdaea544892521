// libFuzzer target for the LZARI decoder (clang, AddressSanitizer; see tools/CMakeLists.txt):
//   /tmp/qb-fuzz/lzari_fuzz -max_total_time=300 /tmp/lzari_corpus tests/data/lzari
#include "lang/LZARI.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto codec = std::make_unique<LZARI>();
    if (size == 0)
        return 0;
    // The first byte picks the output capacity, so that both the declared length and a short buffer cut off.
    const size_t cap = data[0] * 64 + 1, inSize = size - 1;
    // Exact-size heap copies, so that AddressSanitizer catches any access past either end.
    std::unique_ptr<uint8_t[]> in(new uint8_t[inSize]), out(new uint8_t[cap]);
    std::memcpy(in.get(), data + 1, inSize);
    const size_t got = codec->Decode(in.get(), inSize, out.get(), cap);
    uint32_t declared = 0;
    if (got > cap || (LZARI::DeclaredLength(in.get(), inSize, &declared) && got > declared))
        __builtin_trap();
    return 0;
}
