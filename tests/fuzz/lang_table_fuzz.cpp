// libFuzzer target for the table loader and the language-file reader (clang, AddressSanitizer; see
// tools/CMakeLists.txt). The input is the decoded table, compressed here as the build does with the resource.
#include "lang/LZARI.h"
#include "lang/LanguageTable.h"

#include <cstring>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Reading every text to its end lets the sanitizer see a stray pointer.
    auto check = [](const wchar_t* s) {
        if (s && std::wcslen(s) >= kLangTextBytes / 2)
            __builtin_trap();
    };
    std::vector<uint8_t> stream = std::make_unique<LZARI>()->Encode(data, size);
    LoadLanguageTableFromStream(stream.data(), stream.size());
    for (g_lang_index = -1; g_lang_index <= TheLanguageTable().languageCount; g_lang_index++)
        for (int id = -1; id <= kLangMaxIds; id++)
            check(GetLangString(id));
    for (int id = 0; id < kLangHeaderIds; id++)
        check(GetHeaderString(id));

    // The same bytes as a language file, in a buffer of exactly their size.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size]);
    std::memcpy(copy.get(), data, size);
    std::wstring text = LanguageFileText(copy.get(), size, [](const char* b, size_t n) {
        return std::wstring(reinterpret_cast<const uint8_t*>(b), reinterpret_cast<const uint8_t*>(b) + n);
    });
    const wchar_t* table[kLangMaxIds];
    ParseLanguageSection(&text[0], table);
    for (const wchar_t* s : table)
        check(s);
    return 0;
}
