// The README's pictures, taken from the real program: run by "tools/dev.sh screenshots",
// which passes --shots=<folder> and turns the bitmaps written here into PNG files.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <fstream>
#include <string>

using namespace e2e;

namespace {

std::wstring ShotsFolder()
{
    int argc = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    std::wstring folder;
    for (int i = 1; argv && i < argc; ++i)
        if (std::wstring(argv[i]).rfind(L"--shots=", 0) == 0)
            folder = argv[i] + 8;
    ::LocalFree(argv);
    return folder;
}

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
    RECT rc = {};
    ::GetWindowRect(w, &rc);
    ::InflateRect(&rc, margin, margin);
    return rc;
}

HWND OpenMenuWindow()
{
    HWND menu = ::FindWindowW(L"#32768", nullptr);
    return menu && ::IsWindowVisible(menu) ? menu : nullptr;
}

void WriteNote(const std::wstring& ini,
               const wchar_t* id,
               int x,
               int y,
               const wchar_t* background,
               const wchar_t* text,
               const wchar_t* content)
{
    const std::wstring section = std::wstring(id) + L"_Notice_set";
    const std::pair<const wchar_t*, std::wstring> keys[] = {{L"m_pos_x", std::to_wstring(x)},
                                                            {L"m_pos_y", std::to_wstring(y)},
                                                            {L"m_cx", L"260"},
                                                            {L"m_cy", L"200"},
                                                            {L"m_clrBkgnd", background},
                                                            {L"m_color", text},
                                                            {L"m_font_str", L"Tahoma"},
                                                            {L"m_font_h", L"-16"},
                                                            {L"m_note_str", content}};
    for (const auto& [key, value] : keys)
        IniWrite(ini, section.c_str(), key, value.c_str());
}

TEST(Screenshots, DISABLED_Pictures)
{
    const std::wstring folder = ShotsFolder();
    if (folder.empty())
        GTEST_SKIP() << "takes pictures only for tools/dev.sh screenshots (--shots=<folder>)";
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"lng", L"1");
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"1");
    WriteNote(ini, L"000", 80, 80, L"12648447", L"0", L"Shopping\t\vmilk, bread\t\vstamps");
    WriteNote(ini, L"001", 420, 80, L"3158064", L"15790320", L"Call Anna at 5");

    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    ::SetForegroundWindow(main);
    WaitUntil([&] { return ::IsWindowVisible(main) && ::GetForegroundWindow() == main; });
    ::SetWindowPos(main, HWND_TOP, 700, 300, 0, 0, SWP_NOSIZE);
    ::RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    WaitUntil([&] { return ::GetForegroundWindow() == main; }, 1000);
    EXPECT_TRUE(SaveScreen(Around(main, 0), folder + L"\\options.bmp"));
    ::ShowWindow(main, SW_HIDE);

    HWND notes[2] = {};
    for (HWND w : p.Windows()) {
        RECT rc = Around(w, 0);
        if (::GetDlgItem(w, IDC_NOTE_TEXT) && ::IsWindowVisible(w))
            notes[rc.left < 300 ? 0 : 1] = w;
    }
    ASSERT_TRUE(notes[0] && notes[1]);
    RECT both = Around(notes[0], 16);
    const RECT second = Around(notes[1], 16);
    ::UnionRect(&both, &both, &second);
    p.WaitIdle();
    EXPECT_TRUE(SaveScreen(both, folder + L"\\notes.bmp"));

    // The note menu, where the note window has one.
    ::PostMessageW(notes[0], WM_COMMAND, ID_NOTE_MENU, 0);
    if (WaitUntil([] { return OpenMenuWindow() != nullptr; }, 3000)) {
        RECT menu = Around(OpenMenuWindow(), 4);
        RECT note = Around(notes[0], 16);
        ::UnionRect(&menu, &menu, &note);
        EXPECT_TRUE(SaveScreen(menu, folder + L"\\note-menu.bmp"));
        ::PostMessageW(OpenMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
    } else {
        std::printf("no note menu opened: note-menu.png not written\n");
    }
}

}  // namespace
