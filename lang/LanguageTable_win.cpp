#include "lang/LanguageTable.h"

#include "lang/LangTableResource.h"
#include "ui/TextConv.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <vector>

namespace {

std::wstring FromAnsi(const char* bytes, size_t size)
{
    return MultiByteToText(CP_ACP, bytes, size);
}

}  // namespace

bool LoadLanguageTable()
{
    // The table is linked into the module that carries this code: the program, or a test.
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(&LoadLanguageTable), &module);
    const uint8_t* stream = nullptr;
    size_t size = 0;
    if (HRSRC info = ::FindResourceW(module, MAKEINTRESOURCEW(IDR_LANGTABLE), MAKEINTRESOURCEW(10 /* RT_RCDATA */))) {
        if (HGLOBAL data = ::LoadResource(module, info)) {
            stream = static_cast<const uint8_t*>(::LockResource(data));
            size = stream ? ::SizeofResource(module, info) : 0;
        }
    }
    // Without the resource the table is empty: the program still runs, with empty texts.
    return LoadLanguageTableFromStream(stream, size);
}

bool ReadLanguageFile(const wchar_t* path, std::wstring* text)
{
    text->clear();
    FILE* f = path ? ::_wfopen(path, L"rb") : nullptr;
    if (!f)
        return false;
    std::vector<uint8_t> bytes;
    uint8_t block[1024];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, f)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(f);
    *text = LanguageFileText(bytes.data(), bytes.size(), &FromAnsi);
    return true;
}
