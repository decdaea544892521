target_sources(qb_unit PRIVATE
  # The banner tests of controls/ live here too, with the pictures they load.
  tests/unit/banner_test.cpp
  res/banner.rc
  tests/unit/banner_test.rc
)
target_sources(qb_unit PRIVATE
  tests/unit/tray_test.cpp
  tests/unit/tray_test.rc
  tests/unit/options_logic_test.cpp
)
