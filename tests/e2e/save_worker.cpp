// Helper of the kill test (saving_test.cpp): saves 40 notes through the program's configuration layer, as the notes
// do, so that a test can kill it at any moment of a save.
//   qb_save_worker <ini> <trial>
// first finishes a write an earlier kill interrupted, as the program does at start, and writes to "<ini>.check" how
// many notes it finds with a text of an earlier trial; then saves every note with the text "note N trial <trial>".
#include "app/Config.h"
#include "app/ConfigRules.h"

#include <cwchar>
#include <string>

namespace {

constexpr int kNotes = 40;

std::wstring Section(int n)
{
    return NoteIdText(n) + L"_Notice_set";
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return 255;
    const std::wstring ini = argv[1];
    const int trial = std::wcstol(argv[2], nullptr, 10);
    SetConfigPathForTesting(ini);
    RecoverConfigFile(ini);
    {
        int good = 0;
        for (int n = 0; n < kNotes; ++n) {
            const std::wstring text = ReadProfileString(Section(n).c_str(), L"m_note_str");
            int number = -1, from = -1;
            if (ReadProfileInt(Section(n).c_str(), L"m_cx", -1000) != -1000 &&
                std::swscanf(text.c_str(), L"note %d trial %d", &number, &from) == 2 && number == n && from >= 0 &&
                from < trial)
                ++good;
        }
        const std::string count = std::to_string(good);
        HANDLE file = ::CreateFileW((ini + L".check").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD wrote = 0;
        ::WriteFile(file, count.data(), static_cast<DWORD>(count.size()), &wrote, nullptr);
        ::CloseHandle(file);
    }
    // One save per note: sixteen keys, the text last but one, as a note writes them.
    for (int n = 0; n < kNotes; ++n) {
        const std::wstring section = Section(n);
        const wchar_t* s = section.c_str();
        for (const wchar_t* key : {L"m_pos_y", L"m_pos_x", L"m_cy", L"m_cx", L"m_clrBkgnd", L"m_by_hidden", L"m_color",
                                   L"m_transparency", L"m_ontop", L"m_closed", L"b_italic", L"b_bold", L"m_font_h"})
            WriteProfileInt(s, key, 120 + n);
        WriteProfileString(s, L"m_font_str", L"Tahoma");
        WriteProfileString(s, L"m_note_str",
                           (L"note " + std::to_wstring(n) + L" trial " + std::to_wstring(trial)).c_str());
        WriteProfileString(s, L"m_note_str_info", L"\\t\\v is \\r\\n max len 8K");
    }
    return 0;
}
