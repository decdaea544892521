// The table of notes: 40 slots, the slot index being the note number. A slot
// is only ever filled while the program runs; its note object and window live
// until the process ends.
#pragma once

class CNoteDlg;

constexpr int kMaxNotes = 40;

// The note in slot `number`, or null.
CNoteDlg* GetNote(int number);

// Creates a note object and window for every note the file holds, numbers
// 0 to 39 in ascending order, and shows those not stored as hidden.
void LoadAllNotes();
