// The table of notes: 40 slots, the slot index being the note number. A slot
// is only ever filled while the program runs; its note object and window live
// until the process ends.
#pragma once

#include <windows.h>

class CNoteDlg;

constexpr int kMaxNotes = 40;

// The note in slot `number`, or null.
CNoteDlg* GetNote(int number);
// The note whose window this is, or null.
CNoteDlg* FindNote(HWND hWnd);

// Creates a note object and window for every note the file holds, numbers
// 0 to 39 in ascending order, and shows those not stored as hidden.
void LoadAllNotes();

struct TimeNoteSchedule;

// A new note from the default settings in the first deleted or empty slot;
// "Max 40" when there is none. owner is remembered and passed on by the note's
// own New command.
void NewNote(HWND owner, bool timeNote = false, const TimeNoteSchedule* schedule = nullptr);
// Notes that have a window and are not deleted.
int CountLiveNotes();
// One item per live note, command base + note number, checked when visible.
void AppendNotesList(HMENU menu, UINT base);
// Shows a hidden note, hides a shown one.
void ToggleNote(int number);
// Hides every note that is not deleted (only the visible ones with
// onlyVisible), remembering their stacking order.
void HideAll(bool onlyVisible);
// Shows the notes the last hide all covered, bottom-most first, and forgets
// them; notes deleted since then stay hidden.
void ShowAll();
// Deletes every stored note and hides its window; the caller confirms first.
void DeleteAll();
// Runs every save a note window is still waiting for (at exit and session end).
void FlushPendingSaves();
// Starts the self-hiding bars of all notes while "Hide bars automatically" is on, stops them and brings
// back hidden bars when it is off; called after loading and by whoever changes the setting.
void FollowHideBarsSetting();
