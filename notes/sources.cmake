target_sources(qb_core PRIVATE
  notes/NoteColors.cpp
  notes/NoteMetrics.cpp
  notes/NoteText.cpp
  notes/NoteRecord.cpp
  notes/NoteDlgRules.cpp
  notes/RtfRuns.cpp
  notes/RtfCheck.cpp
  notes/LoadGuard.cpp
  notes/NoteDlg.cpp
  notes/NoteDlgMouse.cpp
  notes/NoteDlgMenu.cpp
  notes/StatusQb2.cpp
  notes/NoteTableRules.cpp
  notes/NoteTable.cpp
  notes/NoteExport.cpp
  notes/ShowDesktopWatcher.cpp
)
