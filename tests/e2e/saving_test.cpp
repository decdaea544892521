// Killed while it saves a 40-note file, the program loses no note: at the next start every note is there, with the text
// it had before or after the save.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

using namespace e2e;

namespace {

constexpr int kNotes = 40;

// 40 notes and, so that each write takes as long as with 40 full notes, about 340 KB in all.
std::wstring FortyNoteFile()
{
    const std::wstring ini = NewIniPath();
    for (int n = 0; n < kNotes; ++n) {
        StoreNote(ini, n, 30 * (n % 20), 40 * (n / 20), 120, 90, L"note " + std::to_wstring(n) + L" trial 0");
        IniWrite(ini, L"Ballast", (L"b" + std::to_wstring(n)).c_str(), std::wstring(8400, L'b').c_str());
    }
    return ini;
}

FILETIME WriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Waits for the n-th write to begin (its new file appears beside the file) or, with
// between, for the file to have been replaced n times; then the caller kills.
void WaitForWrites(const std::wstring& ini, int n, bool between, HANDLE process)
{
    const std::wstring writing = ini + L".tmp";
    bool wasWriting = FileExists(writing);
    FILETIME last = WriteTime(ini);
    const DWORD deadline = ::GetTickCount() + 20000;
    while (n > 0 && ::GetTickCount() < deadline && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        if (between) {
            const FILETIME now = WriteTime(ini);
            n -= ::CompareFileTime(&now, &last) != 0;
            last = now;
        } else {
            const bool nowWriting = FileExists(writing);
            n -= nowWriting && !wasWriting;
            wasWriting = nowWriting;
        }
        ::Sleep(0);
    }
}

std::wstring Worker()
{
    std::wstring path = ProgramPath();
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"qb_save_worker.exe";
}

// Count the helper found at its start, once it has written it; -1 if it did not.
int CheckedNotes(const std::wstring& ini, HANDLE worker)
{
    const std::wstring path = ini + L".check";
    int count = -1;
    WaitUntil(
        [&] {
            const std::string text = FileBytes(path);
            count = text.empty() ? -1 : std::atoi(text.c_str());
            return count >= 0 || ::WaitForSingleObject(worker, 0) != WAIT_TIMEOUT;
        },
        20000, 2);
    ::DeleteFileW(path.c_str());
    return count;
}

// The configuration layer of the program, driven by a small helper so that many kills fit in
// little time: half of them the moment a write begins, half right after one ended. Each start
// of the helper counts the notes, as the next start of the program would find them.

TEST(Saving, KilledWritesLoseNoNote)
{
    const std::wstring ini = FortyNoteFile();
    std::mt19937 random(20261206);
    int trials = 0, inside = 0, lost = 0;
    for (int trial = 1; trial <= 201; ++trial) {
        QuillProcess saver(Worker());
        // A start right after a kill can fail for a moment under Wine; a failed start is no lost note.
        ASSERT_TRUE(WaitUntil([&] { return saver.Start(L"\"" + ini + L"\" " + std::to_wstring(trial)); }, 10000, 200))
            << "trial " << trial << ", error " << ::GetLastError();
        const int found = CheckedNotes(ini, saver.Process());
        if (found != kNotes) {
            lost += kNotes - (found < 0 ? 0 : found);
            ADD_FAILURE() << "trial " << trial << ": " << found << " notes of " << kNotes;
        }
        if (trial == 201)
            break;
        WaitForWrites(ini, static_cast<int>(random() % 12), trial % 2 == 0, saver.Process());
        saver.Kill();
        ++trials;
        inside += FileExists(ini + L".tmp");
    }
    std::printf("kills %d, inside a write %d, notes lost or damaged %d\n", trials, inside, lost);
    EXPECT_GE(inside, 50);
}

// The real program, edited through its note windows and killed during the saves that follow.
TEST(Saving, KilledProgramShowsEveryNoteAtTheNextStart)
{
    const std::wstring ini = FortyNoteFile();
    std::mt19937 random(4711);
    std::vector<int> shown(kNotes, 0);  // the trial each note's text came from at the last start
    int lost = 0;
    const int kTrials = 4;
    for (int trial = 1; trial <= kTrials; ++trial) {
        QuillProcess p;
        ASSERT_TRUE(p.Start(L"-ini:" + ini));
        std::vector<HWND> notes;
        ASSERT_TRUE(WaitUntil([&] { return (notes = NoteWindows(p)).size() >= kNotes; }, 30000))
            << "trial " << trial << ": " << notes.size() << " notes came back";
        p.WaitIdle();
        std::vector<HWND> byNumber(kNotes);
        for (HWND note : notes) {
            int number = -1, from = -1;
            const std::wstring text = NoteText(note);
            if (std::swscanf(text.c_str(), L"note %d trial %d", &number, &from) != 2 || number < 0 ||
                number >= kNotes || byNumber[number] || (from != shown[number] && from != trial - 1)) {
                ++lost;
                ADD_FAILURE() << "trial " << trial << ": a note shows \"" << Narrow(text) << "\"";
                continue;
            }
            byNumber[number] = note;
            shown[number] = from;
        }
        if (trial == kTrials || lost)
            break;
        for (int n = 0; n < kNotes; ++n)
            SetNoteText(byNumber[n], L"note " + std::to_wstring(n) + L" trial " + std::to_wstring(trial));
        WaitForWrites(ini, static_cast<int>(random() % 30), trial % 2 == 0, p.Process());
        p.Kill();
    }
    EXPECT_EQ(0, lost);
}

}  // namespace
