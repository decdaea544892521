#include "lang/LanguageMenu.h"

#include <commdlg.h>
#include <shellapi.h>

#include <cwchar>
#include <vector>

#include "app/Config.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "ui/ScopedHandles.h"

namespace {

void ShellOpen(const std::wstring& path)
{
    ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOW);
}

// The temporary folder as the platform answers, however long.
std::wstring TempFolder()
{
    DWORD size = ::GetTempPathW(0, nullptr);
    if (size == 0)
        return std::wstring();
    std::vector<wchar_t> buffer(size + 1);
    DWORD got = ::GetTempPathW(DWORD(buffer.size()), buffer.data());
    if (got == 0 || got >= buffer.size())
        return std::wstring();
    return std::wstring(buffer.data(), got);
}

bool WriteUtf16File(const std::wstring& path, const std::wstring& text)
{
    ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    bytes.reserve(2 + text.size() * 2);
    for (wchar_t c : text) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>((c >> 8) & 0xFF));
    }
    DWORD written = 0;
    BOOL ok = ::WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
    // A file that could not be deleted before must not keep a longer old tail.
    ::SetEndOfFile(file.Get());
    return ok != FALSE;
}

void LoadLanguageFileWithDialog()
{
    wchar_t file[MAX_PATH] = {};
    wchar_t title[MAX_PATH] = {};
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFileTitle = title;
    ofn.nMaxFileTitle = MAX_PATH;
    if (!::GetOpenFileNameW(&ofn))
        return;
    const std::wstring report = LoadLanguageFileReport(file);
    ::MessageBoxW(::GetActiveWindow(), report.c_str(), L"Translate", MB_OK);
}

}  // namespace

void AppendLanguageMenu(HMENU menu)
{
    HMENU popup = ::CreatePopupMenu();
    if (!popup)
        return;
    const LanguageTable& t = TheLanguageTable();
    for (int i = 0; i < t.languageCount && i < 100; i++) {
        if (!t.names[i] || std::wcslen(t.names[i]) <= 5)
            continue;
        UINT flags = MF_STRING | (i == GetCurrentLanguage() ? MF_GRAYED | MF_DISABLED : MF_ENABLED);
        ::AppendMenuW(popup, flags, ID_LANGUAGE_FIRST + i, LanguageItemText(t.names[i], t.completeness[i]).c_str());
    }
    ::AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(popup, MF_STRING, ID_TRANSLATE, L"Translate");
    ::AppendMenuW(popup, MF_STRING, ID_LOAD_LANGUAGE_FILE, L"Load from File (Unicode)");
    const wchar_t* title = GetLangString(77);
    if (!::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), title ? title : L""))
        ::DestroyMenu(popup);
}

void OnLanguageCommand(int n, const std::function<void()>& applyTexts)
{
    if (n >= 0 && n < ID_TRANSLATE - ID_LANGUAGE_FIRST) {
        SetCurrentLanguage(n);
        if (applyTexts)
            applyTexts();
        WriteProgramInt(L"lng", n);
    } else if (n == ID_TRANSLATE - ID_LANGUAGE_FIRST) {
        ExportTranslation();
    } else if (n == ID_LOAD_LANGUAGE_FILE - ID_LANGUAGE_FIRST) {
        LoadLanguageFileWithDialog();
        if (applyTexts)
            applyTexts();
    }
}

std::wstring TranslationExportPath()
{
    std::wstring path = TempFolder();
    if (path.empty())
        return path;
    path += TranslationFileName(GetHeaderString(19));
    // Longer paths fail or, under some platforms, land as a mangled name somewhere else.
    return path.size() < MAX_PATH ? path : std::wstring();
}

bool ExportTranslation(const std::function<void(const std::wstring&)>& shellOpen)
{
    const std::wstring path = TranslationExportPath();
    if (path.empty())
        return false;
    ::DeleteFileW(path.c_str());
    const LanguageTable& t = TheLanguageTable();
    const wchar_t* baseName = kLangBaseLanguage < t.languageCount ? t.names[kLangBaseLanguage] : nullptr;
    const std::wstring text = ComposeTranslationExport(GetHeaderString(19), GetHeaderString(25), baseName, t.baseCopy);
    if (!WriteUtf16File(path, text))
        return false;
    (shellOpen ? shellOpen : ShellOpen)(path);
    return true;
}

std::wstring LoadLanguageFileReport(const wchar_t* path)
{
    std::wstring text;
    ReadLanguageFile(path, &text);
    // A file without any entry would turn every text into "str:N?" until the program ends.
    std::wstring probeText = text;
    const wchar_t* probe[kLangMaxIds];
    ParseLanguageSection(probeText.data(), probe);
    const LanguageTable& t = TheLanguageTable();
    if (!HasAnyEntry(probe))
        return ComposeLanguageReport(t.strings[kLangBaseLanguage], probe);
    UseLanguageFile(std::move(text));
    return ComposeLanguageReport(t.strings[kLangBaseLanguage], t.fileTable);
}
