target_sources(qb_core PRIVATE
  lang/LanguageTable_stub.cpp
)
