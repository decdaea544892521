target_sources(qb_unit PRIVATE
  tests/unit/schedule_test.cpp
  tests/unit/timenote_title_test.cpp
)
