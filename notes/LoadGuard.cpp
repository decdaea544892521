#include "notes/LoadGuard.h"

#include "app/Config.h"
#include "app/ConfigRules.h"
#include "lang/LanguageTable.h"
#include "ui/ScopedHandles.h"

#include <cwchar>

namespace {

bool g_checked = false;
std::wstring g_failed;  // read once, before the first note marks itself
bool g_reported = false;

void ReadLeftOverMark()
{
    if (g_checked)
        return;
    g_checked = true;
    ScopedHandle file(::CreateFileW(LoadMarkPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr));
    if (!file)
        return;
    wchar_t id[16] = {};
    DWORD got = 0;
    if (::ReadFile(file.Get(), id, sizeof(id) - sizeof(wchar_t), &got, nullptr))
        g_failed.assign(id, got / sizeof(wchar_t));
}

}  // namespace

std::wstring LoadMarkPath()
{
    return GetConfigPath() + L".loading";
}

bool NoteLoadBegins(const std::wstring& noteId)
{
    ReadLeftOverMark();
    // No flush: the mark has to outlive the process, not the machine.
    ScopedHandle file(::CreateFileW(LoadMarkPath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file) {
        DWORD wrote = 0;
        ::WriteFile(file.Get(), noteId.data(), static_cast<DWORD>(noteId.size() * sizeof(wchar_t)), &wrote, nullptr);
    }
    return !g_failed.empty() && g_failed == noteId;
}

void NoteLoadEnds()
{
    ::DeleteFileW(LoadMarkPath().c_str());
}

std::wstring TakeFailedNoteLoad()
{
    ReadLeftOverMark();
    if (g_reported)
        return std::wstring();
    g_reported = true;
    return g_failed;
}

void TellAboutFailedNoteLoad()
{
    const std::wstring id = TakeFailedNoteLoad();
    const wchar_t* text = GetLangString(250);
    if (id.empty() || !text)
        return;
    // Numbers shown to the user count from 1.
    std::wstring message = text;
    const size_t at = message.find(L"%03d");
    if (at != std::wstring::npos)
        message.replace(at, 4, NoteIdText(ParseProfileInt(id.c_str()) + 1));
    ::MessageBoxW(nullptr, message.c_str(), kProgramName, MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}
