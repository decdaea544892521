target_sources(qb_unit PRIVATE
  tests/unit/lang_lzari_test.cpp
  tests/unit/lang_parse_test.cpp
  lang/LangTable.rc
)
add_dependencies(qb_unit qb_lang_table)
# The reference vectors of the decoder live in the repository.
set(QB_LZARI_VECTORS_DIR "${CMAKE_SOURCE_DIR}/tests/data/lzari")
qb_windows_path(QB_LZARI_VECTORS_WIN "${QB_LZARI_VECTORS_DIR}")
target_compile_definitions(qb_unit PRIVATE "QB_LZARI_VECTORS=\"${QB_LZARI_VECTORS_WIN}\"")

# The same vectors through the native build tool.
add_test(NAME lang_lzari_tool_vectors
  COMMAND ${CMAKE_COMMAND} -DLZARI=${QB_LZARI_TOOL} -DVECTORS=${QB_LZARI_VECTORS_DIR}
          -DWORK=${CMAKE_BINARY_DIR}/lzari_tool_vectors -P ${CMAKE_SOURCE_DIR}/tools/lzari_vectors.cmake)
target_sources(qb_unit PRIVATE tests/unit/lang_menu_test.cpp)
