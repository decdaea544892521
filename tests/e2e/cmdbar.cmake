target_sources(qb_e2e PRIVATE
  tests/e2e/cmdbar_test.cpp
)
