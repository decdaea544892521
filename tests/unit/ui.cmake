target_sources(qb_unit PRIVATE
  tests/unit/message_loop_test.cpp
  tests/unit/window_test.cpp
)
