// Colour arithmetic and the stored-number conversions of a note.
#include "notes/NoteColors.h"
#include "notes/NoteMetrics.h"

#include <gtest/gtest.h>

#include <climits>
#include <utility>
#include <vector>

namespace {

// Draws that replay a script, then 0; every draw is counted.
struct ScriptedDraw {
    std::vector<int> values;
    std::size_t taken = 0;
    int operator()() { return taken < values.size() ? values[taken++] : (++taken, 0); }
};

}  // namespace

TEST(NoteColour, TheDarkTestTruncatesTheBrightness)
{
    const std::pair<ColorRef, bool> cases[] = {{MakeColor(80, 80, 160), true},      // 98.5
                                               {MakeColor(107, 107, 107), true},    // 99.4 truncated
                                               {MakeColor(108, 108, 108), false}};  // 100.3
    for (auto [background, dark] : cases)
        EXPECT_EQ(dark, DeriveNoteShades(background).dark) << std::hex << background;
}

TEST(NoteColour, ContrastNeedsDistance500AndBrightnessDifference128)
{
    const std::pair<ColorRef, bool> againstWhite[] = {
        {MakeColor(0, 0, 0), true},     {MakeColor(0, 10, 255), true},
        {MakeColor(0, 11, 255), false},                                 // distance 500, 499
        {MakeColor(0, 217, 0), true},   {MakeColor(0, 219, 0), false},  // brightness difference 128, 127
    };
    for (auto [text, contrasting] : againstWhite)
        EXPECT_EQ(contrasting, IsContrastingPair(MakeColor(255, 255, 255), text)) << std::hex << text;
    EXPECT_FALSE(IsContrastingPair(MakeColor(255, 0, 0), MakeColor(0, 255, 255))) << "far apart, alike in brightness";
}

TEST(NoteColour, ContrastPairAfterTheFifthFailedTestIsTakenAsItIs)
{
    // Every draw 0 fails all five tests; the pair drawn after the fifth (green, blue, red each) is never tested.
    ScriptedDraw draw{std::vector<int>(30, 0)};
    for (int v : {1, 2, 3, 4, 5, 6})
        draw.values.push_back(v);
    NoteColorPair pair = RandomContrastingPair(std::ref(draw));
    EXPECT_EQ(MakeColor(3, 1, 2), pair.background);
    EXPECT_EQ(MakeColor(6, 4, 5), pair.text);
    EXPECT_EQ(36u, draw.taken);

    // A passing test stops the drawing: grey 128 on black fails, then 254 grey on black passes.
    draw = ScriptedDraw{{0, 0, 0, 0, 0, 0, 254, 254, 254, 0, 0, 0}};
    pair = RandomContrastingPair(std::ref(draw));
    EXPECT_EQ(MakeColor(254, 254, 254), pair.background);
    EXPECT_EQ(12u, draw.taken);
}

TEST(NoteMetrics, AlphaForTransparencyClampedOutsideThePercentRange)
{
    const std::pair<int, int> cases[] = {{0, 255}, {10, 229}, {20, 204}, {30, 178},      {40, 153}, {50, 127},
                                         {90, 25}, {100, 0},  {-1, 255}, {INT_MIN, 255}, {101, 0},  {INT_MAX, 0}};
    for (auto [percent, alpha] : cases)
        EXPECT_EQ(alpha, TransparencyToAlpha(percent)) << percent << " %";
}

TEST(NoteMetrics, FontHeightToTwipsWithoutOverflow)
{
    const std::pair<int, int> cases[] = {
        {-21, 252}, {-2730, kMaxTwips}, {INT_MIN, kMaxTwips}, {INT_MAX, -kMaxTwips}, {-178956971, kMaxTwips}};
    for (auto [height, twips] : cases)
        EXPECT_EQ(twips, FontHeightToTwips(height)) << height;
}

TEST(NoteMetrics, KeepHalfOnScreenHoldsForAnyStoredValue)
{
    struct Case {
        int x, y, w, h, expectedX, expectedY;
    };
    const Case cases[] = {
        {-200, -126, 250, 250, -125, -125},
        {900, 700, 250, 250, 899, 643},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX, 1024 + 1073741823 - INT_MAX, 768 + 1073741823 - INT_MAX},
        {INT_MIN, INT_MIN, 30000, 30000, -15000, -15000},
    };
    for (const Case& c : cases) {
        const NotePosition p = KeepHalfOnScreen(c.x, c.y, c.w, c.h, {0, 0, 1024, 768});
        EXPECT_EQ(c.expectedX, p.x) << c.x << ", " << c.w;
        EXPECT_EQ(c.expectedY, p.y) << c.y << ", " << c.h;
    }
}
