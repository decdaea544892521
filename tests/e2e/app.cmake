target_sources(qb_e2e PRIVATE
  tests/e2e/startup_test.cpp
  tests/e2e/hostile_test.cpp
)
target_sources(qb_e2e PRIVATE tests/e2e/options_test.cpp)

# The kill test's helper: saves notes through the program's configuration layer.
add_executable(qb_save_worker tests/e2e/save_worker.cpp)
target_link_libraries(qb_save_worker PRIVATE qb_core)
target_link_options(qb_save_worker PRIVATE -municode)

# The kill tests run long (hundreds of starts): an executable of their own with a longer limit.
add_executable(qb_killtest tests/e2e/saving_test.cpp)
target_link_libraries(qb_killtest PRIVATE qb_e2e_driver GTest::gtest_main)
add_dependencies(qb_killtest Quillboard qb_save_worker)
gtest_discover_tests(qb_killtest DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 600)
