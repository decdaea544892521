// libFuzzer target: the command-line parser and the switches read from it.
#include "app/CommandLine.h"
#include "tests/fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in(data, size);
    const std::wstring text = in.RestAsText();
    const std::vector<CommandLineToken> tokens = ParseCommandLine(text);
    if (tokens.size() > kMaxCommandLineTokens)
        __builtin_trap();
    const StartOptions options = EvaluateSwitches(tokens);
    SelectInstallerMode(options, text);
    StartsHidden(text);
    FindSwitch(tokens, L"-ini", false);
    return 0;
}
