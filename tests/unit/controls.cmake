target_sources(qb_unit PRIVATE
  tests/unit/cmdbar_logic_test.cpp
)
