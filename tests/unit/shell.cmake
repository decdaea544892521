target_sources(qb_unit PRIVATE
  tests/unit/sendto_test.cpp
)
