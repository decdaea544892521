# Included from the top-level CMakeLists.txt. The benchmark (tools/dev.sh bench) and its floor
# program: a bare dialog built with the same toolchain and flags as Quillboard.exe.
add_executable(qb_floor WIN32 tools/bench/floor.cpp)
target_link_options(qb_floor PRIVATE -municode -s)
target_link_libraries(qb_floor PRIVATE user32)

# Links the program's code so that it can time the language table's decoder in-process.
add_executable(qb_bench tools/bench/bench.cpp lang/LangTable.rc)
target_compile_options(qb_bench PRIVATE -Wall -Wextra)
target_link_libraries(qb_bench PRIVATE qb_core psapi)
add_dependencies(qb_bench qb_lang_table Quillboard qb_floor)
