#include "lang/LZARI.h"
#include "lang/LanguageTable.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Utf16(const std::wstring& text)
{
    Bytes bytes;
    for (wchar_t c : text) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t((c >> 8) & 0xFF));
    }
    return bytes;
}

Bytes Compress(const Bytes& data)
{
    auto codec = std::make_unique<LZARI>();
    return codec->Encode(data.data(), data.size());
}

std::wstring Str(const wchar_t* s)
{
    return s ? std::wstring(s) : std::wstring(L"<null>");
}

// Loads a table made from text (the byte-order mark is added) and restores the process-wide
// state the other tests expect.
class LangParse : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedLang_ = g_lang_index;
        TheLanguageTable().fileMode = 0;
    }
    void TearDown() override
    {
        g_lang_index = savedLang_;
        TheLanguageTable().fileMode = 0;
    }
    static void Load(const std::wstring& text)
    {
        Bytes stream = Compress(Utf16(L"\xFEFF" + text));
        EXPECT_TRUE(LoadLanguageTableFromStream(stream.data(), stream.size()));
    }

private:
    int savedLang_ = 1;
};

const wchar_t kSmallTable[] =
    L"##\r\n"
    L"19=Product 2.5\r\n"
    L"x22=not an id line without digits lands on 0\r\n"
    L"25=first\\r\\nsecond\\nthird\\tkept\\\\ and \\x\r\n"
    L"27=older\r\n"
    L"27=newer\r\n"
    L"130=beyond the header range\r\n"
    L"##\r\nfree one\r\n"
    L"##\r\nfree two\r\n"
    L"##=German\tDeutsch\r\n\r\n"
    L"TranslatorName=Someone\r\n"
    L"TranslatorURL=https://example.test/de\r\n"
    L"[Options1]\r\n"
    L"1=Eins\r\n"
    L"2=\r\n"
    L"3=Drei\\r\\nbleibt\r\n"
    L"##=Englisch\tEnglish\r\n\r\n"
    L"TranslatorName=Someone\r\n"
    L"TranslatorURL=https://example.test/en\r\n"
    L"[Options1]\r\n"
    L"1=One\r\n"
    L"2=Two\r\n"
    L"3=Three\r\n"
    L"4=Four\r\n"
    L"##\r\n";

} // namespace

TEST_F(LangParse, SectionsNamesAndFreeTexts)
{
    Load(kSmallTable);
    const LanguageTable& t = TheLanguageTable();
    EXPECT_EQ(t.languageCount, 3);
    EXPECT_EQ(Str(t.names[0]), L"German\tDeutsch");
    EXPECT_EQ(Str(t.names[1]), L"Englisch\tEnglish");
    EXPECT_EQ(t.names[2], nullptr);
    EXPECT_EQ(Str(t.freeText[0]), L"free one\r\n");
    EXPECT_EQ(Str(t.freeText[1]), L"free two\r\n");
    // The base copy is the English section as it stood, line ends and headings included.
    EXPECT_EQ(t.baseCopy, L"TranslatorName=Someone\r\nTranslatorURL=https://example.test/en\r\n[Options1]\r\n"
                          L"1=One\r\n2=Two\r\n3=Three\r\n4=Four\r\n");
}

TEST_F(LangParse, HeaderStrings)
{
    Load(kSmallTable);
    EXPECT_EQ(Str(GetHeaderString(19)), L"Product 2.5");
    EXPECT_EQ(Str(GetHeaderString(25)), L"first\r\nsecond\nthird\\tkept\\\\ and \\x");
    EXPECT_EQ(Str(GetHeaderString(27)), L"newer");
    EXPECT_EQ(Str(GetHeaderString(0)), L"not an id line without digits lands on 0");
    EXPECT_EQ(GetHeaderString(22), nullptr);
    EXPECT_EQ(GetHeaderString(130), nullptr);
    EXPECT_EQ(GetHeaderString(-1), nullptr);
    EXPECT_EQ(GetHeaderString(128), nullptr);
}

