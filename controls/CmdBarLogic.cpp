#include "controls/CmdBarLogic.h"

#include <algorithm>
#include <cstdlib>

namespace cmdbar {

std::size_t CopyItemText(wchar_t (&dst)[kItemTextChars], std::wstring_view src)
{
    std::size_t n = std::min<std::size_t>(src.size(), kItemTextChars - 1);
    // An embedded terminator ends the text as the menu would.
    std::size_t nul = src.substr(0, n).find(L'\0');
    if (nul != std::wstring_view::npos)
        n = nul;
    if (n < src.size() && n > 0) {
        unsigned last = static_cast<unsigned>(src[n - 1]);
        if (last >= 0xD800 && last <= 0xDBFF)
            --n;
    }
    std::copy_n(src.data(), n, dst);
    dst[n] = L'\0';
    return n;
}

int WrapIndex(int index, int count)
{
    if (count <= 0)
        return -1;
    if (index < 0)
        return count - 1;
    if (index >= count)
        return 0;
    return index;
}

bool PictureTable::Add(unsigned command)
{
    if (Full())
        return false;
    m_commands[m_count++] = command;
    return true;
}

int PictureTable::Find(unsigned command) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_commands[i] == command)
            return i;
    }
    return -1;
}

ItemTextParts SplitAtTab(std::wstring_view text)
{
    std::size_t tab = text.find(L'\t');
    if (tab == std::wstring_view::npos)
        return {text, {}};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

std::wstring HideMnemonics(std::wstring_view text)
{
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            if (i + 1 >= text.size())
                break;
            ++i;  // the character after the prefix stays, an ampersand included
        }
        out += text[i];
    }
    return out;
}

static wchar_t FoldAscii(wchar_t c)
{
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

bool HasMnemonic(std::wstring_view text, wchar_t key)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&')
            continue;
        if (text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return FoldAscii(text[i + 1]) == FoldAscii(key);
    }
    return false;
}

// Row by row, bit 8 is the leftmost pixel.
static const std::uint16_t kCheckRows[kCheckGlyphSize] = {
    0b000000000, 0b000000001, 0b000000011, 0b100000111, 0b110001110, 0b111011100, 0b011111000, 0b001110000, 0b000100000,
};

bool CheckGlyphPixel(int x, int y)
{
    if (x < 0 || y < 0 || x >= kCheckGlyphSize || y >= kCheckGlyphSize)
        return false;
    return (kCheckRows[y] >> (kCheckGlyphSize - 1 - x)) & 1;
}

int MeasureItemHeight(int fontHeight)
{
    return std::max(kMinItemHeight, std::abs(fontHeight) + 8);
}

int MeasureItemWidth(int textWidth, int menuCheckWidth)
{
    // The system adds the check-mark width to every owner-drawn item; take it back.
    return textWidth + 2 * kIconColumn + kIconColumn - menuCheckWidth + 1;
}

ItemLayout LayoutItem(const Rect& item, bool hasPicture, bool checked)
{
    ItemLayout out{};
    int top = item.top + ((item.bottom - item.top) - kMinItemHeight) / 2;
    out.pictureBox = {item.left, top, item.left + kIconColumn, top + kMinItemHeight};
    out.picture = {out.pictureBox.left + 2, out.pictureBox.top + 1};

    bool shifted = checked && hasPicture;
    int boxLeft = out.pictureBox.left + (shifted ? kCheckShift : 0);
    out.checkGlyph = {boxLeft + kIconColumn / 2 - 4, out.pictureBox.top + kMinItemHeight / 2 - 4};

    out.text = item;
    out.text.left += kIconColumn + (shifted ? kCheckTextShift : 0) + kTextGap;
    out.text.right -= kIconColumn;
    return out;
}

ToolbarSizes ComputeToolbarSizes(int imageWidth, int imageHeight, int fontHeight)
{
    int height = std::max(std::abs(fontHeight), imageHeight);
    return {imageWidth, height, imageWidth + 7, height + 7};
}

}  // namespace cmdbar
