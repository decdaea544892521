#include "app/CommandLine.h"

#include <cwctype>

namespace {

bool EqualsNoCase(const std::wstring& a, const wchar_t* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i]))
            return false;
    return i == a.size() && !b[i];
}

std::wstring Lower(std::wstring s)
{
    for (wchar_t& c : s)
        c = static_cast<wchar_t>(std::towlower(c));
    return s;
}

bool Contains(const std::wstring& s, const wchar_t* part)
{
    return s.find(part) != std::wstring::npos;
}

void SpacesForTabsAndLineFeeds(std::wstring& s)
{
    for (wchar_t& c : s)
        if (c == L'\t' || c == L'\n')
            c = L' ';
}

}  // namespace

std::vector<CommandLineToken> ParseCommandLine(const std::wstring& text)
{
    const std::wstring work = L" " + text + L"    ";

    // Quotes vanish; a quoted space becomes a tab so that it does not split.
    std::wstring copy;
    copy.reserve(work.size());
    bool quoted = false;
    for (wchar_t c : work) {
        if (c == L'"') {
            quoted = !quoted;
            continue;
        }
        copy.push_back(quoted && c == L' ' ? L'\t' : c);
    }

    std::vector<CommandLineToken> tokens;
    size_t pos = 0;
    while (pos < copy.size() && tokens.size() < kMaxCommandLineTokens) {
        size_t end = copy.find(L' ', pos);
        if (end == std::wstring::npos)
            end = copy.size();
        if (end > pos) {
            std::wstring token = copy.substr(pos, end - pos);
            SpacesForTabsAndLineFeeds(token);
            CommandLineToken t;
            size_t colon = token.find(L':');
            if (colon == std::wstring::npos) {
                t.name = token;
            } else {
                t.name = token.substr(0, colon);
                t.value = token.substr(colon + 1);
            }
            tokens.push_back(std::move(t));
        }
        pos = end + 1;
    }
    return tokens;
}

const CommandLineToken* FindSwitch(const std::vector<CommandLineToken>& tokens, const wchar_t* name, bool caseSensitive)
{
    for (const CommandLineToken& t : tokens)
        if (caseSensitive ? t.name == name : EqualsNoCase(t.name, name))
            return &t;
    return nullptr;
}

StartOptions EvaluateSwitches(const std::vector<CommandLineToken>& tokens)
{
    StartOptions o;
    o.background = FindSwitch(tokens, L"-bg", false) != nullptr;
    o.hide = FindSwitch(tokens, L"hide", false) != nullptr;
    if (const CommandLineToken* t = FindSwitch(tokens, L"-ini", true); t && t->value)
        o.iniOverride += *t->value;
    if (const CommandLineToken* t = FindSwitch(tokens, L"m_lang_id", true); t && t->value) {
        // Digits only; a stray text means no language was given.
        long long n = 0;
        bool any = false;
        for (wchar_t c : *t->value) {
            if (c < L'0' || c > L'9')
                break;
            any = true;
            n = n * 10 + (c - L'0');
            if (n > 0x7FFFFFFF)
                break;
        }
        if (any && n <= 0x7FFFFFFF)
            o.installerLanguage = static_cast<int>(n);
    }
    o.forAll = FindSwitch(tokens, L"forall", false) != nullptr;
    o.installSwitch = FindSwitch(tokens, L"-?install", false) != nullptr;
    if (!o.installSwitch)
        o.uninstallSwitch = FindSwitch(tokens, L"-?uninstall", false) != nullptr;
    if (!o.installSwitch && !o.uninstallSwitch)
        o.portableInstallSwitch = FindSwitch(tokens, L"-?portable_install", false) != nullptr;
    if (const CommandLineToken* t = FindSwitch(tokens, L"-?UNPATH", true); t && t->value)
        o.uninstallPath = *t->value;
    return o;
}

InstallerMode SelectInstallerMode(const StartOptions& options, const std::wstring& programFileName)
{
    bool install = options.installSwitch;
    bool uninstall = options.uninstallSwitch;
    bool portable = options.portableInstallSwitch;
    if (!install && !uninstall) {
        const std::wstring name = Lower(programFileName);
        if (Contains(name, L"uninstall"))
            uninstall = true;
        else if (Contains(name, L"portable_install"))
            portable = true;
        else if (Contains(name, L"inst") || Contains(name, L"set_up") || Contains(name, L"setup"))
            install = true;
    }
    if (install)
        return InstallerMode::Install;
    if (uninstall)
        return InstallerMode::Uninstall;
    if (portable)
        return InstallerMode::PortableInstall;
    return InstallerMode::None;
}

bool StartsHidden(const std::wstring& rawCommandLine)
{
    return rawCommandLine.find(L"-bg") != std::wstring::npos && rawCommandLine.size() < 5;
}
