#include "lang/LanguageTable.h"

int g_lang_index = 1;

bool LoadLanguageTable()
{
    return true;
}

const wchar_t* GetLangString(int)
{
    return nullptr;
}

const wchar_t* GetHeaderString(int id)
{
    return id == 19 ? L"Quillboard 1.00" : nullptr;
}
