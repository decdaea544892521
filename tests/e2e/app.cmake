target_sources(qb_e2e PRIVATE
  tests/e2e/startup_test.cpp
  tests/e2e/saving_test.cpp
)
