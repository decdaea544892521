# Every resource script of the program, attached in one place.
target_sources(Quillboard PRIVATE
  res/Quillboard.rc
  res/version.rc
  res/note.rc
  res/toolbars.rc
  res/banner.rc
  res/timenote.rc
  setup/setup.rc
  lang/LangTable.rc
)
# The language table is compressed at build time (lang/sources.cmake); its script includes the result.
set_source_files_properties(lang/LangTable.rc PROPERTIES OBJECT_DEPENDS ${QB_LANG_TABLE_LZ})
add_dependencies(Quillboard qb_lang_table)
