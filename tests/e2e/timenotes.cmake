target_sources(qb_e2e PRIVATE
  tests/e2e/Boxes.cpp
  tests/e2e/timenote_test.cpp
)
target_link_libraries(qb_e2e PRIVATE comctl32)
