target_sources(qb_unit PRIVATE
  tests/unit/schedule_test.cpp
)
