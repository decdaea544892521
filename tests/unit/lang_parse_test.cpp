// The loader, lookups and language files on small tables of our own.
#include "lang/LZARI.h"
#include "lang/LanguageTable.h"
#include "tests/unit/LangState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Utf16(const std::wstring& text)
{
    Bytes bytes;
    for (wchar_t c : text)
        bytes.insert(bytes.end(), {uint8_t(c & 0xFF), uint8_t(c >> 8)});
    return bytes;
}

std::wstring Str(const wchar_t* s)
{
    return s ? std::wstring(s) : std::wstring(L"<null>");
}

class LangParse : public LangStateTest {
protected:
    static void Load(const std::wstring& text, bool oddByte = false)
    {
        Bytes bytes = Utf16(L"\xFEFF" + text);
        if (oddByte)
            bytes.push_back('x');
        Bytes stream = std::make_unique<LZARI>()->Encode(bytes.data(), bytes.size());
        EXPECT_TRUE(LoadLanguageTableFromStream(stream.data(), stream.size()));
    }
};

}  // namespace

TEST_F(LangParse, SectionsHeadersLookupsAndCompleteness)
{
    Load(
        L"##\r\n25=first\\r\\nsecond\\nthird\\tkept\r\n##\r\n##\r\n##=German\tDeutsch\r\n\r\nTranslatorName=X\r\n"
        L"1=Eins\r\n2=\r\n3=Drei\r\n##=Englisch\tEnglish\r\n\r\nTranslatorName=X\r\n1=One\r\n2=Two\r\n3=Three\r\n"
        L"4=Four\r\n##\r\n");
    const LanguageTable& t = TheLanguageTable();
    EXPECT_TRUE(t.languageCount == 3 && Str(t.names[1]) == L"Englisch\tEnglish" && !t.names[2]);
    EXPECT_EQ(Str(GetHeaderString(25)), L"first\r\nsecond\nthird\\tkept") << "only \\r and \\n are unescaped";
    EXPECT_EQ(GetHeaderString(128), nullptr);
    g_lang_index = 0;
    EXPECT_EQ(Str(GetLangString(2)), L"") << "an empty text is still the language's own";
    EXPECT_EQ(Str(GetLangString(4)), L"Four");
    EXPECT_EQ(GetLangString(256), nullptr);
    for (int lang : {1000, -1}) {
        g_lang_index = lang;
        EXPECT_EQ(Str(GetLangString(1)), L"One") << "language " << lang;
    }
    // IDs 0 to 4 in the base; German has 0, 1 and 3 of them.
    EXPECT_EQ(t.completeness[0], 60);
}

TEST_F(LangParse, DamagedOrOversizedTablesStayInTheirBuffers)
{
    // Section starts lie past their markers: none may point beyond the text.
    for (const wchar_t* text : {L"##", L"##\r\n##", L"##\r\n##\r\n##\r\n##=Name", L"##\r\n##\r\n##\r\n##", L"#"}) {
        Load(text);
        for (int i = 0; i < TheLanguageTable().languageCount; i++)
            EXPECT_EQ(*TheLanguageTable().sectionStarts[i], 0) << Str(text);
    }
    std::wstring many = L"##\r\n##\r\n##\r\n";
    for (int i = 0; i < 70; i++)
        many += L"##=L" + std::to_wstring(i) + L"\r\n\r\n7=text" + std::to_wstring(i) + L"\r\n";
    Load(many);
    EXPECT_EQ(TheLanguageTable().languageCount, 64);
    EXPECT_EQ(Str(TheLanguageTable().strings[63][7]), L"text63");

    // More than the 400000-byte buffer holds, and an odd number of bytes.
    std::wstring big = L"##\r\n19=big\r\n##\r\n##\r\n##=A\r\n\r\n";
    while (big.size() < 210000)
        big += L"1=aaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    Load(big, true);
    EXPECT_LT(std::wcslen(TheLanguageTable().text), kLangTextBytes / 2);
    EXPECT_EQ(Str(GetHeaderString(19)), L"big");
}

TEST(LangParseSection, LineRules)
{
    std::wstring text =
        L"TranslatorName=Anna\r\n[Theme]\r\n300=out of range\r\n-5=negative\r\n256=past the end\r\n"
        L"255=last\r\n  +12=a=b\r\n17=no line end";
    const wchar_t* table[kLangMaxIds];
    ParseLanguageSection(&text[0], table);
    EXPECT_EQ(Str(table[0]), L"Anna");
    EXPECT_EQ(Str(table[255]), L"last");
    EXPECT_EQ(Str(table[12]), L"a=b");
    EXPECT_EQ(std::count(std::begin(table), std::end(table), nullptr), kLangMaxIds - 3)
        << "headings, IDs outside 0..255 and a last line without line end land nowhere";
}

TEST_F(LangParse, LanguageFilesNeverReadPastTheirEnd)
{
    auto fileText = [](const Bytes& bytes) {
        // Exact-size copy, so that a native sanitizer run catches a read past the end.
        std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), copy.get());
        return LanguageFileText(copy.get(), bytes.size(), [](const char* b, size_t n) {
            return std::wstring(reinterpret_cast<const uint8_t*>(b), reinterpret_cast<const uint8_t*>(b) + n);
        });
    };
    EXPECT_EQ(fileText({0xFF, 0xFE, '1', 0, '=', 0, 'x'}),
              L"\xFEFF"
              L"1=")
        << "the lone last byte is dropped";
    EXPECT_EQ(fileText({'8', '=', 0xE4, '\r', '\n'}), L"8=\xE4\r\n");
    EXPECT_EQ(fileText({0xFF}), L"\xFF");

    UseLanguageFile(
        L"\xFEFF"
        L"1=Uno\r\n4=Quattro");
    const wchar_t* kept = GetLangString(1);
    EXPECT_EQ(Str(kept), L"Uno") << "the first entry, right after the byte-order mark";
    EXPECT_EQ(Str(GetLangString(4)), L"str:4?") << "its last line has no line end";
    EXPECT_EQ(Str(GetLangString(-7)), L"str:-7?");
    UseLanguageFile(L"5=Cinque\r\n");
    EXPECT_EQ(Str(kept), L"Uno") << "texts handed out stay valid after a second load";
}
