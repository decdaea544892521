// Colour arithmetic and the stored-number conversions of a note.
#include "notes/NoteColors.h"
#include "notes/NoteMetrics.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace {

// Draws that replay a script, counting how many were taken.
struct ScriptedDraw {
    std::vector<int> values;
    std::size_t taken = 0;
    int operator()()
    {
        return taken < values.size() ? values[taken++] : (++taken, 0);
    }
};

// Draws 0, 1, 2, ...
struct CountingDraw {
    int next = 0;
    int operator()() { return next++; }
};

::testing::AssertionResult SameColor(ColorRef expected, ColorRef actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "expected (" << ColorRed(expected) << ", " << ColorGreen(expected) << ", "
                                         << ColorBlue(expected) << "), got (" << ColorRed(actual) << ", "
                                         << ColorGreen(actual) << ", " << ColorBlue(actual) << ")";
}

}  // namespace

TEST(NoteColour, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(4, MulDivRound(7, 1, 2));
    EXPECT_EQ(-4, MulDivRound(-7, 1, 2));
    EXPECT_EQ(3, MulDivRound(10, 1, 3));
    EXPECT_EQ(-1, MulDivRound(5, 1, 0));
}

TEST(NoteColour, DarkenAndLightenOnTheExtremes)
{
    const NoteShades white = DeriveNoteShades(MakeColor(255, 255, 255));
    EXPECT_FALSE(white.dark);
    EXPECT_TRUE(SameColor(MakeColor(245, 245, 245), white.frame));
    EXPECT_TRUE(SameColor(MakeColor(163, 163, 163), white.caption));

    const NoteShades black = DeriveNoteShades(MakeColor(0, 0, 0));
    EXPECT_TRUE(black.dark);
    EXPECT_TRUE(SameColor(MakeColor(10, 10, 10), black.frame));
    EXPECT_TRUE(SameColor(MakeColor(92, 92, 92), black.caption));

    // Components stay apart: red 200 darkened by 92 is 200 * 163 / 255 = 127.8 -> 128.
    EXPECT_TRUE(SameColor(MakeColor(128, 0, 163), DarkenColor(92, MakeColor(200, 0, 255))));
    // Blue 10 lightened by 92 is 10 + 245 * 92 / 255 = 98.4 -> 98.
    EXPECT_TRUE(SameColor(MakeColor(255, 92, 98), LightenColor(92, MakeColor(255, 0, 10))));
}

TEST(NoteColour, DarkTestUsesTheWeightedSumTruncated)
{
    EXPECT_TRUE(IsDarkColor(MakeColor(80, 80, 160)));  // 98.512
    EXPECT_TRUE(DeriveNoteShades(MakeColor(80, 80, 160)).dark);
    EXPECT_TRUE(IsDarkColor(MakeColor(107, 107, 107)));   // 99.4...
    EXPECT_FALSE(IsDarkColor(MakeColor(108, 108, 108)));  // 100.35...
    EXPECT_TRUE(IsDarkColor(MakeColor(0, 255, 0)));       // 80.3
    EXPECT_FALSE(IsDarkColor(MakeColor(0, 255, 100)));    // 110.5
    EXPECT_TRUE(IsDarkColor(MakeColor(0, 0, 255)));       // 77.06
}

TEST(NoteColour, ContrastNeedsDistanceAndBrightness)
{
    const ColorRef white = MakeColor(255, 255, 255);
    EXPECT_EQ(255, ColorBrightness(white));
    EXPECT_EQ(127, ColorBrightness(MakeColor(0, 217, 0)));
    EXPECT_EQ(128, ColorBrightness(MakeColor(0, 219, 0)));

    EXPECT_TRUE(IsContrastingPair(white, MakeColor(0, 0, 0)));
    // Distance exactly 500 passes, 499 fails.
    EXPECT_TRUE(IsContrastingPair(white, MakeColor(0, 10, 255)));
    EXPECT_FALSE(IsContrastingPair(white, MakeColor(0, 11, 255)));
    // Brightness difference exactly 128 passes, 127 fails.
    EXPECT_TRUE(IsContrastingPair(white, MakeColor(0, 217, 0)));
    EXPECT_FALSE(IsContrastingPair(white, MakeColor(0, 219, 0)));
    // Far apart in colour, close in brightness: red against cyan.
    EXPECT_FALSE(IsContrastingPair(MakeColor(255, 0, 0), MakeColor(0, 255, 255)));
    // The test is symmetric in its arguments.
    EXPECT_TRUE(IsContrastingPair(MakeColor(0, 0, 0), white));
}

TEST(NoteColour, ThreeDrawsGiveGreenBlueRed)
{
    ScriptedDraw light{{0, 1, 127}};
    EXPECT_TRUE(SameColor(MakeColor(255, 128, 129), RandomLightColor(std::ref(light))));
    ScriptedDraw dark{{95, 96, 200}};
    EXPECT_TRUE(SameColor(MakeColor(200 % 96, 95, 0), RandomDarkColor(std::ref(dark))));
    EXPECT_EQ(3u, dark.taken);
}

