target_sources(qb_core PRIVATE
  notes/NoteColors.cpp
  notes/NoteMetrics.cpp
  notes/NoteText.cpp
  notes/RtfCheck.cpp
  notes/LoadGuard.cpp
  notes/NoteDlg.cpp
  notes/NoteTable.cpp
  notes/NoteExport.cpp
  notes/ShowDesktopWatcher.cpp
)
