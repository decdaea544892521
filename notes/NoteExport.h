// Export of a note to the desktop's text editors, through files in the
// temporary folder.
#pragma once

class CNoteDlg;

// Plain text, shown in a message box first, then opened with the text editor.
void ExportNoteAsText(CNoteDlg& note);
// The whole rich text, opened with the rich-text editor.
void ExportNoteAsRtf(CNoteDlg& note);
