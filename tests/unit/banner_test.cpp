// The image loader over run-time GDI+. (The banner picture scaled to its control is compared end to end.)
#include <gtest/gtest.h>

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
