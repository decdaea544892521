// The one-line form of a note's content in the INI file: every CR LF becomes
// TAB VT so that the rich text fits on one line, and back when it is read.
#pragma once

#include <string>

std::wstring EncodeNoteLine(const std::wstring& content);
std::wstring DecodeNoteLine(const std::wstring& line);

// Whether stored content is rich text rather than plain text.
bool LooksLikeRtf(const std::wstring& content);

// Constant stored beside the content for a human reader of the file; never read.
extern const wchar_t kNoteStrInfo[];
