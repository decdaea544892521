// Texts of the language menu, the translation export and the language-file report. No platform calls,
// so the compositions can be checked natively.
#pragma once

#include <string>

#include "lang/LanguageTable.h"

// "<name> / <percent> %", the menu item of one built-in language.
std::wstring LanguageItemText(const wchar_t* name, int percent);

// The export file's name: the product name and version with every blank turned into "_", then
// "_translate.txt". A missing product name gives just the suffix.
std::wstring TranslationFileName(const wchar_t* productName);

// The export's text: the request to the translator, the base language's name and its section as the
// loader found it. A missing piece contributes nothing.
std::wstring ComposeTranslationExport(const wchar_t* productName,
                                      const wchar_t* request,
                                      const wchar_t* baseName,
                                      const std::wstring& baseSection);

// Compares a language file's entries with the base language: "<percent> %", and when anything is
// missing "\n\nmiss:\n" with the first nine as "ID=base text\n" lines, then "........\n" and "ID," for the rest.
std::wstring ComposeLanguageReport(const wchar_t* const base[kLangMaxIds], const wchar_t* const file[kLangMaxIds]);

// True when the table holds at least one entry.
bool HasAnyEntry(const wchar_t* const table[kLangMaxIds]);
