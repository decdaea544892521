#include "lang/LZARI.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#ifndef QB_LZARI_VECTORS
#error "QB_LZARI_VECTORS must name the folder of the reference vectors"
#endif

namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadVector(const std::string& name)
{
    std::string path = std::string(QB_LZARI_VECTORS) + (QB_LZARI_VECTORS[0] == '/' ? "/" : "\\") + name;
    Bytes data;
    FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_NE(f, nullptr) << "cannot open " << path;
    if (!f)
        return data;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        data.push_back(uint8_t(c));
    std::fclose(f);
    return data;
}

// Decodes into an exact-size buffer followed by guard bytes that must stay untouched.
Bytes Decode(const Bytes& stream, size_t cap)
{
    auto codec = std::make_unique<LZARI>();
    Bytes out(cap + 16, 0xA5);
    size_t got = codec->Decode(stream.data(), stream.size(), out.data(), cap);
    EXPECT_LE(got, cap);
    for (size_t i = cap; i < out.size(); i++)
        EXPECT_EQ(out[i], 0xA5) << "byte " << i << " written past the capacity of " << cap;
    out.resize(got);
    return out;
}

uint32_t Declared(const Bytes& stream)
{
    uint32_t n = 0;
    EXPECT_TRUE(LZARI::DeclaredLength(stream.data(), stream.size(), &n));
    return n;
}

Bytes Encode(const Bytes& data)
{
    auto codec = std::make_unique<LZARI>();
    return codec->Encode(data.data(), data.size());
}

const char* const kVectors[] = {"empty",    "one_byte", "two_bytes", "three_bytes", "spaces_3",     "run60",
                                "run61",    "pattern_4096", "pattern_4097", "random_20k", "notes_utf16le"};

} // namespace

TEST(LangLzari, DecodesEveryReferenceVector)
{
    for (const char* name : kVectors) {
        SCOPED_TRACE(name);
        Bytes expected = ReadVector(std::string(name) + ".bin");
        Bytes stream = ReadVector(std::string(name) + ".lz");
        ASSERT_EQ(Declared(stream), expected.size());
        Bytes got = Decode(stream, expected.size());
        EXPECT_TRUE(got == expected) << "decoded " << got.size() << " of " << expected.size() << " bytes";
    }
}

TEST(LangLzari, OwnStreamsDecodeToTheirInput)
{
    for (const char* name : kVectors) {
        SCOPED_TRACE(name);
        Bytes data = ReadVector(std::string(name) + ".bin");
        Bytes stream = Encode(data);
        ASSERT_GE(stream.size(), 4u);
        EXPECT_EQ(Declared(stream), data.size());
        EXPECT_TRUE(Decode(stream, data.size()) == data);
    }
}

TEST(LangLzari, OneCodecObjectServesManyStreams)
{
    // The model and the ring buffer must start afresh for every stream.
    auto codec = std::make_unique<LZARI>();
    Bytes a = ReadVector("notes_utf16le.bin");
    Bytes b = ReadVector("pattern_4097.bin");
    Bytes sa = codec->Encode(a.data(), a.size());
    Bytes sb = codec->Encode(b.data(), b.size());
    EXPECT_TRUE(sb == Encode(b));
    Bytes out(a.size());
    ASSERT_EQ(codec->Decode(sa.data(), sa.size(), out.data(), out.size()), a.size());
    out.resize(b.size());
    ASSERT_EQ(codec->Decode(sb.data(), sb.size(), out.data(), out.size()), b.size());
    EXPECT_TRUE(out == b);
}

TEST(LangLzari, TruncatedStreamEndsWithinBounds)
{
    Bytes stream = ReadVector("trunc_half_notes_utf16le.lz");
    Bytes full = ReadVector("notes_utf16le.bin");
    uint32_t declared = Declared(stream);
    ASSERT_EQ(declared, full.size());
    Bytes got = Decode(stream, declared);
    EXPECT_LT(got.size(), full.size());
    // The half that is there still decodes to the start of the text.
    ASSERT_GE(got.size(), 4000u);
    EXPECT_TRUE(std::equal(got.begin(), got.begin() + 4000, full.begin()));
}

TEST(LangLzari, StopsWhenTheInputRunsOut)
{
    // A length header that promises far more than the coded bits can hold.
    Bytes stream = {0xFF, 0xFF, 0xFF, 0x7F};
    for (int i = 0; i < 300; i++)
        stream.push_back(uint8_t(i * 37 + 11));
    Bytes got = Decode(stream, 1 << 20);
    EXPECT_LT(got.size(), 100000u) << "kept decoding past the end of its input";
}

TEST(LangLzari, StopsAtTheDeclaredLengthInsideAMatch)
{
    Bytes data(60, 'a'); // one literal, then one long match
    Bytes stream = Encode(data);
    stream[0] = 10;
    Bytes got = Decode(stream, 64);
    EXPECT_EQ(got, Bytes(10, 'a'));
}

TEST(LangLzari, StopsAtTheCallersCapacity)
{
    Bytes data = ReadVector("notes_utf16le.bin");
    Bytes got = Decode(Encode(data), 1001);
    ASSERT_EQ(got.size(), 1001u);
    EXPECT_TRUE(std::equal(got.begin(), got.end(), data.begin()));
}

TEST(LangLzari, ShortOrEmptyStreams)
{
    auto codec = std::make_unique<LZARI>();
    uint8_t out[8] = {};
    const uint8_t header[3] = {5, 0, 0};
    EXPECT_EQ(codec->Decode(header, sizeof header, out, sizeof out), 0u);
    uint32_t n = 99;
    EXPECT_FALSE(LZARI::DeclaredLength(header, sizeof header, &n));
    EXPECT_EQ(codec->Decode(nullptr, 0, out, sizeof out), 0u);
    // A bare header: the bits are all missing, yet the decoder ends.
    const uint8_t bare[4] = {200, 0, 0, 0};
    EXPECT_LE(codec->Decode(bare, sizeof bare, out, sizeof out), sizeof out);
}
