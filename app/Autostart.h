// Starting with Windows: a value under the Run key that launches the program
// with "-bg", for the current user or, for the installer, for every user.
#pragma once

#include <string>

// "\"<program path>\" -bg" for the given program file.
std::wstring AutostartCommand(const std::wstring& programPath);

// Whether the value exists; an entry launching another path is rewritten for
// the running program on the way (read and repair).
bool IsAutostartOn(const wchar_t* name, bool allUsers);
bool SetAutostart(const wchar_t* name, bool allUsers);
bool RemoveAutostart(const wchar_t* name, bool allUsers);
// The stored text of the value, empty when there is none.
std::wstring ReadRunValue(const wchar_t* name, bool allUsers);
// Stores text unchanged (REG_SZ, without a terminating zero).
bool WriteRunValue(const wchar_t* name, const std::wstring& text, bool allUsers);
