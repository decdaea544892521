// Rules of the configuration file that need no Windows: integer parsing,
// the portable file name, folder comparison.
#pragma once

#include <string>

// Leading white space and one sign, then digits up to the first non-digit;
// no digits gives 0; beyond the 32-bit range gives the nearest limit.
int ParseProfileInt(const wchar_t* text);

// "_p", "_portable" or "_port" found after the first character of the
// lower-cased file name.
bool IsPortableFileName(const std::wstring& fileName);

// Lower case, a trailing backslash, doubled backslashes made single: so that
// one folder can be tested for lying inside another.
std::wstring NormalizeFolder(const std::wstring& folder);

// The text after the last backslash or slash (the whole text without one).
std::wstring FileNameOf(const std::wstring& path);
// The text before the last backslash or slash (empty without one).
std::wstring FolderOf(const std::wstring& path);

// A note number as the file names it: "%03d" (7 gives "007").
std::wstring NoteIdText(int number);
