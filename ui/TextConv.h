// Text between UTF-16 and the code pages (the ANSI one, UTF-8): one home for
// every conversion, so that each caller gets the same rules.
#pragma once

#include <windows.h>

#include <string>

std::wstring MultiByteToText(UINT codePage, const char* bytes, size_t size);
// lossless, when given, tells whether every character had an exact counterpart
// (no best-fit replacement, no default character).
std::string TextToMultiByte(UINT codePage, const std::wstring& text, bool* lossless = nullptr);

inline std::wstring FromAnsi(const std::string& bytes)
{
    return MultiByteToText(CP_ACP, bytes.data(), bytes.size());
}

inline std::string ToAnsi(const std::wstring& text)
{
    return TextToMultiByte(CP_ACP, text);
}
