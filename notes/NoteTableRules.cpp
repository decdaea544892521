#include "notes/NoteTableRules.h"

#include "app/ConfigRules.h"

#include <cwchar>

namespace {

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r' || c == L'\v' || c == L'\f' || c == 0xA0 || c == 0x3000;
}

// The rule over one area; `offsetTop` adds the area's top to y (the virtual
// screen's rule leaves y unshifted).
NotePosition PlaceInArea(const ScreenRect& area, int width, int r1, int r2, bool offsetTop)
{
    const long long w = static_cast<long long>(area.right) - area.left;
    const long long h = static_cast<long long>(area.bottom) - area.top;
    // An area narrower than 4 pixels has no third to draw from: the modulo would divide by zero.
    const long long xSpan = static_cast<long long>(0.33 * static_cast<double>(w));
    const long long ySpan = static_cast<long long>(0.33 * static_cast<double>(h));
    const long long xOffset = xSpan > 0 ? r1 % xSpan : 0;
    const long long yOffset = ySpan > 0 ? r2 % ySpan : 0;
    long long x = static_cast<long long>(0.66 * static_cast<double>(w) + static_cast<double>(area.left + xOffset));
    if (x + width > area.right)
        x = static_cast<long long>(area.right) - width;
    const long long y = yOffset + (offsetTop ? area.top : 0);
    return NotePosition{SaturateToInt(x), SaturateToInt(y)};
}

bool Intersects(const ScreenRect& a, long long left, long long top, long long right, long long bottom)
{
    return left < a.right && a.left < right && top < a.bottom && a.top < bottom;
}

// Squared distance between two rectangles, 0 when they touch or overlap.
double Distance2(const ScreenRect& a, long long left, long long top, long long right, long long bottom)
{
    const double dx = static_cast<double>(right <= a.left ? a.left - right : (a.right <= left ? left - a.right : 0));
    const double dy = static_cast<double>(bottom <= a.top ? a.top - bottom : (a.bottom <= top ? top - a.bottom : 0));
    return dx * dx + dy * dy;
}

}  // namespace

std::wstring NewNoteText(const std::wstring& newNoteText, int number)
{
    return newNoteText + L" " + NoteIdText(number + 1);
}

std::wstring NotesListLabel(const std::wstring& plainText, const std::wstring& newNoteText, int number)
{
    std::wstring label;
    for (wchar_t c : plainText.substr(0, 63)) {
        if (c == L'\r')
            continue;
        label += c == L'\n' ? L' ' : c;
    }
    size_t first = 0;
    while (first < label.size() && IsBlank(label[first]))
        ++first;
    size_t last = label.size();
    while (last > first && IsBlank(label[last - 1]))
        --last;
    label = label.substr(first, last - first);
    return label.empty() ? NewNoteText(newNoteText, number) : label;
}

NotePosition PlaceNewNote(const ScreenRect& virtualScreen,
                          const std::vector<MonitorArea>& monitors,
                          int width,
                          int height,
                          int r1,
                          int r2)
{
    const NotePosition p = PlaceInArea(virtualScreen, width, r1, r2, false);
    const long long right = static_cast<long long>(p.x) + width;
    const long long bottom = static_cast<long long>(p.y) + height;
    if (monitors.empty())
        return p;
    const MonitorArea* nearest = nullptr;
    double best = 0;
    for (const MonitorArea& m : monitors) {
        if (Intersects(m.monitor, p.x, p.y, right, bottom))
            return p;
        const double d = Distance2(m.monitor, p.x, p.y, right, bottom);
        if (!nearest || d < best) {
            best = d;
            nearest = &m;
        }
    }
    return PlaceInArea(nearest->work, width, r1, r2, true);
}
