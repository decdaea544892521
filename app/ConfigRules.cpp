#include "app/ConfigRules.h"

#include <climits>
#include <cwchar>
#include <cwctype>

int ParseProfileInt(const wchar_t* text)
{
    const wchar_t* p = text;
    while (*p && std::iswspace(*p))
        ++p;
    bool negative = false;
    if (*p == L'-' || *p == L'+') {
        negative = *p == L'-';
        ++p;
    }
    long long n = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        n = n * 10 + (*p - L'0');
        if (n > static_cast<long long>(INT_MAX) + 1) {
            n = static_cast<long long>(INT_MAX) + 1;  // the rest cannot bring it back into range
        }
    }
    if (negative)
        return n > static_cast<long long>(INT_MAX) ? INT_MIN : static_cast<int>(-n);
    return n > INT_MAX ? INT_MAX : static_cast<int>(n);
}

bool IsPortableFileName(const std::wstring& fileName)
{
    std::wstring name = fileName;
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towlower(c));
    for (const wchar_t* mark : {L"_p", L"_portable", L"_port"}) {
        size_t at = name.find(mark);
        if (at != std::wstring::npos && at > 0)
            return true;
    }
    return false;
}

std::wstring NormalizeFolder(const std::wstring& folder)
{
    std::wstring s = folder + L"\\";
    std::wstring out;
    out.reserve(s.size());
    for (wchar_t c : s) {
        if (c == L'\\' && !out.empty() && out.back() == L'\\')
            continue;
        out.push_back(static_cast<wchar_t>(std::towlower(c)));
    }
    return out;
}

std::wstring FileNameOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FolderOf(const std::wstring& path)
{
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring NoteIdText(int number)
{
    wchar_t id[16];
    std::swprintf(id, 16, L"%03d", number);
    return id;
}
