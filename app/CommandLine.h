// Command-line tokens and the start-up switches they carry. No Windows headers:
// this is plain text handling.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLineToken {
    std::wstring name;                  // up to the first colon, or the whole token
    std::optional<std::wstring> value;  // after the first colon; none without a colon
};

constexpr size_t kMaxCommandLineTokens = 256;

// Splits at spaces; double quotes toggle a state in which spaces do not split.
// Tabs and line feeds inside a token come back as spaces.
std::vector<CommandLineToken> ParseCommandLine(const std::wstring& text);

// The first token whose name equals `name`.
const CommandLineToken* FindSwitch(const std::vector<CommandLineToken>& tokens,
                                   const wchar_t* name,
                                   bool caseSensitive);

struct StartOptions {
    bool background = false;  // "-bg" recorded; the start-up decides by the raw text
    bool hide = false;
    std::wstring iniOverride;
    std::optional<int> installerLanguage;  // "m_lang_id"
    bool forAll = false;
    bool installSwitch = false;
    bool uninstallSwitch = false;
    bool portableInstallSwitch = false;
    std::wstring uninstallPath;  // "-?UNPATH"
};

StartOptions EvaluateSwitches(const std::vector<CommandLineToken>& tokens);

enum class InstallerMode { None, Install, Uninstall, PortableInstall };

// The switches decide first; without them the program's own file name does.
InstallerMode SelectInstallerMode(const StartOptions& options, const std::wstring& programFileName);

// The autostart entry starts the program with exactly "-bg": only such a short
// command line keeps the main window hidden.
bool StartsHidden(const std::wstring& rawCommandLine);
