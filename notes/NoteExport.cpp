#include "notes/NoteExport.h"

#include <windows.h>
#include <richedit.h>
#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "lang/LanguageTable.h"
#include "notes/NoteDlg.h"
#include "ui/ScopedHandles.h"

namespace {

constexpr int kHeaderProgramName = 19;  // "Quillboard 1.00"
constexpr int kTextFileAccessError = 222;
constexpr int kMaxExportChars = 7999;  // of the plain text
constexpr wchar_t kTextSuffix[] = L"notepade_txt.txt";
constexpr wchar_t kRtfSuffix[] = L"notepade_txt.rtf";

DWORD CALLBACK WriteChunk(DWORD_PTR file, LPBYTE bytes, LONG size, LONG* written)
{
    DWORD done = 0;
    // A failed write is not reported; the file is opened all the same.
    ::WriteFile(reinterpret_cast<HANDLE>(file), bytes, static_cast<DWORD>(size), &done, nullptr);
    *written = size;
    return 0;
}

// Writes text (after the byte-order mark) or, with a text control, the
// control's whole content as RTF, then opens the file.
void WriteAndOpen(const std::wstring& text, const wchar_t* suffix, HWND control)
{
    const std::wstring path = ExportFilePath(suffix);
    if (path.empty())
        return;
    // Deleting first also clears attributes a new file would not match; the
    // create truncates whatever the delete could not remove.
    ::DeleteFileW(path.c_str());
    {
        ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) {
            const wchar_t* message = GetLangString(kTextFileAccessError);
            ::MessageBoxW(::GetActiveWindow(), message ? message : L"", nullptr, MB_OK);
            return;
        }
        DWORD done = 0;
        if (control) {
            EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(file.Get()), 0, WriteChunk};
            ::SendMessageW(control, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
        } else {
            const unsigned char bom[2] = {0xFF, 0xFE};
            ::WriteFile(file.Get(), bom, sizeof(bom), &done, nullptr);
            if (!text.empty())
                ::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &done, nullptr);
        }
    }  // closed before anything opens it
    ::ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

std::wstring ExportFilePath(const wchar_t* suffix)
{
    // Sized from the platform's answer; the folder may change between the two calls.
    std::vector<wchar_t> temp;
    for (DWORD need = ::GetTempPathW(0, nullptr); need > temp.size();) {
        temp.assign(need, L'\0');
        need = ::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
        if (need == 0)
            return {};
        if (need < temp.size())
            temp.resize(need);
    }
    std::wstring path(temp.begin(), temp.end());
    if (path.empty())
        return {};
    std::wstring name = GetHeaderString(kHeaderProgramName) ? GetHeaderString(kHeaderProgramName) : L"";
    std::replace(name.begin(), name.end(), L' ', L'_');
    path += name;
    path += suffix;
    // Longer paths fail in the file calls of many systems, and some write a
    // file under a cut-off name instead.
    if (path.size() >= MAX_PATH)
        return {};
    return path;
}

void ExportNoteAsText(CNoteDlg& note)
{
    std::wstring text(kMaxExportChars + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(note.TextArea(), &text[0], kMaxExportChars + 1)));
    ::MessageBoxW(note.m_hWnd, text.c_str(), L"", MB_OK);
    WriteAndOpen(text, kTextSuffix, nullptr);
}

void ExportNoteAsRtf(CNoteDlg& note)
{
    WriteAndOpen(std::wstring(), kRtfSuffix, note.TextArea());
}
