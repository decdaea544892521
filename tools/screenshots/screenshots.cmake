# Included from tests/tests.cmake (it drives the program with the end-to-end tests' driver).
# The README's pictures (tools/dev.sh screenshots): a tool, not a test.
add_executable(qb_screenshots tools/screenshots/screenshots.cpp)
target_compile_options(qb_screenshots PRIVATE -Wall -Wextra)
target_link_options(qb_screenshots PRIVATE -municode)
target_link_libraries(qb_screenshots PRIVATE qb_e2e_driver)
add_dependencies(qb_screenshots Quillboard)
