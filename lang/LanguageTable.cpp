#include "lang/LanguageTable.h"

#include "lang/LZARI.h"

#include <cstring>
#include <cwchar>
#include <list>
#include <memory>
#include <vector>

int g_lang_index = 1;

namespace {

// Never freed: texts handed out stay valid for the rest of the run.
LanguageTable* g_table = nullptr;

// Texts of loaded language files; the file table points into the newest one.
std::list<std::wstring> g_fileTexts;

wchar_t g_missText[32];

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\v' || c == L'\f';
}

// The ID at the start of a line: leading blanks, one sign, then digits up to the first
// non-digit; no digits give 0. Saturates, since any value past 255 is ignored anyway.
// A byte-order mark counts as a blank, or a language file's first entry would land on ID 0.
int ReadId(const wchar_t* p)
{
    while (IsBlank(*p) || *p == 0xFEFF)
        p++;
    bool negative = false;
    if (*p == L'+' || *p == L'-') {
        negative = *p == L'-';
        p++;
    }
    long value = 0;
    for (; *p >= L'0' && *p <= L'9'; p++) {
        if (value < 100000)
            value = value * 10 + (*p - L'0');
    }
    return int(negative ? -value : value);
}

// Cuts text into lines at each LF (a CR before it goes too) and stores the text after the
// first "=" of every line whose ID is below idLimit. A last line without LF is ignored.
void ParseLines(wchar_t* text, const wchar_t** table, int idLimit)
{
    for (int i = 0; i < idLimit; i++)
        table[i] = nullptr;
    if (text == nullptr)
        return;
    wchar_t* line = text;
    for (wchar_t* p = text; *p != 0; p++) {
        if (*p != L'\n')
            continue;
        *p = 0;
        if (p > line && p[-1] == L'\r')
            p[-1] = 0;
        if (wchar_t* eq = std::wcschr(line, L'=')) {
            int id = ReadId(line);
            if (id >= 0 && id < idLimit)
                table[id] = eq + 1;
        }
        line = p + 1;
    }
}

// "\r" and "\n" (backslash and letter) become CR and LF; everything else stays.
void Unescape(wchar_t* s)
{
    wchar_t* out = s;
    for (const wchar_t* in = s; *in != 0; in++) {
        if (in[0] == L'\\' && (in[1] == L'r' || in[1] == L'n')) {
            *out++ = in[1] == L'r' ? L'\r' : L'\n';
            in++;
        } else {
            *out++ = *in;
        }
    }
    *out = 0;
}

bool NonEmpty(const wchar_t* s)
{
    return s != nullptr && *s != 0;
}

void ComputeCompleteness(LanguageTable& t)
{
    const wchar_t* const* base = t.strings[kLangBaseLanguage];
    int baseCount = 0;
    for (int id = 0; id < kLangMaxIds; id++)
        baseCount += NonEmpty(base[id]);
    for (int lang = 0; lang < kLangMaxLanguages; lang++) {
        t.completeness[lang] = 0;
        if (lang >= t.languageCount || baseCount == 0)
            continue;
        int present = 0;
        for (int id = 0; id < kLangMaxIds; id++)
            present += NonEmpty(base[id]) && NonEmpty(t.strings[lang][id]);
        t.completeness[lang] = int32_t(double(present) * 100.0 / double(baseCount));
    }
}

// Cuts the text at every "##" and records the sections; len is the text's length in characters.
// Returns the start of section 0, the header strings, or null when there is none.
wchar_t* IndexSections(LanguageTable& t, size_t len)
{
    wchar_t* headerSection = nullptr;
    wchar_t* text = t.text;
    wchar_t* end = text + len;
    // Section starts lie a few characters past their marker; a marker at the very end of the
    // text must not send them past it.
    auto at = [&](wchar_t* p, size_t skip) { return size_t(end - p) < skip ? end : p + skip; };

    int marker = 0;
    wchar_t* p = text;
    while (p + 1 < end) {
        if (p[0] != L'#' || p[1] != L'#') {
            p++;
            continue;
        }
        p[0] = 0;
        wchar_t* next = p + 2;
        if (marker == 0) {
            headerSection = at(p, 4);
        } else if (marker <= 2) {
            t.freeText[marker - 1] = at(p, 4);
        } else if (t.languageCount < kLangMaxLanguages) {
            const wchar_t* name = nullptr;
            wchar_t* start;
            if (p[2] == L'=') {
                name = p + 3;
                wchar_t* cr = p + 3;
                while (cr < end && *cr != L'\r')
                    cr++;
                if (cr < end) {
                    *cr = 0;
                    start = at(cr, 4);
                    next = cr + 1;
                } else {
                    start = end;
                    next = end;
                }
            } else {
                start = at(p, 4);
            }
            t.names[t.languageCount] = name;
            t.sectionStarts[t.languageCount] = start;
            t.languageCount++;
        }
        marker++;
        p = next;
    }
    return headerSection;
}

}  // namespace

