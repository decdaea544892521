#include "lang/LZARI.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadVector(const std::string& name)
{
    std::string path = std::string(QB_LZARI_VECTORS) + (QB_LZARI_VECTORS[0] == '/' ? "/" : "\\") + name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in.is_open()) << "cannot open " << path;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// One codec for every stream, so that a model or ring buffer left over from the last one shows.
const auto g_codec = std::make_unique<LZARI>();

// Decodes into a buffer of cap bytes followed by guard bytes that must stay untouched.
Bytes Decode(const Bytes& stream, size_t cap)
{
    Bytes out(cap + 16, 0xA5);
    size_t got = g_codec->Decode(stream.data(), stream.size(), out.data(), cap);
    EXPECT_LE(got, cap);
    EXPECT_EQ(Bytes(out.begin() + cap, out.end()), Bytes(16, 0xA5)) << "written past the capacity of " << cap;
    out.resize(got);
    return out;
}

}  // namespace

TEST(LangLzari, ReferenceVectorsDecodeAndOwnStreamsRoundTrip)
{
    for (const char* name : {"empty", "one_byte", "two_bytes", "three_bytes", "spaces_3", "run60", "run61",
                             "pattern_4096", "pattern_4097", "random_20k", "notes_utf16le"}) {
        SCOPED_TRACE(name);
        Bytes data = ReadVector(std::string(name) + ".bin");
        EXPECT_TRUE(Decode(ReadVector(std::string(name) + ".lz"), data.size()) == data);
        EXPECT_TRUE(Decode(g_codec->Encode(data.data(), data.size()), data.size() + 1) == data);
    }
}

TEST(LangLzari, DamagedStreamsEndWithinBounds)
{
    Bytes full = ReadVector("notes_utf16le.bin");
    Bytes half = Decode(ReadVector("trunc_half_notes_utf16le.lz"), full.size());
    EXPECT_LT(half.size(), full.size());
    ASSERT_GE(half.size(), 4000u) << "the half that is there still decodes";
    EXPECT_TRUE(std::equal(half.begin(), half.begin() + 4000, full.begin()));

    // A header that promises 2 GB over 300 bytes of noise: the decoder gives up when its input ends.
    Bytes noise = {0xFF, 0xFF, 0xFF, 0x7F};
    for (int i = 0; i < 300; i++)
        noise.push_back(uint8_t(i * 37 + 11));
    EXPECT_LT(Decode(noise, 1 << 20).size(), 100000u);

    // The declared length cuts a match short; the caller's capacity cuts a longer stream short.
    Bytes run = g_codec->Encode(Bytes(60, 'a').data(), 60);
    run[0] = 10;
    EXPECT_EQ(Decode(run, 64), Bytes(10, 'a'));
    Bytes cut = Decode(g_codec->Encode(full.data(), full.size()), 1001);
    EXPECT_TRUE(cut.size() == 1001 && std::equal(cut.begin(), cut.end(), full.begin()));

    EXPECT_EQ(Decode({5, 0, 0}, 8).size(), 0u) << "shorter than its header";
}
