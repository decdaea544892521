// libFuzzer target for the LZARI decoder. Build and run natively (clang, AddressSanitizer):
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address -I. tests/fuzz/lzari_fuzz.cpp lang/LZARI.cpp -o /tmp/lzari_fuzz
//   /tmp/lzari_fuzz -max_total_time=300 /tmp/lzari_corpus ../shared/lzari
// or configure tools/ with -DQB_FUZZ=ON (CXX=clang++) and run the lzari_fuzz target.
#include "lang/LZARI.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto codec = std::make_unique<LZARI>();
    // The first byte picks the mode: 0xFE round-trips the rest through the encoder; any other
    // value picks the decoder's output capacity, so both the declared length and a short
    // caller buffer get to cut the output off.
    size_t cap = 400000;
    if (size > 0) {
        uint8_t mode = data[0];
        data++;
        size--;
        if (mode == 0xFE) {
            std::vector<uint8_t> packed = codec->Encode(data, size);
            std::vector<uint8_t> unpacked(size + 1);
            if (codec->Decode(packed.data(), packed.size(), unpacked.data(), unpacked.size()) != size ||
                (size && std::memcmp(unpacked.data(), data, size) != 0))
                __builtin_trap();
            return 0;
        }
        cap = mode == 0xFF ? 400000 : size_t(mode) * 64;
    }
    // Exact-size heap copies so that AddressSanitizer catches any read or write past the end.
    std::unique_ptr<uint8_t[]> in(new uint8_t[size ? size : 1]);
    if (size)
        std::memcpy(in.get(), data, size);
    std::unique_ptr<uint8_t[]> out(new uint8_t[cap ? cap : 1]);
    size_t got = codec->Decode(in.get(), size, out.get(), cap);
    uint32_t declared = 0;
    if (got > cap || (LZARI::DeclaredLength(in.get(), size, &declared) && got > declared))
        __builtin_trap();
    return 0;
}