TEST_F(LangParse, LookupAndFallback)
{
    Load(kSmallTable);
    g_lang_index = 0;
    EXPECT_EQ(Str(GetLangString(1)), L"Eins");
    EXPECT_EQ(Str(GetLangString(2)), L"") << "an empty text is still the language's own";
    EXPECT_EQ(Str(GetLangString(3)), L"Drei\\r\\nbleibt") << "language texts are not unescaped";
    EXPECT_EQ(Str(GetLangString(4)), L"Four");
    EXPECT_EQ(Str(GetLangString(0)), L"https://example.test/de") << "the later credit line wins";
    EXPECT_EQ(GetLangString(5), nullptr);
    for (int lang : {2, 3, 63, 64, 1000, -1}) {
        g_lang_index = lang;
        EXPECT_EQ(Str(GetLangString(1)), L"One") << "language " << lang;
    }
    EXPECT_EQ(GetLangString(-1), nullptr);
    EXPECT_EQ(GetLangString(256), nullptr);
}

TEST_F(LangParse, Completeness)
{
    Load(kSmallTable);
    const LanguageTable& t = TheLanguageTable();
    // Base: IDs 0 to 4 non-empty. German has 0, 1, 3 (2 is empty, 4 missing): 3 of 5.
    EXPECT_EQ(t.completeness[0], 60);
    EXPECT_EQ(t.completeness[1], 100);
    EXPECT_EQ(t.completeness[2], 0);
}

TEST_F(LangParse, CompletenessTruncates)
{
    std::wstring text = L"##\r\n##\r\n##\r\n##=A\r\n\r\n1=a\r\n2=b\r\n##=B\r\n\r\n1=a\r\n2=b\r\n3=c\r\n##";
    Load(text);
    EXPECT_EQ(TheLanguageTable().completeness[0], 66);
}

TEST_F(LangParse, WithoutBaseLanguage)
{
    Load(L"##\r\n19=x\r\n##\r\n##\r\n##=Only\r\n\r\n1=a\r\n");
    const LanguageTable& t = TheLanguageTable();
    EXPECT_EQ(t.languageCount, 1);
    EXPECT_EQ(t.completeness[0], 0);
    EXPECT_TRUE(t.baseCopy.empty());
    g_lang_index = 1;
    EXPECT_EQ(GetLangString(1), nullptr);
    g_lang_index = 0;
    EXPECT_EQ(Str(GetLangString(1)), L"a");
}

TEST_F(LangParse, AtMost64Languages)
{
    std::wstring text = L"##\r\n##\r\n##\r\n";
    for (int i = 0; i < 70; i++)
        text += L"##=Lang" + std::to_wstring(i) + L"\r\n\r\n7=text" + std::to_wstring(i) + L"\r\n";
    Load(text);
    const LanguageTable& t = TheLanguageTable();
    EXPECT_EQ(t.languageCount, 64);
    EXPECT_EQ(Str(t.names[63]), L"Lang63");
    EXPECT_EQ(Str(t.strings[63][7]), L"text63");
    g_lang_index = 63;
    EXPECT_EQ(Str(GetLangString(7)), L"text63");
    g_lang_index = 65;
    EXPECT_EQ(Str(GetLangString(7)), L"text1");
}

TEST_F(LangParse, MarkersAtTheVeryEnd)
{
    // Section starts lie past their markers: none may point beyond the text.
    for (const wchar_t* text : {L"##", L"##\r\n##", L"##\r\n##\r\n##\r\n##=Name", L"##\r\n##\r\n##\r\n##=",
                                L"##\r\n##\r\n##\r\n##", L"x#", L"#"}) {
        SCOPED_TRACE(testing::Message() << "text of " << std::wcslen(text) << " characters");
        Load(text);
        const LanguageTable& t = TheLanguageTable();
        for (int i = 0; i < t.languageCount; i++) {
            ASSERT_NE(t.sectionStarts[i], nullptr);
            EXPECT_EQ(*t.sectionStarts[i], 0);
        }
    }
    Load(L"##\r\n##\r\n##\r\n##=Name");
    EXPECT_EQ(Str(TheLanguageTable().names[0]), L"Name");
}

