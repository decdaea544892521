// libFuzzer target for the language-table loader: the input is the decoded table (UTF-16LE
// bytes), compressed here so that it reaches the loader the way the program's resource does;
// it is also parsed as a language file. Build and run natively (clang, AddressSanitizer):
//   clang++ -std=c++17 -g -O1 -fsanitize=fuzzer,address -I. -o /tmp/lang_table_fuzz
//       tests/fuzz/lang_table_fuzz.cpp lang/LanguageTable.cpp lang/LZARI.cpp      (one command)
//   /tmp/lang_table_fuzz -max_total_time=300 -max_len=8192 /tmp/lang_table_corpus
// or configure tools/ with -DQB_FUZZ=ON (CXX=clang++) and run the lang_table_fuzz target.
#include "lang/LZARI.h"
#include "lang/LanguageTable.h"

#include <cstdint>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring Latin1(const char* bytes, size_t size)
{
    std::wstring s;
    for (size_t i = 0; i < size; i++)
        s.push_back(wchar_t(uint8_t(bytes[i])));
    return s;
}

void Touch(const wchar_t* s)
{
    if (s != nullptr && std::wcslen(s) > kLangTextBytes)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static auto codec = std::make_unique<LZARI>();
    std::vector<uint8_t> stream = codec->Encode(data, size);
    LoadLanguageTableFromStream(stream.data(), stream.size());

    const LanguageTable& t = TheLanguageTable();
    if (t.languageCount < 0 || t.languageCount > kLangMaxLanguages)
        __builtin_trap();
    for (int lang = -1; lang <= t.languageCount; lang++) {
        g_lang_index = lang;
        for (int id = -1; id <= kLangMaxIds; id++)
            Touch(GetLangString(id));
    }
    for (int id = 0; id < kLangHeaderIds; id++)
        Touch(GetHeaderString(id));
    for (int lang = 0; lang < t.languageCount; lang++)
        Touch(t.names[lang]);
    Touch(t.freeText[0]);
    Touch(t.freeText[1]);

    // The same bytes as a language file, in a buffer of exactly their size.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size ? size : 1]);
    std::copy(data, data + size, copy.get());
    std::wstring text = LanguageFileText(copy.get(), size, &Latin1);
    const wchar_t* table[kLangMaxIds];
    ParseLanguageSection(&text[0], table);
    for (const wchar_t* s : table)
        Touch(s);
    return 0;
}
