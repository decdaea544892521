// The image loader over run-time GDI+, the banner picture and the composition check.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/Banner.h"
#include "controls/ImageLoader.h"
#include "controls/MyAero.h"

namespace {

HMODULE Self()
{
    return GetModuleHandleW(nullptr);
}

bool Near(COLORREF actual, COLORREF expected, int tolerance = 48)
{
    return std::abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           std::abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           std::abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

// Reads pixels of a bitmap through a memory DC.
class Pixels {
public:
    explicit Pixels(HBITMAP bitmap) : m_dc(CreateCompatibleDC(nullptr)), m_old(SelectObject(m_dc, bitmap)) {}
    ~Pixels()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP info = {};
    GetObjectW(bitmap, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}

const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255), kYellow = RGB(255, 255, 0);

}  // namespace

TEST(ImageLoader, DecodesTheBuiltInBanner)
{
    CImageLoader loader;
    ASSERT_TRUE(loader.LoadFromResource(kBannerName, kBannerType, Self()));
    ASSERT_TRUE(loader.HasImage());
    EXPECT_EQ(495u, loader.GetWidth());
    EXPECT_EQ(63u, loader.GetHeight());
}

TEST(ImageLoader, ASecondPictureFreesTheFirstAndItsMemory)
{
    CImageLoader loader;
    ASSERT_TRUE(loader.LoadFromResource(kBannerName, kBannerType, Self()));
    const HGLOBAL first = loader.ImageMemory();
    ASSERT_NE(nullptr, first);
    ASSERT_TRUE(loader.LoadFromResource(L"QUADRANTS", kBannerType, Self()));
    EXPECT_EQ(8u, loader.GetWidth());
    EXPECT_EQ(6u, loader.GetHeight());
    EXPECT_NE(first, loader.ImageMemory());
    EXPECT_EQ(0u, GlobalSize(first)) << "the first picture's memory is freed";
    EXPECT_EQ(SizeofResource(Self(), FindResourceW(Self(), L"QUADRANTS", kBannerType)), GlobalSize(loader.ImageMemory()));
    loader.Dispose();
    EXPECT_FALSE(loader.HasImage());
    EXPECT_EQ(nullptr, loader.ImageMemory());
    EXPECT_EQ(0u, loader.GetWidth());
}

TEST(ImageLoader, FailuresBeforeDecodingAreReported)
{
    CImageLoader loader;
    EXPECT_FALSE(loader.LoadFromResource(L"NO_SUCH_PICTURE", kBannerType, Self()));
    EXPECT_FALSE(loader.LoadFromResource(L"EMPTY", kBannerType, Self()));
    EXPECT_FALSE(loader.HasImage());
    // Bytes that hold no picture: reported as loaded, but there is nothing to size or draw.
    EXPECT_TRUE(loader.LoadFromResource(L"GARBAGE", kBannerType, Self()));
    EXPECT_FALSE(loader.HasImage());
    EXPECT_EQ(0u, loader.GetWidth());
    HDC dc = CreateCompatibleDC(nullptr);
    const RECT dest = {0, 0, 10, 10};
    EXPECT_FALSE(loader.Draw(dc, dest));
    DeleteDC(dc);
}

TEST(ImageLoader, WithoutTheLibraryNothingLoadsOrDraws)
{
    CImageLoader loader(L"no_such_gdiplus.dll");
    EXPECT_FALSE(loader.LoadFromResource(kBannerName, kBannerType, Self()));
    EXPECT_EQ(0u, loader.GetWidth());
    HDC dc = CreateCompatibleDC(nullptr);
    const RECT dest = {0, 0, 10, 10};
    EXPECT_FALSE(loader.Draw(dc, dest));
    DeleteDC(dc);
    EXPECT_EQ(nullptr, RenderPicture(kBannerName, kBannerType, nullptr, 0, 10));
}

TEST(ImageLoader, LoadersOneAfterAnotherEachDraw)
{
    for (int round = 0; round < 3; ++round) {
        HBITMAP bitmap = RenderPicture(L"QUADRANTS", kBannerType, Self(), 16, 12);
        ASSERT_NE(nullptr, bitmap) << "round " << round;
        {
            Pixels pixels(bitmap);
            EXPECT_TRUE(Near(pixels.At(1, 1), kRed)) << "round " << round;
        }
        DeleteObject(bitmap);
    }
}

TEST(BannerPicture, FillsABitmapOfAnySizeExactly)
{
    const SIZE sizes[] = {{80, 60}, {8, 6}, {495, 63}, {4, 3}, {200, 30}};
    for (const SIZE& size : sizes) {
        HBITMAP bitmap = RenderPicture(L"QUADRANTS", kBannerType, Self(), size.cx, size.cy);
        ASSERT_NE(nullptr, bitmap) << size.cx << "x" << size.cy;
        EXPECT_EQ(size.cx, BitmapSize(bitmap).cx);
        EXPECT_EQ(size.cy, BitmapSize(bitmap).cy);
        Pixels pixels(bitmap);
        const int r = size.cx - 1, b = size.cy - 1;
        EXPECT_TRUE(Near(pixels.At(0, 0), kRed)) << size.cx << "x" << size.cy << " top left " << std::hex
                                                 << pixels.At(0, 0);
        EXPECT_TRUE(Near(pixels.At(r, 0), kGreen)) << size.cx << "x" << size.cy << " top right " << std::hex
                                                   << pixels.At(r, 0);
        EXPECT_TRUE(Near(pixels.At(0, b), kBlue)) << size.cx << "x" << size.cy << " bottom left " << std::hex
                                                  << pixels.At(0, b);
        EXPECT_TRUE(Near(pixels.At(r, b), kYellow)) << size.cx << "x" << size.cy << " bottom right " << std::hex
                                                    << pixels.At(r, b);
        DeleteObject(bitmap);
    }
}

TEST(BannerPicture, GoesIntoThePictureControlInTheControlsSize)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 600, 200, HWND_MESSAGE, nullptr, Self(), nullptr);
    ASSERT_NE(nullptr, parent);
    HWND control = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | SS_BITMAP | SS_REALSIZECONTROL, 10, 5, 300, 40,
                                   parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBannerControlId)), Self(),
                                   nullptr);
    ASSERT_NE(nullptr, control);
    EXPECT_FALSE(BuildBanner(parent, 4711, Self())) << "no such control";

    ASSERT_TRUE(BuildBanner(parent, kBannerControlId, Self()));
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, bitmap);
    EXPECT_EQ(300, BitmapSize(bitmap).cx);
    EXPECT_EQ(40, BitmapSize(bitmap).cy);
    {
        Pixels pixels(bitmap);
        EXPECT_NE(RGB(0, 0, 0), pixels.At(299, 39)) << "the picture reaches the far corner";
    }
    // Building again replaces the picture.
    ASSERT_TRUE(BuildBanner(parent, kBannerControlId, Self()));
    EXPECT_NE(nullptr, reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    ReleaseBanner(parent);
    EXPECT_EQ(nullptr, reinterpret_cast<HBITMAP>(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    DestroyWindow(parent);
}

TEST(Composition, AskedOnlyOfALoadedDwmapi)
{
    const HMODULE before = GetModuleHandleW(L"dwmapi.dll");
    const CMyAero aero;
    const bool enabled = aero.IsCompositionEnabled();
    EXPECT_EQ(before, GetModuleHandleW(L"dwmapi.dll")) << "the check never loads the library";
    if (!before) {
        EXPECT_FALSE(enabled);
        return;
    }
    using Fn = HRESULT(WINAPI*)(BOOL*);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(before, "DwmIsCompositionEnabled")));
    BOOL answer = FALSE;
    EXPECT_EQ(fn && SUCCEEDED(fn(&answer)) && answer, enabled);
}
