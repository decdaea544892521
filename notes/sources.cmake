target_sources(qb_core PRIVATE
  notes/NoteColors.cpp
  notes/NoteMetrics.cpp
  notes/NoteText.cpp
)
