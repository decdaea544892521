// libFuzzer target: the one-line form of a note's content and the rich-text check.
#include "notes/NoteText.h"
#include "notes/RtfCheck.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const std::wstring content = in.RestAsText();
    const std::wstring line = EncodeNoteLine(content);
    if (line.find(L"\r\n") != std::wstring::npos)
        __builtin_trap();
    // Content without TAB VT pairs comes back as it was.
    if (content.find(L"\t\v") == std::wstring::npos && DecodeNoteLine(line) != content)
        __builtin_trap();
    DecodeNoteLine(content);
    LooksLikeRtf(content);
    RtfIsSafe(content);
    return 0;
}
