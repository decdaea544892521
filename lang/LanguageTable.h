// The built-in language table: decoded once at start-up, indexed in place, looked up by text ID.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kLangMaxLanguages = 64;
constexpr int kLangMaxIds = 256;
constexpr int kLangHeaderIds = 128;
constexpr size_t kLangTextBytes = 400000;
constexpr int kLangBaseLanguage = 1;  // fallback of every lookup and yardstick of completeness

struct LanguageTable {
    wchar_t text[kLangTextBytes / 2];                        // decoded text; every pointer below points into it
    const wchar_t* header[kLangHeaderIds];                   // header strings by ID
    const wchar_t* freeText[2];                              // starts of sections 1 and 2
    int32_t languageCount;                                   // registered language sections
    const wchar_t* names[kLangMaxLanguages];                 // text after "##=", null for a nameless section
    const wchar_t* sectionStarts[kLangMaxLanguages];         // where each language's entries begin
    const wchar_t* strings[kLangMaxLanguages][kLangMaxIds];  // language, ID -> text
    int32_t completeness[kLangMaxLanguages];                 // percent of the base language's texts present
    std::wstring baseCopy;                                   // base language's section as found, for the export
    const wchar_t* fileTable[kLangMaxIds];                   // entries of a loaded language file
    int32_t fileMode;                                        // lookups use fileTable
};

// The process-wide table.
LanguageTable& TheLanguageTable();

// Current language index (0 German, 1 English). Start-up and the language menu set it.
extern int g_lang_index;
void SetCurrentLanguage(int index);
int GetCurrentLanguage();

// Decodes the table built into the program and indexes it. Reports success in every case: a
// missing or damaged table leaves the texts empty rather than stopping the program.
bool LoadLanguageTable();

// The platform-free part of LoadLanguageTable: builds the table from a compressed stream.
bool LoadLanguageTableFromStream(const uint8_t* stream, size_t size);

// Text in the current language, falling back to the base language; null when neither has it.
// In file mode: the file's text, or "str:<id>?" (valid until the next miss).
const wchar_t* GetLangString(int id);

// Header string 0..127 (product name and version, web addresses, translation request), or null.
const wchar_t* GetHeaderString(int id);

// Empties table and fills it from the lines "ID=text" of text, cutting text into lines in place.
void ParseLanguageSection(wchar_t* text, const wchar_t* table[kLangMaxIds]);

// Reads a language file (UTF-16LE with byte-order mark, else the ANSI code page). On failure
// text is empty and the result false.
bool ReadLanguageFile(const wchar_t* path, std::wstring* text);

// The platform-free part of ReadLanguageFile: the text of a file's bytes. fromAnsi converts
// bytes of the ANSI code page.
std::wstring LanguageFileText(const uint8_t* data, size_t size, std::wstring (*fromAnsi)(const char*, size_t));

// Switches lookups to the entries of a language file for the rest of the run. The text is
// kept alive here, since the file table points into it.
void UseLanguageFile(std::wstring text);
