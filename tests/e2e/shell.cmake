target_sources(qb_e2e PRIVATE
  tests/e2e/tray_test.cpp
)
