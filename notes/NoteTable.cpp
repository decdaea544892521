#include "notes/NoteTable.h"

#include "notes/LoadGuard.h"
#include "notes/NoteDlg.h"

#include <cwchar>

namespace {

// Raw pointers on purpose: the notes must outlive every other object, and a
// destructor running at exit would save them, which the program never does.
CNoteDlg* g_notes[kMaxNotes] = {};

}  // namespace

CNoteDlg* GetNote(int number)
{
    return number >= 0 && number < kMaxNotes ? g_notes[number] : nullptr;
}

void LoadAllNotes()
{
    for (int number = 0; number < kMaxNotes; ++number) {
        if (g_notes[number] || !CNoteDlg::ProbeNote(number))
            continue;
        wchar_t id[16];
        std::swprintf(id, 16, L"%03d", number);
        CNoteDlg* note = new CNoteDlg(id);
        g_notes[number] = note;
        note->m_by_hidden = 0;
        note->LoadSettings();
        // A window that cannot be created leaves the object in its slot, not live.
        if (!note->Create(nullptr))
            continue;
        if (!note->m_by_hidden)
            note->ShowWindow(SW_SHOW);
    }
    TellAboutFailedNoteLoad();
}

// Collection operations; filled in with the note window.
void NewNote(HWND, bool, const TimeNoteSchedule*) {}
int CountLiveNotes()
{
    return 0;
}
void AppendNotesList(HMENU, UINT) {}
void ToggleNote(int) {}
void HideAll(bool) {}
void ShowAll() {}
void DeleteAll() {}
void FlushPendingSaves() {}
