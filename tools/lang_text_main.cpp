// Build-time tool: "lang_text IN OUT" turns the UTF-8 source of the language table into the
// form the program reads: UTF-16LE with a byte-order mark and CR LF line ends.
#include <cstdio>
#include <cstdint>
#include <vector>

namespace {

void PutUnit(std::vector<uint8_t>* out, uint32_t unit)
{
    out->push_back(uint8_t(unit & 0xFF));
    out->push_back(uint8_t(unit >> 8));
}

// Returns false, with the offending byte offset, on malformed UTF-8 or a stray CR.
bool Convert(const std::vector<uint8_t>& in, std::vector<uint8_t>* out, size_t* badAt)
{
    PutUnit(out, 0xFEFF);
    size_t i = 0;
    if (in.size() >= 3 && in[0] == 0xEF && in[1] == 0xBB && in[2] == 0xBF)
        i = 3;  // the source's own byte-order mark
    while (i < in.size()) {
        *badAt = i;
        uint8_t b = in[i];
        uint32_t cp;
        size_t more;
        if (b < 0x80) {
            cp = b;
            more = 0;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            more = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            more = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            more = 3;
        } else {
            return false;
        }
        if (i + more >= in.size())
            return false;  // cut short
        for (size_t k = 1; k <= more; k++) {
            if ((in[i + k] & 0xC0) != 0x80)
                return false;
            cp = cp << 6 | (in[i + k] & 0x3F);
        }
        static const uint32_t kMin[] = {0, 0x80, 0x800, 0x10000};
        if (cp < kMin[more] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += more + 1;
        if (cp == '\r') {
            // A checkout with CR LF line ends: the CR belongs to the line end written below.
            if (i < in.size() && in[i] == '\n')
                continue;
            return false;
        }
        if (cp == '\n') {
            PutUnit(out, '\r');
            PutUnit(out, '\n');
        } else if (cp >= 0x10000) {
            cp -= 0x10000;
            PutUnit(out, 0xD800 | cp >> 10);
            PutUnit(out, 0xDC00 | (cp & 0x3FF));
        } else {
            PutUnit(out, cp);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: lang_text IN OUT\n");
        return 2;
    }
    FILE* f = std::fopen(argv[1], "rb");
    if (!f) {
        std::fprintf(stderr, "lang_text: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<uint8_t> in;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        in.push_back(uint8_t(c));
    std::fclose(f);

    std::vector<uint8_t> out;
    size_t badAt = 0;
    if (!Convert(in, &out, &badAt)) {
        std::fprintf(stderr, "lang_text: %s: malformed UTF-8 or stray CR at byte %zu\n", argv[1], badAt);
        return 1;
    }
    f = std::fopen(argv[2], "wb");
    if (!f) {
        std::fprintf(stderr, "lang_text: cannot write %s\n", argv[2]);
        return 1;
    }
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    if (std::fclose(f) != 0 || !ok) {
        std::fprintf(stderr, "lang_text: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
