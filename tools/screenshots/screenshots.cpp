// The README's pictures, taken from the real program with the end-to-end tests' driver:
//   qb_screenshots <folder>
// run by "tools/dev.sh screenshots", which turns the bitmaps written here into PNG files.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace e2e;

namespace {

// The screen inside rc, as a 24-bit bottom-up BMP file.
bool SaveScreen(const RECT& rc, const std::wstring& path)
{
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::BitBlt(dc, 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    const DWORD stride = (w * 3 + 3) & ~3u, size = stride * h;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + size;
    std::ofstream out(std::string(path.begin(), path.end()), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
    out.write(static_cast<const char*>(bits), size);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return out.good();
}

RECT Around(HWND w, int margin)
{
    RECT rc = WindowRect(w);
    ::InflateRect(&rc, margin, margin);
    return rc;
}

void WriteNote(const std::wstring& ini,
               int n,
               int x,
               const wchar_t* background,
               const wchar_t* text,
               const wchar_t* content)
{
    StoreNote(ini, n, x, 80, 260, 200, content);
    StoreNote(ini, n,
              {{L"m_clrBkgnd", background}, {L"m_color", text}, {L"m_font_str", L"Tahoma"}, {L"m_font_h", L"-16"}});
}

int g_failures = 0;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "failed: %s\n", what);
        ++g_failures;
    }
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: qb_screenshots <folder>\n");
        return 2;
    }
    const std::wstring folder = argv[1];
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"lng", L"1");
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"1");
    WriteNote(ini, 0, 80, L"12648447", L"0", L"Shopping\t\vmilk, bread\t\vstamps");
    WriteNote(ini, 1, 420, L"3158064", L"15790320", L"Call Anna at 5");

    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    if (!main) {
        std::fprintf(stderr, "the program did not start\n");
        return 1;
    }
    ::SetForegroundWindow(main);
    WaitUntil([&] { return ::IsWindowVisible(main) && ::GetForegroundWindow() == main; });
    ::SetWindowPos(main, HWND_TOP, 700, 300, 0, 0, SWP_NOSIZE);
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitUntil([&] { return ::GetForegroundWindow() == main; }, 1000);
    Check(SaveScreen(Around(main, 0), folder + L"\\options.bmp"), "options.bmp");
    ::ShowWindow(main, SW_HIDE);

    HWND notes[2] = {};
    for (HWND w : VisibleNotes(p))
        notes[WindowRect(w).left < 300 ? 0 : 1] = w;
    if (!notes[0] || !notes[1]) {
        std::fprintf(stderr, "the two notes did not show\n");
        return 1;
    }
    RECT both = Around(notes[0], 16);
    const RECT second = Around(notes[1], 16);
    ::UnionRect(&both, &both, &second);
    p.WaitIdle();
    Check(SaveScreen(both, folder + L"\\notes.bmp"), "notes.bmp");

    // The note menu, where the note window has one.
    ::PostMessageW(notes[0], WM_COMMAND, ID_NOTE_MENU, 0);
    if (WaitUntil([&] { return !OpenMenus(p).empty(); }, 3000)) {
        RECT menu = Around(OpenMenus(p)[0], 4);
        RECT note = Around(notes[0], 16);
        ::UnionRect(&menu, &menu, &note);
        Check(SaveScreen(menu, folder + L"\\note-menu.bmp"), "note-menu.bmp");
        ::PostMessageW(OpenMenus(p)[0], WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
        std::printf("no note menu opened: note-menu.png not written\n");
    }
    return g_failures ? 1 : 0;
}
