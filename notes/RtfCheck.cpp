#include "notes/RtfCheck.h"

bool RtfIsSafe(const std::wstring& rtf)
{
    if (rtf.compare(0, 5, L"{\\rtf") != 0)
        return false;
    const size_t n = rtf.size();
    int depth = 0;
    for (size_t i = 0; i < n; ++i) {
        const wchar_t c = rtf[i];
        if (c == L'{') {
            if (++depth > kMaxRtfDepth)
                return false;
        } else if (c == L'}') {
            if (--depth == 0) {
                // Only blanks and line ends may follow the outer group.
                for (size_t j = i + 1; j < n; ++j)
                    if (rtf[j] != L' ' && rtf[j] != L'\r' && rtf[j] != L'\n' && rtf[j] != L'\t' && rtf[j] != 0)
                        return false;
                return true;
            }
        } else if (c == L'\\' && i + 1 < n) {
            // "\{", "\}" and "\\" are text; "\binN" is followed by N bytes of anything.
            const wchar_t next = rtf[i + 1];
            if (next == L'{' || next == L'}' || next == L'\\') {
                ++i;
            } else if (rtf.compare(i + 1, 3, L"bin") == 0) {
                size_t j = i + 4;
                unsigned long long count = 0;
                while (j < n && rtf[j] >= L'0' && rtf[j] <= L'9' && count <= n)
                    count = count * 10 + (rtf[j++] - L'0');
                if (j < n && rtf[j] == L' ')
                    ++j;
                if (count > n - j)
                    return false;
                i = j + static_cast<size_t>(count) - 1;
            }
        }
    }
    return false;  // the outer group never closed
}
