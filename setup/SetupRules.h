// The installer's texts and values that need no Windows: the uninstall entry,
// the self-removal batch file, the registered command's parts, folder rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/ConfigRules.h"

// Exit codes of every installer mode, as other installers report them.
constexpr int kSetupDone = 0;
constexpr int kSetupCancelled = 1602;
constexpr int kSetupFailed = 1603;

constexpr const wchar_t kInstalledFileName[] = L"Quillboard.exe";
constexpr const wchar_t kPortableFileName[] = L"Quillboard_p.exe";
constexpr const wchar_t kDisplayVersion[] = L"1.00";
constexpr const wchar_t kPublisher[] = L"Brightmoor";

// The values of the uninstall entry for a program file in a target folder.
struct UninstallEntry {
    std::wstring displayName;
    std::wstring displayVersion;
    std::wstring publisher;
    std::wstring displayIcon;
    std::wstring installLocation;
    std::wstring uninstallString;
    std::wstring quietUninstallString;
    uint32_t estimatedSizeKb = 0;
    std::wstring installDate;  // "yyyymmdd"
};

UninstallEntry MakeUninstallEntry(const std::wstring& exePath,
                                  const std::wstring& target,
                                  uint64_t fileBytes,
                                  int year,
                                  int month,
                                  int day);

// A batch file that deletes exePath once the running uninstaller lets go of it
// (retrying about once a second for up to two minutes), removes folder when
// it is empty and finally deletes itself (batchPath).
std::wstring SelfRemovalBatch(const std::wstring& exePath, const std::wstring& folder, const std::wstring& batchPath);

// Splits a registered command line into the program (quoted or up to the
// first blank) and its parameters.
void SplitCommand(const std::wstring& command, std::wstring* program, std::wstring* parameters);

// A folder without trailing backslashes (a drive root keeps its one).
std::wstring TrimFolder(const std::wstring& folder);
// Both name the same folder, regardless of case and trailing backslashes.
bool SameFolder(const std::wstring& a, const std::wstring& b);
// path lies inside folder (case-insensitive).
bool PathInside(const std::wstring& path, const std::wstring& folder);

// The installer's language index from "m_lang_id": a language index (0 German,
// 1 English) or a Windows language id (German ids give 0); otherwise current.
int InstallerLanguage(const std::optional<int>& langId, int current);
