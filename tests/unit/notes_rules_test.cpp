// Rules of notes without windows: zones of a note, the notes-list label and
// where a new note appears.
#include "notes/NoteDlgRules.h"
#include "notes/NoteTableRules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(NoteZones, FourPixelFrameOnA200PixelNote)
{
    struct Case {
        int x, y, zone;
    };
    const Case cases[] = {
        {60, 10, kZoneMove},
        {2, 100, kZoneLeft},
        {2, 197, kZoneBottomLeft},
        {4, 196, kZoneBottomLeft},
        {100, 2, kZoneTop},
        {100, 197, kZoneBottom},
        {198, 2, kZoneTopRight},
        {198, 197, kZoneBottomRight},
        // The right column counts y = h - f as right, the left column as bottom-left.
        {196, 196, kZoneRight},
        {177, 10, kZoneMove},
        {178, 10, kZoneSurface},
        {42, 39, kZoneMove},
        {41, 39, kZoneSurface},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.zone, NoteZoneAt(c.x, c.y, 200, 200, 4)) << "(" << c.x << ", " << c.y << ")";
}

TEST(NotesList, LabelRules)
{
    struct Case {
        std::wstring text;
        std::wstring label;
    };
    const Case cases[] = {
        {L"", L"New Note 004"},
        {L"\r\n  Shopping", L"Shopping"},
        {L" \r\n \t ", L"New Note 004"},
        {L"milk\r\nbread\rbutter\nend", L"milk breadbutter end"},
        {std::wstring(70, L'x'), std::wstring(63, L'x')},
        // Only the first 63 characters count, blanks at their end included.
        {std::wstring(60, L'y') + L"   tail", std::wstring(60, L'y')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.label, NotesListLabel(c.text, L"New Note", 3)) << "text of " << c.text.size() << " characters";
    EXPECT_EQ(L"New Note 040", NewNoteText(L"New Note", 39));
}

TEST(NewNotePlacement, RightAndUpperThirdsOnARealMonitor)
{
    const MonitorArea single = {{0, 0, 1280, 1024}, {0, 0, 1280, 984}};
    // Two monitors, the right one smaller and lower: the top of the bounding box is a gap there.
    const MonitorArea left = {{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
    const MonitorArea right = {{1920, 360, 3200, 1080}, {1920, 360, 3200, 1040}};
    struct Case {
        const char* name;
        ScreenRect screen;
        std::vector<MonitorArea> monitors;
        int r1, r2, x, y;
    };
    const Case cases[] = {
        {"first draws", {0, 0, 1280, 1024}, {single}, 0, 0, 844, 0},
        {"pushed back from the right edge", {0, 0, 1280, 1024}, {single}, 32767, 32767, 1030, 32767 % 337},
        {"on the lower monitor", {0, 0, 3200, 1080}, {left, right}, 0, 300, 2112, 300},
        {"in the gap: the nearest monitor's work area", {0, 0, 3200, 1080}, {left, right}, 0, 0, 2764, 360},
        {"narrower than 4 pixels", {0, 0, 3, 3}, {}, 32767, 32767, -247, 0},
    };
    for (const Case& c : cases) {
        const NotePosition p = PlaceNewNote(c.screen, c.monitors, 250, 250, c.r1, c.r2);
        EXPECT_EQ(c.x, p.x) << c.name;
        EXPECT_EQ(c.y, p.y) << c.name;
    }
}
