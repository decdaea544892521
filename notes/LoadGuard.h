// The second line of defence behind the rich-text check: while a note's content
// loads, its id is kept in a small file beside the configuration file. When the
// control takes the program down on that content, the file is still there at
// the next start, and that note is then loaded as plain text.
#pragma once

#include <string>

// Marks noteId as loading. Returns true when its load did not finish last time.
bool NoteLoadBegins(const std::wstring& noteId);
// The load finished: the mark goes.
void NoteLoadEnds();
// The note whose load took the program down at the last start, once; empty if none.
std::wstring TakeFailedNoteLoad();
// Tells the user, once, which note is shown as plain text for that reason.
void TellAboutFailedNoteLoad();

// "<configuration file>.loading"
std::wstring LoadMarkPath();
