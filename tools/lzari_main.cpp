// Build-time LZARI tool: "lzari e IN OUT" compresses, "lzari d IN OUT" decompresses.
#include "lang/LZARI.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

bool ReadAll(const char* path, std::vector<uint8_t>* data)
{
    FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, f)) > 0)
        data->insert(data->end(), block, block + got);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

bool WriteAll(const char* path, const std::vector<uint8_t>& data)
{
    FILE* f = std::fopen(path, "wb");
    if (!f)
        return false;
    bool ok = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4 || std::strlen(argv[1]) != 1 || (argv[1][0] != 'e' && argv[1][0] != 'd')) {
        std::fprintf(stderr, "usage: lzari e|d IN OUT\n");
        return 2;
    }
    std::vector<uint8_t> in;
    if (!ReadAll(argv[2], &in)) {
        std::fprintf(stderr, "lzari: cannot read %s\n", argv[2]);
        return 1;
    }
    auto codec = std::make_unique<LZARI>();
    std::vector<uint8_t> out;
    if (argv[1][0] == 'e') {
        if (in.size() > 0xFFFFFFFFu) {
            std::fprintf(stderr, "lzari: input too large\n");
            return 1;
        }
        out = codec->Encode(in.data(), in.size());
    } else {
        uint32_t declared = 0;
        if (!LZARI::DeclaredLength(in.data(), in.size(), &declared)) {
            std::fprintf(stderr, "lzari: %s is not a stream\n", argv[2]);
            return 1;
        }
        out.resize(declared);
        size_t got = codec->Decode(in.data(), in.size(), out.data(), out.size());
        if (got != declared) {
            std::fprintf(stderr, "lzari: %s ends after %zu of %u bytes\n", argv[2], got, unsigned(declared));
            return 1;
        }
    }
    if (!WriteAll(argv[3], out)) {
        std::fprintf(stderr, "lzari: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
