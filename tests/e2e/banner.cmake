# The main window test (cmdbar_test.cpp) draws its own copy of the banner to compare with what the program shows.
target_sources(qb_e2e PRIVATE
  controls/ImageLoader.cpp
  controls/Banner.cpp
  res/banner.rc
)
target_link_libraries(qb_e2e PRIVATE ole32)
