// Placeholder until the built-in language table lands.
#pragma once

extern int g_lang_index;

bool LoadLanguageTable();
const wchar_t* GetLangString(int id);
const wchar_t* GetHeaderString(int id);
