target_sources(qb_e2e PRIVATE
  tests/e2e/startup_test.cpp
)
target_sources(qb_e2e PRIVATE tests/e2e/options_test.cpp)
