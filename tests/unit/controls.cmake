target_sources(qb_unit PRIVATE
  tests/unit/cmdbar_logic_test.cpp
  tests/unit/cmdbar_test.cpp
  res/toolbars.rc
  tests/unit/cmdbar_test.rc
  tests/unit/color_button_test.cpp
)
