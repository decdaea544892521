// Platform-free choices of the options window and the colour picker.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainDlgLogic.h"
#include "controls/ColorPickerLogic.h"

using namespace picker;

TEST(ColorPickerLogic, KeyboardRingSkipsEmptyEntries)
{
    // Down three times from a fresh popup, with and without "Automatic".
    const struct {
        bool hasAutomatic, hasCustom;
        std::vector<int> visits;
        int delta;
    } cases[] = {
        {true, true, {kEntryAutomatic, 0, 8}, 8}, {false, true, {0, 8, 16}, 8},
        {true, true, {kEntryCustom, 39, 38}, -1}, {true, false, {kEntryAutomatic, 0, 1}, 1},
        {false, false, {39, 38, 37}, -1},
    };
    for (const auto& c : cases) {
        int hover = kEntryNone;
        for (size_t i = 0; i < c.visits.size(); ++i) {
            hover = Step(hover, c.delta, c.hasAutomatic, c.hasCustom);
            EXPECT_EQ(hover, c.visits[i]) << "step " << i << " delta " << c.delta << " auto " << c.hasAutomatic;
        }
    }
    // The ring closes at both ends.
    EXPECT_EQ(Step(39, 1, true, true), kEntryCustom);
    EXPECT_EQ(Step(kEntryCustom, 1, true, true), kEntryAutomatic);
    EXPECT_EQ(Step(kEntryCustom, 1, false, true), 0);
    EXPECT_EQ(Step(35, 8, true, false), kEntryAutomatic);
    EXPECT_EQ(Step(3, -8, false, true), kEntryCustom);
}

TEST(ColorPickerLogic, PopupStaysInsideTheWorkArea)
{
    const Rect work{0, 0, 1000, 700};
    const Size size{172, 132};
    const struct {
        Rect button;
        int left, top;
    } cases[] = {
        {{100, 100, 120, 120}, 100, 120},  // below the button
        {{950, 100, 970, 120}, 828, 120},  // past the right edge
        {{-40, 100, -20, 120}, 0, 120},    // left of the left edge
        {{100, 650, 120, 670}, 100, 518},  // no room below: above the button
    };
    for (const auto& c : cases) {
        Rect r = PlacePopup(c.button, size, work);
        EXPECT_EQ(r.left, c.left) << c.button.left << "," << c.button.top;
        EXPECT_EQ(r.top, c.top) << c.button.left << "," << c.button.top;
        EXPECT_EQ(r.Width(), size.cx);
    }
}

TEST(MainDlgLogic, FontChoiceFollowsSegoePrintComicAndTheStoredFace)
{
    const std::vector<std::wstring> faces = {L"Arial", L"Comic Neue", L"Comic Neue Light", L"Segoe Print", L"Tahoma"};
    const std::vector<std::wstring> noSegoe = {L"Arial", L"Comic Neue", L"Comic Neue Light", L"Tahoma"};
    const std::vector<std::wstring> plain = {L"Arial", L"Tahoma"};
    const struct {
        const std::vector<std::wstring>* faces;
        const wchar_t* stored;
        int expected;
    } cases[] = {
        {&faces, L"", 3},          {&faces, L"tahoma", 4},       {&noSegoe, L"", 2},
        {&noSegoe, L"Missing", 2}, {&plain, L"Segoe Print", -1}, {&plain, L"ARIAL", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(maindlg::ChooseFontIndex(*c.faces, c.stored), c.expected) << c.faces->size() << " " << c.stored;
}

TEST(MainDlgLogic, SizeListFallsBackToTheMiddle)
{
    const std::vector<std::wstring> sizes = {L"100", L"150", L"200", L"250", L"300", L"350", L"400"};
    EXPECT_EQ(maindlg::ChooseSizeIndex(sizes, L"250"), 3);
    EXPECT_EQ(maindlg::ChooseSizeIndex(sizes, L"500"), 2);
    EXPECT_EQ(maindlg::ChooseSizeIndex(sizes, L""), 2);
}
