// The one configuration (INI) file and the access layer every part reads and
// writes it through. Nothing is cached: each call goes to the file.
#pragma once

#include <windows.h>

// winbase.h maps this name to the win.ini writer; ours writes the configuration file.
#undef WriteProfileString

#include <string>
#include <vector>

// Main section, named after the program.
constexpr const wchar_t kProgramName[] = L"Quillboard";
constexpr const wchar_t kProgramSection[] = L"Program";

const std::wstring& GetConfigPath();
bool IsPortable();
// Folder of the program's own file, without trailing backslash.
const std::wstring& GetProgramFolder();
const std::wstring& GetProgramPath();

// The "-ini" value from the command line; used whole, whatever its length.
void SetConfigOverride(const std::wstring& path);
const std::wstring& GetConfigOverride();

// Locates the file once at start-up and sets the portable flag.
void ResolveConfigPath();
// For tests: use this file directly.
void SetConfigPathForTesting(const std::wstring& path);

// The buffer's content is the default; the result is cut to size - 1
// characters. Returns the number of characters read.
DWORD ReadProfileString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, DWORD size);
// Reads the whole value, however long.
std::wstring ReadProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue = L"");
// Every write replaces the whole file at once (the new file is written beside
// it, flushed and moved over it), so a kill never leaves it half written. The
// bytes are those the platform's profile functions would write, except that
// text the ANSI code page cannot hold turns the file into UTF-16.
BOOL WriteProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* text);
struct ProfileKey {
    const wchar_t* key;
    std::wstring value;
};
// Several keys of one section in one file write, the same bytes as one write per key.
BOOL WriteProfileKeys(const wchar_t* section, const std::vector<ProfileKey>& keys);
int ReadProfileInt(const wchar_t* section, const wchar_t* key, int defaultValue);
BOOL WriteProfileInt(const wchar_t* section, const wchar_t* key, int value);
// Every key=value line of the section, each followed by "\r\n".
std::wstring ReadProfileSection(const wchar_t* section);
BOOL DeleteProfileSection(const wchar_t* section);

// Short forms for the section "Program".
int ReadProgramInt(const wchar_t* key, int defaultValue);
BOOL WriteProgramInt(const wchar_t* key, int value);
std::wstring ReadProgramString(const wchar_t* key, const wchar_t* defaultValue = L"");
BOOL WriteProgramString(const wchar_t* key, const wchar_t* text);

// Where a write puts the new file: "<file>.tmp" while writing, "<file>.new" once complete.
std::wstring PendingConfigPath(const std::wstring& path, bool complete);
// Finishes a write that a kill interrupted: a complete new file replaces the file.
void RecoverConfigFile(const std::wstring& path);

// 2 folder, 1 file, 0 missing, -1 any other error.
int FileTest(const wchar_t* path);