TEST(NoteColour, ContrastPairStopsDrawingOnceATestPasses)
{
    // First pair: grey 128 against black fails; the replacement 254-grey against black passes.
    ScriptedDraw draw{{0, 0, 0, 0, 0, 0, 254, 254, 254, 0, 0, 0}};
    const NoteColorPair pair = RandomContrastingPair(std::ref(draw));
    EXPECT_TRUE(SameColor(MakeColor(254, 254, 254), pair.background));
    EXPECT_TRUE(SameColor(MakeColor(0, 0, 0), pair.text));
    EXPECT_EQ(12u, draw.taken);
}

TEST(NoteColour, ContrastPairTakesTheSixthPairWhenAllFiveTestsFail)
{
    std::vector<int> values(30, 0);  // first pair and four failing replacements
    for (int v : {1, 2, 3, 4, 5, 6})
        values.push_back(v);         // drawn after the fifth failure, never tested
    ScriptedDraw draw{values};
    const NoteColorPair pair = RandomContrastingPair(std::ref(draw));
    EXPECT_TRUE(SameColor(MakeColor(3, 1, 2), pair.background));
    EXPECT_TRUE(SameColor(MakeColor(6, 4, 5), pair.text));
    EXPECT_EQ(36u, draw.taken);
}

TEST(NoteColour, NewNoteDrawsInTheFixedOrder)
{
    // Draws 0..5: light and dark; 6..41: a pair that fails all five tests; then 42.. for the kinds.
    CountingDraw draw;
    NoteColorPair colors = ChooseNewNoteColors({0, 0, 1, 0}, std::ref(draw));
    EXPECT_TRUE(SameColor(MakeColor(44, 42, 43), colors.background));
    EXPECT_TRUE(SameColor(MakeColor(175, 173, 174), colors.text));
    EXPECT_EQ(48, draw.next);

    draw = CountingDraw();
    colors = ChooseNewNoteColors({2, 0, 3, MakeColor(1, 2, 3)}, std::ref(draw));
    EXPECT_TRUE(SameColor(MakeColor(38, 36, 37), colors.background)) << "the sixth pair's background";
    EXPECT_TRUE(SameColor(MakeColor(1, 2, 3), colors.text));
    EXPECT_EQ(42, draw.next);

    draw = CountingDraw();
    colors = ChooseNewNoteColors({3, 0x002CFFFF, 2, 0}, std::ref(draw));
    EXPECT_EQ(0x002CFFFFu, colors.background);
    EXPECT_TRUE(SameColor(MakeColor(41, 39, 40), colors.text));

    // Kinds outside 0..3 keep the plain light background and dark text.
    draw = CountingDraw();
    colors = ChooseNewNoteColors({7, 0, -1, 0}, std::ref(draw));
    EXPECT_TRUE(SameColor(MakeColor(130, 128, 129), colors.background));
    EXPECT_TRUE(SameColor(MakeColor(5, 3, 4), colors.text));
    EXPECT_EQ(42, draw.next);
}

TEST(NoteColour, RangesPerKind)
{
    std::mt19937 engine(7);
    auto draw = [&] { return static_cast<int>(engine() % 32768); };
    for (int i = 0; i < 2000; ++i) {
        const NoteColorPair darkOnLight = ChooseNewNoteColors({0, 0, 1, 0}, draw);
        const NoteColorPair pair = ChooseNewNoteColors({2, 0, 2, 0}, draw);
        for (int shift : {0, 8, 16}) {
            const int darkComponent = (darkOnLight.background >> shift) & 0xFF;
            const int lightComponent = (darkOnLight.text >> shift) & 0xFF;
            ASSERT_LT(darkComponent, 96);
            ASSERT_GE(lightComponent, 128);
            ASSERT_LT((pair.text >> shift) & 0xFF, 255u);
        }
        ASSERT_EQ(0u, darkOnLight.background >> 24);
    }
}

TEST(NoteMetrics, AlphaForTheMenuSteps)
{
    const int expected[6] = {255, 229, 204, 178, 153, 127};
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(expected[k], TransparencyToAlpha(10 * k)) << 10 * k << " %";
    EXPECT_EQ(178, TransparencyToAlpha(30)) << "30 % gives 178, not 179";
    EXPECT_EQ(25, TransparencyToAlpha(90));
    EXPECT_EQ(0, TransparencyToAlpha(100));
}

TEST(NoteMetrics, AlphaOutsideThePercentRange)
{
    EXPECT_EQ(255, TransparencyToAlpha(-1));
    EXPECT_EQ(255, TransparencyToAlpha(INT_MIN));
    EXPECT_EQ(0, TransparencyToAlpha(101));
    EXPECT_EQ(0, TransparencyToAlpha(INT_MAX));
}

