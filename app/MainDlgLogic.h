// Choices the main window makes from plain data: which font and which size
// to select, and the transparency label.
#pragma once

#include <string>
#include <vector>

namespace maindlg {

// The face to select in the font list, -1 for none. Walking from the top, a
// face beginning with "segoe print" wins at once and one beginning with
// "comic" is taken while the walk goes on; a face equal to `stored` (case
// ignored) overrides both.
int ChooseFontIndex(const std::vector<std::wstring>& faces, const std::wstring& stored);

// "200" first, then the entry equal to `stored` (case ignored) when there is one.
int ChooseSizeIndex(const std::vector<std::wstring>& sizes, const std::wstring& stored);

// "30 %".
std::wstring TransparencyLabel(int percent);

bool EqualNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace maindlg
