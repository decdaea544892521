// The main window shows the built-in banner picture, scaled to its picture control.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "controls/Banner.h"

using namespace e2e;

namespace {

struct Capture {
    int w = 0, h = 0;
    std::vector<DWORD> pixels;  // top-down, 0x00RRGGBB
    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }
};

// Copies a bitmap's pixels top-down through GetDIBits.
bool ReadBitmap(HBITMAP bitmap, int w, int h, Capture& out)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    out.w = w;
    out.h = h;
    out.pixels.assign(static_cast<size_t>(w) * h, 0);
    HDC dc = GetDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, h, out.pixels.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (DWORD& p : out.pixels)
        p &= 0x00FFFFFF;
    return lines == h;
}

// What the screen shows in rect.
bool CaptureScreen(const RECT& rect, Capture& out)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    const bool ok = ReadBitmap(bitmap, w, h, out);
    DeleteObject(bitmap);
    return ok;
}

// Mean absolute difference per channel, 0..255.
double MeanDifference(const Capture& a, const Capture& b)
{
    double sum = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        for (int shift : {0, 8, 16})
            sum += std::abs(static_cast<int>((a.pixels[i] >> shift) & 0xFF) -
                            static_cast<int>((b.pixels[i] >> shift) & 0xFF));
    return sum / (a.pixels.size() * 3.0);
}

// Keeps the capture as a BMP beside the test's files, for a look by eye.
void SaveBmp(const Capture& c, const std::wstring& path)
{
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = c.w;
    info.biHeight = -c.h;
    info.biPlanes = 1;
    info.biBitCount = 32;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(c.pixels.size() * 4);
    FILE* f = _wfopen(path.c_str(), L"wb");
    if (!f)
        return;
    fwrite(&file, sizeof file, 1, f);
    fwrite(&info, sizeof info, 1, f);
    fwrite(c.pixels.data(), 4, c.pixels.size(), f);
    fclose(f);
}

}  // namespace

TEST(Banner, MainWindowShowsTheBannerPictureInItsPictureControl)
{
    QuillProcess p;
    ASSERT_TRUE(p.Start(L"-ini:" + NewIniPath()));
    HWND main = p.WaitForMainWindow();
    ASSERT_TRUE(main);
    p.WaitIdle();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }));
    HWND banner = GetDlgItem(main, kBannerControlId);
    ASSERT_TRUE(banner);
    SetForegroundWindow(main);
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    RedrawWindow(main, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);

    RECT rect;
    ASSERT_TRUE(GetWindowRect(banner, &rect));
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    ASSERT_GT(w, 50);
    ASSERT_GT(h, 10);

    // The picture as the program should have drawn it: the same resource, scaled to the control.
    HBITMAP expectedBitmap = RenderPicture(kBannerName, kBannerType, GetModuleHandleW(nullptr), w, h);
    ASSERT_TRUE(expectedBitmap) << "the test's own copy of the banner decodes";
    Capture expected;
    ASSERT_TRUE(ReadBitmap(expectedBitmap, w, h, expected));
    DeleteObject(expectedBitmap);

    Capture shown;
    double difference = 255;
    WaitUntil(
        [&] {
            if (!CaptureScreen(rect, shown))
                return false;
            difference = MeanDifference(shown, expected);
            return difference < 6.0;
        },
        5000, 100);
    const std::wstring shot = NewFolder() + L"\\banner.bmp";
    SaveBmp(shown, shot);
    EXPECT_LT(difference, 6.0) << "control " << w << "x" << h << "; screen capture kept as "
                               << std::string(shot.begin(), shot.end());
    // The far corner is the picture's, not an undrawn or darkened edge.
    const DWORD corner = shown.At(w - 1, h - 1), want = expected.At(w - 1, h - 1);
    EXPECT_LT(std::abs(static_cast<int>(corner & 0xFF) - static_cast<int>(want & 0xFF)), 24)
        << std::hex << corner << " vs " << want;

    PostMessageW(main, WM_COMMAND, 32916, 0);
    DWORD code = 0;
    EXPECT_TRUE(p.WaitForExit(15000, &code));
}
