target_sources(qb_e2e PRIVATE tests/e2e/timenote_test.cpp)
