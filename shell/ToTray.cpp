#include "shell/ToTray.h"

#include <shellapi.h>

#include <cwchar>

#include "res/resource.h"
#include "shell/TrayLogic.h"

CToTray g_toTray;

namespace {

// The watchdog is asked to stop and then waited for; it waits on nothing else.
constexpr DWORD kStopWaitMs = 2000;

tray::Rect FromRECT(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

RECT ToRECT(const tray::Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

}  // namespace

CToTray::~CToTray()
{
    Remove();
}

NOTIFYICONDATAW CToTray::Record(DWORD flags, HICON icon) const
{
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = m_owner;
    nid.uID = m_iconId;
    nid.uFlags = flags;
    nid.uCallbackMessage = WM_TRAY_CALLBACK;
    nid.hIcon = icon;
    if (flags & NIF_TIP) {
        std::wcsncpy(nid.szTip, m_tooltip, tray::kTipChars - 1);
        nid.szTip[tray::kTipChars - 1] = L'\0';
    }
    return nid;
}

bool CToTray::Install(UINT iconId, HICON, const wchar_t* tooltip, bool watchdog)
{
    m_iconId = iconId;
    std::wcsncpy(m_tooltip, tooltip ? tooltip : L"", 1023);
    m_tooltip[1023] = L'\0';
    m_installed = true;
    Refresh();
    if (watchdog) {
        StopWatchdog();
        m_stop.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        if (m_stop)
            m_thread.Reset(::CreateThread(nullptr, 0, WatchdogProc, this, 0, &m_threadId));
        if (!m_thread)
            m_stop.Reset();
    }
    return true;
}

void CToTray::Refresh()
{
    if (!m_installed)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    HICON icon = static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(LOWORD(m_iconId)), IMAGE_ICON, cx, cy, 0));
    if (icon && m_grey) {
        HICON grey = GreyCopy(icon);
        ::DestroyIcon(icon);
        icon = grey;
    }
    NOTIFYICONDATAW nid = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP, icon);
    ::Shell_NotifyIconW(IsPresent() ? NIM_MODIFY : NIM_ADD, &nid);
    // The shell keeps its own copy.
    if (icon)
        ::DestroyIcon(icon);
}

bool CToTray::IsPresent() const
{
    NOTIFYICONDATAW nid = Record(NIF_MESSAGE, nullptr);
    return ::Shell_NotifyIconW(NIM_MODIFY, &nid) != FALSE;
}

void CToTray::StopWatchdog()
{
    if (m_stop)
        ::SetEvent(m_stop.Get());
    // Never killed: a thread stopped inside a heap call would hang the process at exit.
    if (m_thread)
        ::WaitForSingleObject(m_thread.Get(), kStopWaitMs);
    m_thread.Reset();
    m_stop.Reset();
    m_threadId = 0;
}

void CToTray::Remove()
{
    StopWatchdog();
    if (!m_installed)
        return;
    m_installed = false;
    NOTIFYICONDATAW nid = Record(NIF_MESSAGE | NIF_ICON | NIF_TIP, nullptr);
    nid.szTip[0] = L'\0';
    ::Shell_NotifyIconW(NIM_DELETE, &nid);
}

DWORD WINAPI CToTray::WatchdogProc(void* param)
{
    auto* self = static_cast<CToTray*>(param);
    // The owner, id and stop event are set before the thread starts and stay.
    while (::WaitForSingleObject(self->m_stop.Get(), self->m_intervalMs) == WAIT_TIMEOUT) {
        if (!self->IsPresent())
            ::PostMessageW(self->m_owner, WM_TRAY_REFRESH, 0, 0);
    }
    return 0;
}

RECT CToTray::TrayRect()
{
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    tray::Rect target = tray::TargetInWorkArea(FromRECT(work));

    HWND taskbar = ::FindWindowW(L"Shell_TrayWnd", nullptr);
    HWND notify = taskbar ? ::FindWindowExW(taskbar, nullptr, L"TrayNotifyWnd", nullptr) : nullptr;
    RECT rc{};
    if (notify && ::GetWindowRect(notify, &rc))
        return rc;
    APPBARDATA abd{};
    abd.cbSize = sizeof(abd);
    if (::SHAppBarMessage(ABM_GETTASKBARPOS, &abd))
        return ToRECT(tray::TargetOnTaskbar(FromRECT(abd.rc), static_cast<int>(abd.uEdge), target));
    if (taskbar && ::GetWindowRect(taskbar, &rc))
        return ToRECT(tray::TargetInTaskbarWindow(FromRECT(rc)));
    return ToRECT(target);
}

void CToTray::HideToTray(HWND window, bool animate)
{
    ANIMATIONINFO ai{};
    ai.cbSize = sizeof(ai);
    if (animate && ::SystemParametersInfoW(SPI_GETANIMATION, sizeof(ai), &ai, 0) && ai.iMinAnimate) {
        RECT from{};
        ::GetWindowRect(window, &from);
        RECT to = TrayRect();
        ::DrawAnimatedRects(window, IDANI_CAPTION, &from, &to);
    }
    ::ShowWindow(window, SW_HIDE);
}

HICON CToTray::GreyCopy(HICON icon)
{
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon, &info))
        return nullptr;
    HICON result = nullptr;
    BITMAP bm{};
    const int width = static_cast<int>(info.xHotspot) * 2;
    const int height = static_cast<int>(info.yHotspot) * 2;
    // GetIconInfo hands out copies of the icon's bitmaps.
    ScopedGdiObject<HBITMAP> colour(info.hbmColor);
    ScopedGdiObject<HBITMAP> mask(info.hbmMask);
    if (colour && ::GetObjectW(colour.Get(), sizeof(bm), &bm) && width > 0 && height > 0) {
        ScopedGdiObject<HBITMAP> grey(::CreateBitmap(width, height, bm.bmPlanes, bm.bmBitsPixel, nullptr));
        ScopedWindowDC screen(nullptr);
        ScopedMemoryDC src(screen.Get());
        ScopedMemoryDC dst(screen.Get());
        if (grey && src && dst) {
            {
                ScopedSelectObject srcBitmap(src.Get(), colour.Get());
                ScopedSelectObject dstBitmap(dst.Get(), grey.Get());
                RECT all{0, 0, width, height};
                ::FillRect(dst.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
                for (int y = 0; y < height && y < bm.bmHeight; ++y) {
                    for (int x = 0; x < width && x < bm.bmWidth; ++x) {
                        const COLORREF c = ::GetPixel(src.Get(), x, y);
                        if (c != CLR_INVALID && (c & 0xFFFFFF) != 0)
                            ::SetPixelV(dst.Get(), x, y, tray::GreyPixel(c));
                    }
                }
            }
            ICONINFO greyInfo{TRUE, 0, 0, mask.Get(), grey.Get()};
            result = ::CreateIconIndirect(&greyInfo);
        }
    }
    return result;
}
