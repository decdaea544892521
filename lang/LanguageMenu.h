// The "Language" submenu of the main window's menu and its commands: switching the built-in
// language, exporting the base language for a translator and loading a translated file.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Appends "Language" (text 77) with one item per named built-in language ("<name> / <percent> %", the
// current one greyed), a separator, "Translate" and "Load from File (Unicode)".
void AppendLanguageMenu(HMENU menu);

// Commands ID_LANGUAGE_FIRST + n for n from 0 up to, not including, 201. applyTexts sets every text
// of the main window again.
void OnLanguageCommand(int n, const std::function<void()>& applyTexts);

// Where the export goes: the temporary folder and the file name; empty when the platform names no
// temporary folder or the whole path would not fit MAX_PATH.
std::wstring TranslationExportPath();

// Writes the export file (UTF-16LE with byte-order mark) and hands it to the shell to show. A path that
// cannot be built or written leaves everything alone; false then. shellOpen stands in for the shell.
bool ExportTranslation(const std::function<void(const std::wstring&)>& shellOpen = nullptr);

// Reads and compares a language file and returns the report. Only a file that could be read and holds at
// least one entry switches lookups to the file.
std::wstring LoadLanguageFileReport(const wchar_t* path);
