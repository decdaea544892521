target_sources(qb_unit PRIVATE
  tests/unit/command_line_test.cpp
  tests/unit/config_test.cpp
  tests/unit/ini_rewrite_test.cpp
  tests/unit/force_foreground_test.cpp
)
target_sources(qb_unit PRIVATE tests/unit/program_commands_test.cpp)
