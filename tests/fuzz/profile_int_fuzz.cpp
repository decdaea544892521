// libFuzzer target: integer values of the configuration file, and the folder and name rules.
#include "app/ConfigRules.h"
#include "tests/fuzz/FuzzInput.h"

#include <climits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const std::wstring text = in.RestAsText();
    // A C string, as the profile functions hand it over.
    const int value = ParseProfileInt(text.c_str());
    // What "%d" writes must read back as itself.
    if (ParseProfileInt(std::to_wstring(value).c_str()) != value)
        __builtin_trap();
    IsPortableFileName(text);
    NormalizeFolder(text);
    FileNameOf(text);
    return 0;
}
