target_sources(qb_e2e PRIVATE
  tests/e2e/export_test.cpp
  tests/e2e/notes_test.cpp
  tests/e2e/notes_long_test.cpp
  tests/e2e/notes_collection_test.cpp
  tests/e2e/notes_window_test.cpp
)
