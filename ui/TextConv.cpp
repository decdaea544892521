#include "ui/TextConv.h"

#include <climits>

std::wstring MultiByteToText(UINT codePage, const char* bytes, size_t size)
{
    if (size == 0 || size > INT_MAX)
        return std::wstring();
    const int length = static_cast<int>(size);
    const int n = ::MultiByteToWideChar(codePage, 0, bytes, length, nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(codePage, 0, bytes, length, &out[0], n);
    return out;
}

std::string TextToMultiByte(UINT codePage, const std::wstring& text, bool* lossless)
{
    if (lossless)
        *lossless = true;
    if (text.empty() || text.size() > INT_MAX / 4)
        return std::string();
    const int length = static_cast<int>(text.size());
    // The UTF-8 converter takes no default character and no best-fit flag.
    const bool utf8 = codePage == CP_UTF8;
    const DWORD flags = lossless && !utf8 ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* used = lossless && !utf8 ? &usedDefault : nullptr;
    const int n = ::WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, used);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        ::WideCharToMultiByte(codePage, flags, text.data(), length, &out[0], n, nullptr, used);
    if (lossless)
        *lossless = n > 0 && !usedDefault;
    return out;
}
