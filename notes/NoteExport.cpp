#include "notes/NoteExport.h"

// Filled in with the export.
void ExportNoteAsText(CNoteDlg&) {}
void ExportNoteAsRtf(CNoteDlg&) {}