TEST(NoteMetrics, FontHeightToTwips)
{
    EXPECT_EQ(252, FontHeightToTwips(-21));
    EXPECT_EQ(-252, FontHeightToTwips(21));
    EXPECT_EQ(0, FontHeightToTwips(0));
    EXPECT_EQ(kMaxTwips, FontHeightToTwips(-2730));
    // Stored heights far out of range neither overflow nor change sign.
    EXPECT_EQ(kMaxTwips, FontHeightToTwips(INT_MIN));
    EXPECT_EQ(-kMaxTwips, FontHeightToTwips(INT_MAX));
    EXPECT_EQ(kMaxTwips, FontHeightToTwips(-178956971));
}

TEST(NoteMetrics, NewNoteSizeIsClamped)
{
    EXPECT_EQ(250, NoteSizeFromText(L"250"));
    EXPECT_EQ(400, NoteSizeFromText(L"500"));
    EXPECT_EQ(100, NoteSizeFromText(L"50"));
    EXPECT_EQ(100, NoteSizeFromText(L"abc"));
    EXPECT_EQ(300, NoteSizeFromText(L" 300px"));
    EXPECT_EQ(400, NoteSizeFromText(L"99999999999999"));
    EXPECT_EQ(100, NoteSizeFromText(L"-99999999999999"));
    EXPECT_EQ(100, NoteSizeFromText(L""));
}

TEST(NoteMetrics, KeepHalfOnScreen)
{
    const ScreenRect screen{0, 0, 1024, 768};
    NotePosition p = KeepHalfOnScreen(100, 120, 250, 250, screen);
    EXPECT_EQ(100, p.x);
    EXPECT_EQ(120, p.y);
    p = KeepHalfOnScreen(-200, -126, 250, 250, screen);
    EXPECT_EQ(-125, p.x);
    EXPECT_EQ(-125, p.y);
    p = KeepHalfOnScreen(900, 700, 250, 250, screen);
    EXPECT_EQ(899, p.x);
    EXPECT_EQ(643, p.y);
    // A second monitor left of the first.
    p = KeepHalfOnScreen(-1500, 10, 250, 250, {-1280, 0, 1024, 768});
    EXPECT_EQ(-1405, p.x);
}

TEST(NoteMetrics, KeepHalfOnScreenWithStoredExtremes)
{
    const ScreenRect screen{0, 0, 1024, 768};
    // x + w would overflow 32 bits.
    NotePosition p = KeepHalfOnScreen(INT_MAX, INT_MAX, INT_MAX, INT_MAX, screen);
    EXPECT_EQ(1024 + 1073741823 - INT_MAX, p.x);
    EXPECT_EQ(768 + 1073741823 - INT_MAX, p.y);
    p = KeepHalfOnScreen(100, 100, INT_MIN, -5, screen);
    EXPECT_GE(p.x, 0);
    p = KeepHalfOnScreen(INT_MIN, INT_MIN, 30000, 30000, screen);
    EXPECT_EQ(-15000, p.x);
    EXPECT_EQ(-15000, p.y);
    p = KeepHalfOnScreen(0, 0, 0, 0, screen);
    EXPECT_EQ(0, p.x);
}

TEST(NoteMetrics, FaceNamesAreCutToTheField)
{
    wchar_t field[32];
    CopyCut(field, std::wstring(300, L'F'));
    EXPECT_EQ(std::wstring(31, L'F'), field);
    CopyCut(field, std::wstring(1000, L'G'));
    EXPECT_EQ(std::wstring(31, L'G'), field);
    CopyCut(field, L"Segoe Print");
    EXPECT_STREQ(L"Segoe Print", field);
    CopyCut(field, std::wstring(31, L'H'));
    EXPECT_EQ(std::wstring(31, L'H'), field);

    // A surrogate pair that would be split is left out whole.
    std::wstring face(30, L'a');
    face += static_cast<wchar_t>(0xD83D);
    face += static_cast<wchar_t>(0xDE00);
    CopyCut(field, face);
    EXPECT_EQ(std::wstring(30, L'a'), field);

    wchar_t tiny[1] = {L'x'};
    CopyCut(tiny, L"abc");
    EXPECT_EQ(L'\0', tiny[0]);
}

TEST(NoteMetrics, ParseLeadingInt)
{
    EXPECT_EQ(42, ParseLeadingInt(L" 42x"));
    EXPECT_EQ(-21, ParseLeadingInt(L"-21"));
    EXPECT_EQ(0, ParseLeadingInt(L"abc"));
    EXPECT_EQ(INT_MAX, ParseLeadingInt(L"2147483648"));
    EXPECT_EQ(INT_MIN, ParseLeadingInt(L"-2147483649"));
    EXPECT_EQ(INT_MIN, ParseLeadingInt(L"-2147483648"));
}
