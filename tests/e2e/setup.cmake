target_sources(qb_e2e PRIVATE
  tests/e2e/setup_test.cpp
)
target_link_libraries(qb_e2e PRIVATE advapi32 ole32)
