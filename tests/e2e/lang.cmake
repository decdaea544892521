target_sources(qb_e2e PRIVATE tests/e2e/lang_menu_test.cpp)
target_link_libraries(qb_e2e PRIVATE shell32)
