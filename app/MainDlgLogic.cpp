#include "app/MainDlgLogic.h"

#include <cwctype>

namespace maindlg {

namespace {

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towlower(c));
    return text;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

int FindNoCase(const std::vector<std::wstring>& items, const std::wstring& wanted)
{
    for (size_t i = 0; i < items.size(); ++i) {
        if (EqualNoCase(items[i], wanted))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

bool EqualNoCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && Lower(a) == Lower(b);
}

int ChooseFontIndex(const std::vector<std::wstring>& faces, const std::wstring& stored)
{
    int chosen = -1;
    for (size_t i = 0; i < faces.size(); ++i) {
        const std::wstring face = Lower(faces[i]);
        if (StartsWith(face, L"segoe print")) {
            chosen = static_cast<int>(i);
            break;
        }
        if (StartsWith(face, L"comic"))
            chosen = static_cast<int>(i);
    }
    const int storedIndex = FindNoCase(faces, stored);
    return storedIndex >= 0 ? storedIndex : chosen;
}

int ChooseSizeIndex(const std::vector<std::wstring>& sizes, const std::wstring& stored)
{
    const int storedIndex = FindNoCase(sizes, stored);
    return storedIndex >= 0 ? storedIndex : FindNoCase(sizes, L"200");
}

std::wstring TransparencyLabel(int percent)
{
    return std::to_wstring(percent) + L" %";
}

}  // namespace maindlg
