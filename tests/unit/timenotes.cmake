target_sources(qb_unit PRIVATE
  tests/unit/schedule_test.cpp
  tests/unit/termin_test.cpp
  res/timenote.rc
)
