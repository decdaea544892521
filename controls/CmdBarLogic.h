// The command bar's arithmetic and fixed tables, kept free of <windows.h> so
// they also build and run natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace cmdbar {

constexpr std::uint32_t kItemMagic = 0x1313;
constexpr int kItemTextChars = 100;  // the item text buffer, terminator included
constexpr int kMaxPictures = 256;
constexpr unsigned kOpenMenuMsg = 0x084D;
constexpr unsigned kOpenSelectFirst = 1;  // wParam of kOpenMenuMsg: select the first item
constexpr int kFirstButtonId = 40000;
constexpr int kDefaultHeight = 20;
constexpr int kIconColumn = 21;
constexpr int kMinItemHeight = 18;
constexpr int kPictureSize = 16;
constexpr int kCheckShift = 16;      // the check glyph moves right past a picture
constexpr int kCheckTextShift = 12;  // and the text makes room for it
constexpr int kTextGap = 3;
constexpr int kCheckGlyphSize = 9;
constexpr unsigned long kBarCommandTag = 0xAFFE0000;  // lParam of a command chosen in a bar menu

// Copies at most kItemTextChars - 1 characters of src into dst and terminates it.
// A cut never leaves half of a surrogate pair behind. Returns the characters kept.
std::size_t CopyItemText(wchar_t (&dst)[kItemTextChars], std::wstring_view src);

// The bar menu index after stepping to `index`: below 0 wraps to the last, past
// the last to the first. -1 when there is no menu at all.
int WrapIndex(int index, int count);

// Command ids in picture order; image i of the picture list belongs to entry i.
class PictureTable {
public:
    // Records the command; false when the table is full.
    bool Add(unsigned command);
    // Image index of the command's picture, or -1.
    int Find(unsigned command) const;
    int Count() const { return m_count; }
    bool Full() const { return m_count >= kMaxPictures; }

private:
    unsigned m_commands[kMaxPictures] = {};
    int m_count = 0;
};

// A menu text splits at its first tab into the label and the right-aligned shortcut.
struct ItemTextParts {
    std::wstring_view label;
    std::wstring_view shortcut;
};
ItemTextParts SplitAtTab(std::wstring_view text);

// The text as shown with mnemonic prefixes hidden: "&x" shows as "x", "&&" as "&".
std::wstring HideMnemonics(std::wstring_view text);

// Whether text carries `key` as its mnemonic ("&x"; "&&" is a literal ampersand).
// Letters compare without regard to case in the ASCII range.
bool HasMnemonic(std::wstring_view text, wchar_t key);

// The 9 x 9 check glyph.
bool CheckGlyphPixel(int x, int y);

int MeasureItemHeight(int fontHeight);
int MeasureItemWidth(int textWidth, int menuCheckWidth);

struct Rect {
    int left, top, right, bottom;
};

struct Point {
    int x, y;
};

// Where the parts of an owner-drawn item go inside its rectangle.
struct ItemLayout {
    Rect pictureBox;   // 21 x 18, vertically centred
    Point picture;     // top-left of the 16 x 16 picture
    Point checkGlyph;  // top-left pixel of the 9 x 9 glyph
    Rect text;
};
ItemLayout LayoutItem(const Rect& item, bool hasPicture, bool checked);

// Toolbar resource geometry: the bitmap grows to the font's height, a button adds a 7-pixel border.
struct ToolbarSizes {
    int bitmapWidth, bitmapHeight;
    int buttonWidth, buttonHeight;
};
ToolbarSizes ComputeToolbarSizes(int imageWidth, int imageHeight, int fontHeight);

}  // namespace cmdbar
