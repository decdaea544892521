// Arithmetic of the tray icon: the grey look and the target of the hide
// animation, apart from the shell.
#pragma once

#include <cstdint>

namespace tray {

struct Rect {
    long left = 0, top = 0, right = 0, bottom = 0;
};

// A pixel 0x00BBGGRR of the grey copy: black stays black, any other colour
// becomes (g, g, g) with g = int(0.299 R + 0.587 G + 0.114 B) mod 256.
std::uint32_t GreyPixel(std::uint32_t colour);

// The taskbar edge as the shell reports it.
enum Edge { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3 };

// Near the end of the taskbar; any other edge leaves `current`.
Rect TargetOnTaskbar(const Rect& taskbar, int edge, const Rect& current);
// The right end of a taskbar window: at most 150 wide, at most 30 high.
Rect TargetInTaskbarWindow(Rect taskbar);
// The bottom-right corner of the work area, 150 x 30.
Rect TargetInWorkArea(Rect work);

// The tooltip as the notify record's 128-character field holds it.
constexpr int kTipChars = 128;

}  // namespace tray
