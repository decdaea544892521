# Included from the top-level CMakeLists.txt, so paths are relative to the repository root.
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(GoogleTest)

# Windows paths of build products, for tests that run under Wine.
function(qb_windows_path out path)
  string(REPLACE "/" "\\\\" p "${path}")
  set(${out} "Z:${p}" PARENT_SCOPE)
endfunction()

# Unit tests of the program's logic, all in one executable.
add_executable(qb_unit)
target_link_libraries(qb_unit PRIVATE qb_core GTest::gtest_main)
target_compile_options(qb_unit PRIVATE -Wall -Wextra)
foreach(area ui app lang notes timenotes shell controls setup)
  include(tests/unit/${area}.cmake)
endforeach()
gtest_discover_tests(qb_unit DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120 PROPERTIES TIMEOUT 120)

# End-to-end tests: each starts the real Quillboard.exe. They share the
# single-instance mutex, so they never run in parallel.
add_library(qb_e2e_driver STATIC tests/e2e/Driver.cpp)
target_include_directories(qb_e2e_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(qb_e2e_driver PRIVATE -Wall -Wextra)
qb_windows_path(QB_EXE_WIN "${CMAKE_BINARY_DIR}/Quillboard.exe")
target_compile_definitions(qb_e2e_driver PRIVATE "QB_EXE_PATH=L\"${QB_EXE_WIN}\"")
target_link_libraries(qb_e2e_driver PUBLIC GTest::gtest user32 gdi32 kernel32 shell32)

add_executable(qb_e2e)
target_link_libraries(qb_e2e PRIVATE qb_e2e_driver GTest::gtest_main)
target_compile_options(qb_e2e PRIVATE -Wall -Wextra)
add_dependencies(qb_e2e Quillboard)
foreach(area app lang notes timenotes shell controls banner cmdbar setup)
  include(tests/e2e/${area}.cmake)
endforeach()
gtest_discover_tests(qb_e2e DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120
  PROPERTIES RUN_SERIAL TRUE TIMEOUT 180)

include(tools/screenshots/screenshots.cmake)

add_executable(qb_keepalive WIN32 tests/e2e/keepalive.cpp)
target_link_options(qb_keepalive PRIVATE -municode)
