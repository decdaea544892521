// Rules of the note collection without windows: the label of a note in the
// notes list and where a new note appears.
#pragma once

#include <string>
#include <vector>

#include "notes/NoteMetrics.h"

// Label of a note in the notes list: at most the first 63 characters of its
// plain text, CRs removed, LFs as blanks, outer white space stripped;
// "<newNoteText> %03d" (number + 1) when nothing is left.
std::wstring NotesListLabel(const std::wstring& plainText, const std::wstring& newNoteText, int number);

// The default text of a new note: "<newNoteText> %03d" with number + 1.
std::wstring NewNoteText(const std::wstring& newNoteText, int number);

struct MonitorArea {
    ScreenRect monitor;
    ScreenRect work;
};

// Top-left corner of a new note of width x height: the right third and the
// upper third of the virtual screen, r1 and r2 being two draws of 0..32767.
// When that rectangle lies on no monitor (monitors of different sizes leave
// gaps), the same rule runs over the work area of the nearest monitor.
NotePosition PlaceNewNote(const ScreenRect& virtualScreen,
                          const std::vector<MonitorArea>& monitors,
                          int width,
                          int height,
                          int r1,
                          int r2);
