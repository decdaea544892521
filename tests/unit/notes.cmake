target_sources(qb_unit PRIVATE
  tests/unit/show_desktop_test.cpp
  tests/unit/colour_test.cpp
  tests/unit/notes_text_test.cpp
  tests/unit/shadow_image_test.cpp
  tests/unit/shadow_window_test.cpp
  tests/unit/notes_record_test.cpp
  tests/unit/notes_rules_test.cpp
  res/note.rc
)