TEST_F(LangParse, EmptyOrBrokenStream)
{
    EXPECT_TRUE(LoadLanguageTableFromStream(nullptr, 0));
    EXPECT_EQ(TheLanguageTable().languageCount, 0);
    EXPECT_EQ(GetHeaderString(19), nullptr);
    EXPECT_EQ(GetLangString(8), nullptr);
    const uint8_t junk[] = {0x40, 0, 0, 0, 0x12, 0x34, 0x56};
    EXPECT_TRUE(LoadLanguageTableFromStream(junk, sizeof junk));
}

TEST_F(LangParse, OversizedTextIsCutToTheBuffer)
{
    // More than the 400000-byte buffer holds, and an odd number of bytes.
    std::wstring text = L"##\r\n19=big\r\n##\r\n##\r\n##=A\r\n\r\n";
    while (text.size() < 210000)
        text += L"1=aaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    Bytes bytes = Utf16(L"\xFEFF" + text);
    bytes.push_back('x');
    Bytes stream = Compress(bytes);
    EXPECT_TRUE(LoadLanguageTableFromStream(stream.data(), stream.size()));
    const LanguageTable& t = TheLanguageTable();
    size_t len = std::wcslen(t.text);
    EXPECT_LT(len, kLangTextBytes / 2);
    EXPECT_EQ(Str(GetHeaderString(19)), L"big");
    EXPECT_EQ(Str(t.strings[0][1]), L"aaaaaaaaaaaaaaaaaaaaaaaaaaaa");
}

TEST(LangParseSection, LineRules)
{
    std::wstring text = L"TranslatorName=Anna\r\n"
                        L"[Theme]\r\n"
                        L"300=out of range\r\n"
                        L"-5=negative\r\n"
                        L"256=just past the end\r\n"
                        L"255=last\r\n"
                        L"  12=leading blanks\r\n"
                        L"+13=plus sign\r\n"
                        L"14abc=digits then letters\r\n"
                        L"99999999999999999999=huge\r\n"
                        L"15=a=b=c\r\n"
                        L"16=first\r\n"
                        L"16=second\n"
                        L"17=mid\rline\r\n"
                        L"18=\r\n"
                        L"19=no line end";
    const wchar_t* table[kLangMaxIds];
    for (auto& p : table)
        p = L"stale";
    ParseLanguageSection(&text[0], table);
    EXPECT_EQ(Str(table[0]), L"Anna");
    EXPECT_EQ(Str(table[255]), L"last");
    EXPECT_EQ(Str(table[12]), L"leading blanks");
    EXPECT_EQ(Str(table[13]), L"plus sign");
    EXPECT_EQ(Str(table[14]), L"digits then letters");
    EXPECT_EQ(Str(table[15]), L"a=b=c");
    EXPECT_EQ(Str(table[16]), L"second");
    EXPECT_EQ(Str(table[17]), L"mid\rline");
    EXPECT_EQ(Str(table[18]), L"");
    EXPECT_EQ(table[19], nullptr) << "a last line without line end is ignored";
    int set = 0;
    for (auto* p : table)
        set += p != nullptr;
    EXPECT_EQ(set, 9) << "headings and IDs outside 0..255 must not land anywhere";
}

TEST(LangParseSection, NullAndEmptyText)
{
    const wchar_t* table[kLangMaxIds];
    for (auto& p : table)
        p = L"stale";
    ParseLanguageSection(nullptr, table);
    EXPECT_EQ(table[0], nullptr);
    wchar_t empty[1] = {0};
    ParseLanguageSection(empty, table);
    EXPECT_EQ(table[255], nullptr);
    wchar_t lf[2] = {L'\n', 0};
    ParseLanguageSection(lf, table);
    EXPECT_EQ(table[0], nullptr);
}

