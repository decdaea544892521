#include "shell/TrayLogic.h"

namespace tray {

std::uint32_t GreyPixel(std::uint32_t colour)
{
    colour &= 0x00FFFFFF;
    if (colour == 0)
        return 0;
    const double r = colour & 0xFF;
    const double g = (colour >> 8) & 0xFF;
    const double b = (colour >> 16) & 0xFF;
    const std::uint32_t grey = static_cast<std::uint32_t>(0.299 * r + 0.587 * g + 0.114 * b) % 256;
    return grey | (grey << 8) | (grey << 16);
}

Rect TargetOnTaskbar(const Rect& taskbar, int edge, const Rect& current)
{
    switch (edge) {
        case kTop:
        case kBottom:
            return {taskbar.right - 100, taskbar.top, taskbar.right - 16, taskbar.bottom};
        case kLeft:
        case kRight:
            return {taskbar.left, taskbar.bottom - 100, taskbar.right, taskbar.bottom - 16};
        default:
            return current;
    }
}

Rect TargetInTaskbarWindow(Rect taskbar)
{
    if (taskbar.right - taskbar.left > 150)
        taskbar.left = taskbar.right - 150;
    if (taskbar.bottom - taskbar.top >= 31)
        taskbar.top = taskbar.bottom - 30;
    return taskbar;
}

Rect TargetInWorkArea(Rect work)
{
    work.left = work.right - 150;
    work.top = work.bottom - 30;
    return work;
}

}  // namespace tray
