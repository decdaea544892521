// The image loader over run-time GDI+ and the banner picture.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/Banner.h"
#include "controls/ImageLoader.h"

TEST(ImageLoader, DecodesTheBannerAndFreesThePictureItReplaces)
{
    CImageLoader loader;
    ASSERT_TRUE(loader.LoadFromResource(kBannerName, kBannerType, GetModuleHandleW(nullptr)));
    EXPECT_EQ(495u, loader.GetWidth());
    EXPECT_EQ(63u, loader.GetHeight());
    const HGLOBAL first = loader.ImageMemory();
    ASSERT_TRUE(loader.LoadFromResource(L"QUADRANTS", kBannerType, GetModuleHandleW(nullptr)));
    EXPECT_EQ(8u, loader.GetWidth());
    EXPECT_EQ(0u, GlobalSize(first)) << "the first picture's memory is freed";
}

TEST(ImageLoader, FailuresLeaveNothingToDraw)
{
    const struct {
        const char* what;
        const wchar_t* library;
        const wchar_t* name;
        bool reported;  // the bytes were found, though they hold no picture
    } cases[] = {
        {"missing resource", L"gdiplus.dll", L"NO_SUCH_PICTURE", false},
        {"empty resource", L"gdiplus.dll", L"EMPTY", false},
        {"no picture in the bytes", L"gdiplus.dll", L"GARBAGE", true},
        {"no GDI+", L"no_such_gdiplus.dll", kBannerName, false},
    };
    HDC dc = CreateCompatibleDC(nullptr);
    const RECT dest = {0, 0, 10, 10};
    for (const auto& c : cases) {
        CImageLoader loader(c.library);
        EXPECT_EQ(c.reported, loader.LoadFromResource(c.name, kBannerType, GetModuleHandleW(nullptr))) << c.what;
        EXPECT_FALSE(loader.HasImage()) << c.what;
        EXPECT_EQ(0u, loader.GetWidth()) << c.what;
        EXPECT_FALSE(loader.Draw(dc, dest)) << c.what;
    }
    DeleteDC(dc);
    EXPECT_EQ(nullptr, RenderPicture(L"GARBAGE", kBannerType, GetModuleHandleW(nullptr), 10, 10));
    EXPECT_EQ(nullptr, RenderPicture(kBannerName, kBannerType, GetModuleHandleW(nullptr), 0, 10));
}

TEST(BannerPicture, FillsABitmapOfAnySizeExactly)
{
    // The test picture's quadrants are red, green, blue and yellow; every corner must show its own.
    const COLORREF want[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0)};
    for (const SIZE size : {SIZE{8, 6}, SIZE{495, 63}, SIZE{4, 3}, SIZE{200, 30}}) {
        HBITMAP bitmap = RenderPicture(L"QUADRANTS", kBannerType, GetModuleHandleW(nullptr), size.cx, size.cy);
        ASSERT_NE(nullptr, bitmap) << size.cx << "x" << size.cy;
        BITMAP info = {};
        GetObjectW(bitmap, sizeof info, &info);
        EXPECT_TRUE(info.bmWidth == size.cx && info.bmHeight == size.cy) << info.bmWidth << "x" << info.bmHeight;
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, bitmap);
        for (int i = 0; i < 4; i++) {
            const COLORREF got = GetPixel(dc, i % 2 ? size.cx - 1 : 0, i / 2 ? size.cy - 1 : 0);
            EXPECT_TRUE(std::abs(GetRValue(got) - GetRValue(want[i])) < 48 &&
                        std::abs(GetGValue(got) - GetGValue(want[i])) < 48 &&
                        std::abs(GetBValue(got) - GetBValue(want[i])) < 48)
                << size.cx << "x" << size.cy << " corner " << i << ": " << std::hex << got;
        }
        SelectObject(dc, old);
        DeleteDC(dc);
        DeleteObject(bitmap);
    }
}
