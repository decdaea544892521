#include "notes/NoteText.h"

const wchar_t kNoteStrInfo[] = L"\\t\\v is \\r\\n max len 8K";

namespace {

std::wstring ReplacePairs(const std::wstring& text, wchar_t first, wchar_t second, wchar_t newFirst, wchar_t newSecond)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == first && i + 1 < text.size() && text[i + 1] == second) {
            out += newFirst;
            out += newSecond;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::wstring EncodeNoteLine(const std::wstring& content)
{
    return ReplacePairs(content, L'\r', L'\n', L'\t', L'\v');
}

std::wstring DecodeNoteLine(const std::wstring& line)
{
    return ReplacePairs(line, L'\t', L'\v', L'\r', L'\n');
}

bool LooksLikeRtf(const std::wstring& content)
{
    return content.compare(0, 5, L"{\\rtf") == 0;
}
