#include "lang/LanguageFiles.h"

namespace {

bool NonEmpty(const wchar_t* s)
{
    return s != nullptr && *s != 0;
}

void Append(std::wstring& out, const wchar_t* piece)
{
    if (piece)
        out += piece;
}

}  // namespace

std::wstring LanguageItemText(const wchar_t* name, int percent)
{
    std::wstring text = name ? name : L"";
    text += L" / " + std::to_wstring(percent) + L" %";
    return text;
}

std::wstring TranslationFileName(const wchar_t* productName)
{
    std::wstring name = productName ? productName : L"";
    for (wchar_t& c : name) {
        if (c == L' ')
            c = L'_';
    }
    return name + L"_translate.txt";
}

std::wstring ComposeTranslationExport(const wchar_t* productName,
                                      const wchar_t* request,
                                      const wchar_t* baseName,
                                      const std::wstring& baseSection)
{
    std::wstring text = L"\r\nPlease don't forget! Write in e-mail subject: Strings for: ";
    Append(text, productName);
    text += L" and Language Name i.e. : German / Deutsch ";
    text += L"\r\n\r\n";
    Append(text, request);
    text += L"\r\n\r\n##=";
    Append(text, baseName);
    text += L"\r\n\r\n\r\n";
    text += baseSection;
    text += L"\r\n\r\n";
    return text;
}

std::wstring ComposeLanguageReport(const wchar_t* const base[kLangMaxIds], const wchar_t* const file[kLangMaxIds])
{
    int baseCount = 0;
    int present = 0;
    int missing = 0;
    std::wstring list;
    for (int id = 0; id < kLangMaxIds; id++) {
        if (!NonEmpty(base[id]))
            continue;
        baseCount++;
        if (NonEmpty(file[id])) {
            present++;
            continue;
        }
        missing++;
        if (missing <= 9) {
            list += std::to_wstring(id) + L"=" + base[id] + L"\n";
            continue;
        }
        if (missing == 10)
            list += L"........\n";
        list += std::to_wstring(id) + L",";
    }
    const int percent = baseCount ? int(double(present) * 100.0 / double(baseCount)) : 0;
    std::wstring report = std::to_wstring(percent) + L" %";
    if (missing)
        report += L"\n\nmiss:\n" + list;
    return report;
}

bool HasAnyEntry(const wchar_t* const table[kLangMaxIds])
{
    for (int id = 0; id < kLangMaxIds; id++) {
        if (table[id])
            return true;
    }
    return false;
}
