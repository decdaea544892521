#include "shell/ForceForeground.h"

namespace {

bool IsAltDownNow()
{
    return (::GetKeyState(VK_MENU) & 0x8000) != 0;
}

void SendAltKey(bool down)
{
    ::keybd_event(VK_MENU, 0, KEYEVENTF_EXTENDEDKEY | (down ? 0 : KEYEVENTF_KEYUP), 0);
}

}  // namespace

void ForceForeground(HWND hWnd, const ForegroundKeyboard& keyboard)
{
    if (!::IsWindow(hWnd))
        return;
    // Release only what we pressed: the user's own Alt stays down, and ours is
    // never left down (a stuck Alt turns the user's next F4 into Alt+F4).
    bool pressed = false;
    if (!keyboard.isAltDown()) {
        keyboard.sendAlt(true);
        pressed = true;
    }
    keyboard.setForeground(hWnd);
    if (pressed)
        keyboard.sendAlt(false);
}

void ForceForeground(HWND hWnd)
{
    static const ForegroundKeyboard system = {&IsAltDownNow, &SendAltKey, &::SetForegroundWindow};
    ForceForeground(hWnd, system);
}
