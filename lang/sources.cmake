target_sources(qb_core PRIVATE
  lang/LZARI.cpp
  lang/LanguageTable.cpp
  lang/LanguageTable_win.cpp
  lang/LanguageFiles.cpp
  lang/LanguageMenu.cpp
)

# The language table is kept as UTF-8 text and turned into the program's resource at build
# time: UTF-16LE with byte-order mark and CR LF (lang_text), then compressed (lzari).
if(NOT QB_LZARI_TOOL)
  # Not handed over by tools/dev.sh: build the native tools here.
  set(_qb_native_tools ${CMAKE_BINARY_DIR}/native-tools)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX
                          ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR}/tools -B ${_qb_native_tools} -DCMAKE_BUILD_TYPE=Release
                  RESULT_VARIABLE _qb_rc OUTPUT_QUIET)
  if(_qb_rc EQUAL 0)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${_qb_native_tools} RESULT_VARIABLE _qb_rc OUTPUT_QUIET)
  endif()
  if(NOT _qb_rc EQUAL 0)
    message(FATAL_ERROR "Cannot build the native tools in ${_qb_native_tools}; pass -DQB_LZARI_TOOL=<native lzari>")
  endif()
  set(QB_LZARI_TOOL ${_qb_native_tools}/lzari CACHE FILEPATH "Native lzari encoder used to compress the language table" FORCE)
endif()
get_filename_component(_qb_tools_dir "${QB_LZARI_TOOL}" DIRECTORY)
set(QB_LANG_TEXT_TOOL ${_qb_tools_dir}/lang_text)
set(QB_LANG_TABLE_SOURCE ${CMAKE_SOURCE_DIR}/lang/table/LanguageTable.txt)
set(QB_LANG_TABLE_TEXT ${CMAKE_BINARY_DIR}/generated/lang_table.utf16)
set(QB_LANG_TABLE_LZ ${CMAKE_BINARY_DIR}/generated/lang_table.lz)
add_custom_command(
  OUTPUT ${QB_LANG_TABLE_LZ} ${QB_LANG_TABLE_TEXT}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/generated
  COMMAND ${QB_LANG_TEXT_TOOL} ${QB_LANG_TABLE_SOURCE} ${QB_LANG_TABLE_TEXT}
  COMMAND ${QB_LZARI_TOOL} e ${QB_LANG_TABLE_TEXT} ${QB_LANG_TABLE_LZ}
  DEPENDS ${QB_LANG_TABLE_SOURCE} ${QB_LZARI_TOOL} ${QB_LANG_TEXT_TOOL}
  COMMENT "Compressing the language table"
  VERBATIM)
add_custom_target(qb_lang_table DEPENDS ${QB_LANG_TABLE_LZ})