namespace {

std::wstring Latin1(const char* bytes, size_t size)
{
    std::wstring s;
    for (size_t i = 0; i < size; i++)
        s.push_back(wchar_t(uint8_t(bytes[i])));
    return s;
}

std::wstring FileText(const Bytes& bytes)
{
    // Exact-size copy, so that a read past the end is caught by the sanitizer of a native run.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return LanguageFileText(copy.get(), bytes.size(), &Latin1);
}

} // namespace

TEST(LangFileText, Utf16KeepsTheByteOrderMark)
{
    Bytes bytes = Utf16(L"\xFEFF" L"8=Neu\r\n9=Zwei\r\n");
    EXPECT_EQ(FileText(bytes), L"\xFEFF" L"8=Neu\r\n9=Zwei\r\n");
}

TEST(LangFileText, Utf16OddLengthDropsTheLoneByte)
{
    Bytes bytes = Utf16(L"\xFEFF" L"8=x\r\n");
    bytes.push_back('Z');
    EXPECT_EQ(FileText(bytes), L"\xFEFF" L"8=x\r\n");
    EXPECT_EQ(FileText({0xFF, 0xFE, 0x41}), L"\xFEFF");
}

TEST(LangFileText, Utf16ZeroEndsOnlyItsBlock)
{
    std::wstring first = L"\xFEFF" + std::wstring(511, L'a'); // 1024 bytes: one whole block
    std::wstring text = first;
    text[100] = 0;
    text += L"8=second block\r\n";
    std::wstring expected = first.substr(0, 100) + L"8=second block\r\n";
    EXPECT_EQ(FileText(Utf16(text)), expected);
}

TEST(LangFileText, AnsiUpToTheFirstZeroOfEachBlock)
{
    Bytes bytes = {'8', '=', 0xE4, '\r', '\n'};
    EXPECT_EQ(FileText(bytes), L"8=\xE4\r\n");
    Bytes withZero(1030, 'b');
    withZero[3] = 0;
    EXPECT_EQ(FileText(withZero), L"bbb" + std::wstring(6, L'b'));
    EXPECT_EQ(FileText({}), L"");
    EXPECT_EQ(FileText({0xFF}), L"\xFF");
}

TEST_F(LangParse, FileModeUsesTheFileAlone)
{
    Load(kSmallTable);
    g_lang_index = 0;
    UseLanguageFile(L"\xFEFF" L"1=Uno\r\n2=\r\n4=Quattro");
    EXPECT_EQ(Str(GetLangString(1)), L"Uno") << "the first entry, right after the byte-order mark";
    EXPECT_EQ(Str(GetLangString(2)), L"");
    EXPECT_EQ(Str(GetLangString(3)), L"str:3?");
    EXPECT_EQ(Str(GetLangString(4)), L"str:4?") << "its last line has no line end";
    EXPECT_EQ(Str(GetLangString(300)), L"str:300?");
    EXPECT_EQ(Str(GetLangString(-7)), L"str:-7?");
    g_lang_index = 1;
    EXPECT_EQ(Str(GetLangString(1)), L"Uno") << "a built-in language pick does not leave file mode";

    const wchar_t* kept = GetLangString(1);
    UseLanguageFile(L"5=Cinque\r\n");
    EXPECT_EQ(Str(GetLangString(5)), L"Cinque");
    EXPECT_EQ(Str(GetLangString(1)), L"str:1?");
    EXPECT_EQ(Str(kept), L"Uno") << "texts handed out stay valid after a second load";
}

TEST_F(LangParse, EmptyFileMakesEveryTextAMiss)
{
    Load(kSmallTable);
    UseLanguageFile(L"");
    EXPECT_EQ(Str(GetLangString(8)), L"str:8?");
}
