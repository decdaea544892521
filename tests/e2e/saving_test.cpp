// The program killed while it saves a 40-note file: at the next start every
// note is there, with the text it had before or after the save.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kNotes = 40;

// About 8 KB per note, so that the file has the size of a full one (about 340 KB).
std::wstring NoteText(int number, int trial)
{
    return L"note " + std::to_wstring(number) + L" trial " + std::to_wstring(trial) + L" " +
           std::wstring(8000, static_cast<wchar_t>(L'a' + number % 26));
}

// The trial a note's text came from; -1 when it is not one of ours.
int TrialOf(const std::wstring& text, int number)
{
    const std::wstring head = L"note " + std::to_wstring(number) + L" trial ";
    if (text.compare(0, head.size(), head) != 0)
        return -1;
    return std::stoi(text.substr(head.size()));
}

std::wstring TextOf(HWND note)
{
    std::wstring text(16384, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(::GetDlgItem(note, IDC_NOTE_TEXT), WM_GETTEXT, text.size(),
                          reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

std::vector<HWND> Notes(const QuillProcess& p)
{
    std::vector<HWND> notes;
    for (HWND w : p.Windows())
        if (HWND text = ::GetDlgItem(w, IDC_NOTE_TEXT); text && ClassName(text) == L"RichEdit20W")
            notes.push_back(w);
    return notes;
}

FILETIME WriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

TEST(Saving, KillsDuringSavesLoseNoNote)
{
    const std::wstring ini = NewIniPath();
    for (int n = 0; n < kNotes; ++n) {
        wchar_t section[32];
        ::swprintf(section, 32, L"%03d_Notice_set", n);
        IniWrite(ini, section, L"m_pos_x", std::to_wstring(20 * n).c_str());
        IniWrite(ini, section, L"m_pos_y", std::to_wstring(10 * n).c_str());
        IniWrite(ini, section, L"m_cx", L"120");
        IniWrite(ini, section, L"m_cy", L"90");
        IniWrite(ini, section, L"m_note_str", NoteText(n, 0).c_str());
    }
    const std::wstring writing = ini + L".tmp";

    std::mt19937 random(20261206);
    std::vector<int> shown(kNotes, 0);  // the trial each note's text came from at the last start
    int trials = 0, inside = 0, losses = 0;
    const int kTrials = 200;
    for (int trial = 1; trial <= kTrials; ++trial) {
        QuillProcess p;
        ASSERT_TRUE(p.Start(L"-ini:" + ini));
        std::vector<HWND> notes;
        ASSERT_TRUE(WaitUntil([&] { return (notes = Notes(p)).size() >= kNotes; }, 30000))
            << "trial " << trial << ": " << notes.size() << " notes came back";
        // Every note shows the text it had before or after the last killed save.
        std::vector<bool> seen(kNotes, false);
        for (HWND note : notes) {
            const std::wstring text = TextOf(note);
            int number = -1, from = -1;
            for (int n = 0; n < kNotes && from < 0; ++n)
                if ((from = TrialOf(text, n)) >= 0)
                    number = n;
            if (number < 0 || seen[number] || (from != shown[number] && from != trial - 1)) {
                ++losses;
                ADD_FAILURE() << "trial " << trial << ": a note shows " << std::string(text.begin(), text.begin() + 30);
                continue;
            }
            seen[number] = true;
            shown[number] = from;
        }
        if (trial == kTrials)
            break;

        // Change every note at once: 40 saves of sixteen keys follow after 250 ms.
        for (HWND note : notes) {
            const std::wstring old = TextOf(note);
            int number = 0;
            while (number < kNotes - 1 && TrialOf(old, number) < 0)
                ++number;
            HWND text = ::GetDlgItem(note, IDC_NOTE_TEXT);
            const std::wstring now = NoteText(number, trial);
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(text, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(now.c_str()), SMTO_ABORTIFHUNG, 5000,
                                  &ignored);
            ::SendMessageTimeoutW(note, WM_COMMAND, MAKEWPARAM(IDC_NOTE_TEXT, EN_CHANGE),
                                  reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, &ignored);
        }
        // Odd trials kill the moment the n-th write begins, even ones the moment the file
        // itself has changed n times (between two writes); n is random.
        int events = static_cast<int>(random() % 45);
        const DWORD deadline = ::GetTickCount() + 20000;
        bool wasWriting = false;
        FILETIME last = WriteTime(ini);
        while (events > 0 && ::GetTickCount() < deadline) {
            if (trial % 2) {
                const bool nowWriting = ::GetFileAttributesW(writing.c_str()) != INVALID_FILE_ATTRIBUTES;
                events -= nowWriting && !wasWriting;
                wasWriting = nowWriting;
            } else {
                const FILETIME now = WriteTime(ini);
                events -= ::CompareFileTime(&now, &last) != 0;
                last = now;
            }
            ::Sleep(0);
        }
        p.Kill();
        ++trials;
        if (::GetFileAttributesW(writing.c_str()) != INVALID_FILE_ATTRIBUTES)
            ++inside;
    }
    std::printf("kill trials %d, inside a write %d, notes lost or damaged %d\n", trials, inside, losses);
    EXPECT_EQ(0, losses);
    EXPECT_GE(inside, 50);
}

}  // namespace