LanguageTable& TheLanguageTable()
{
    if (g_table == nullptr) {
        g_table = new LanguageTable();
        g_table->text[0] = 0;
    }
    return *g_table;
}

void SetCurrentLanguage(int index)
{
    g_lang_index = index;
}

int GetCurrentLanguage()
{
    return g_lang_index;
}

void ParseLanguageSection(wchar_t* text, const wchar_t* table[kLangMaxIds])
{
    ParseLines(text, table, kLangMaxIds);
}

bool LoadLanguageTableFromStream(const uint8_t* stream, size_t size)
{
    LanguageTable& t = TheLanguageTable();

    // Decode, leaving room for the terminating zero character; an odd last byte is dropped.
    std::vector<uint8_t> bytes(kLangTextBytes - 2);
    auto codec = std::make_unique<LZARI>();
    size_t got = codec->Decode(stream, size, bytes.data(), bytes.size());
    size_t len = got / 2;
    for (size_t i = 0; i < len; i++)
        t.text[i] = wchar_t(bytes[2 * i] | bytes[2 * i + 1] << 8);
    t.text[len] = 0;

    for (auto& h : t.header)
        h = nullptr;
    t.freeText[0] = t.freeText[1] = nullptr;
    t.languageCount = 0;
    for (int lang = 0; lang < kLangMaxLanguages; lang++) {
        t.names[lang] = nullptr;
        t.sectionStarts[lang] = nullptr;
        for (auto& s : t.strings[lang])
            s = nullptr;
    }

    wchar_t* headerSection = IndexSections(t, len);

    t.baseCopy.clear();
    if (kLangBaseLanguage < t.languageCount)
        t.baseCopy = t.sectionStarts[kLangBaseLanguage];

    for (int lang = 0; lang < t.languageCount; lang++)
        ParseLanguageSection(const_cast<wchar_t*>(t.sectionStarts[lang]), t.strings[lang]);

    ComputeCompleteness(t);

    ParseLines(headerSection, t.header, kLangHeaderIds);
    for (auto& h : t.header) {
        if (h != nullptr)
            Unescape(const_cast<wchar_t*>(h));
    }
    return true;
}

const wchar_t* GetLangString(int id)
{
    const LanguageTable& t = TheLanguageTable();
    if (t.fileMode) {
        if (id >= 0 && id < kLangMaxIds && t.fileTable[id] != nullptr)
            return t.fileTable[id];
        std::swprintf(g_missText, sizeof g_missText / sizeof g_missText[0], L"str:%d?", id);
        return g_missText;
    }
    if (id < 0 || id >= kLangMaxIds)
        return nullptr;
    int lang = g_lang_index;
    if (lang >= 0 && lang < kLangMaxLanguages && lang < t.languageCount && t.strings[lang][id] != nullptr)
        return t.strings[lang][id];
    return t.strings[kLangBaseLanguage][id];
}

const wchar_t* GetHeaderString(int id)
{
    if (id < 0 || id >= kLangHeaderIds)
        return nullptr;
    return TheLanguageTable().header[id];
}

std::wstring LanguageFileText(const uint8_t* data, size_t size, std::wstring (*fromAnsi)(const char*, size_t))
{
    constexpr size_t kBlock = 1024;
    bool utf16 = size >= 2 && data[0] == 0xFF && data[1] == 0xFE;
    std::wstring text;
    if (utf16) {
        // Each block counts up to its first zero character; a lone last byte is no character.
        for (size_t off = 0; off + 1 < size; off += kBlock) {
            size_t units = (size - off < kBlock ? size - off : kBlock) / 2;
            for (size_t i = 0; i < units; i++) {
                wchar_t c = wchar_t(data[off + 2 * i] | data[off + 2 * i + 1] << 8);
                if (c == 0)
                    break;
                text.push_back(c);
            }
        }
        return text;
    }
    // Collected first and converted once, so that no character is split at a block edge.
    std::string ansi;
    for (size_t off = 0; off < size; off += kBlock) {
        size_t n = size - off < kBlock ? size - off : kBlock;
        const char* block = reinterpret_cast<const char*>(data + off);
        const void* zero = std::memchr(block, 0, n);
        ansi.append(block, zero ? static_cast<const char*>(zero) - block : n);
    }
    return fromAnsi ? fromAnsi(ansi.data(), ansi.size()) : std::wstring();
}

void UseLanguageFile(std::wstring text)
{
    g_fileTexts.push_back(std::move(text));
    LanguageTable& t = TheLanguageTable();
    ParseLanguageSection(g_fileTexts.back().data(), t.fileTable);
    t.fileMode = 1;
}
