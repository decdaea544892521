// Export of a note to the desktop's text editors, through files in the
// temporary folder.
#pragma once

#include <string>

class CNoteDlg;

// Plain text, shown in a message box first, then opened with the text editor.
void ExportNoteAsText(CNoteDlg& note);
// The whole rich text, opened with the rich-text editor.
void ExportNoteAsRtf(CNoteDlg& note);

// The temporary folder, the program's name and version with blanks as "_",
// then suffix; empty when the temporary folder is unknown or the whole path
// would not fit the platform's path limit.
std::wstring ExportFilePath(const wchar_t* suffix);
