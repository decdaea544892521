// Stored notes come back as windows at start-up, look as stored, and are saved back in the file's form; hand-edited
// values out of range do no harm.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace e2e;

namespace {

std::vector<HWND> Shadows(const QuillProcess& p)
{
    return Filter(p.Windows(), [](HWND w) { return ClassName(w) == L"UmbraShadowWnd"; });
}

COLORREF ScreenPixel(int x, int y)
{
    HDC screen = ::GetDC(nullptr);
    const COLORREF c = ::GetPixel(screen, x, y);
    ::ReleaseDC(nullptr, screen);
    return c;
}

}  // namespace

TEST(Notes, HandEditedSectionsStartWithShadowsAndSaveInTheFilesForm)
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"1");
    IniWrite(ini, L"Program", L"m_default_font", std::wstring(1000, L'D').c_str());
    // Values far out of range, one section each (010 to 017), all placed at the 32-bit limits.
    const std::pair<const wchar_t*, const wchar_t*> extremes[][2] = {
        {{L"m_cx", L"0"}, {L"m_cy", L"0"}},
        {{L"m_cx", L"-5"}, {L"m_cy", L"-5"}},
        {{L"m_cx", L"30000"}, {L"m_cy", L"30000"}},
        {{L"m_cx", L"2147483647"}, {L"m_cy", L"2147483647"}},
        {{L"m_cx", L"200"}, {L"m_transparency", L"-1"}},
        {{L"m_cx", L"200"}, {L"m_transparency", L"101"}},
        {{L"m_cx", L"200"}, {L"m_transparency", L"2147483647"}},
        {{L"m_cx", L"200"}, {L"m_font_h", L"-2147483648"}},
    };
    for (int i = 0; i < 8; ++i)
        StoreNote(ini, 10 + i,
                  {{extremes[i][0].first, extremes[i][0].second},
                   {extremes[i][1].first, extremes[i][1].second},
                   {L"m_pos_x", L"2147483647"},
                   {L"m_pos_y", L"-2147483648"}});
    // A narrow note under the right strip of 031's shadow, so that the strip is seen against it.
    StoreNote(ini, 30, 345, 150, 20, 150);
    StoreNote(ini, 30, {{L"m_transparency", L"90"}});
    // Both sections, no m_note_str. Keys already in the file keep their place when saved, so these are
    // the first six of the save's order.
    StoreNote(ini, 31,
              {{L"m_pos_y", L"120"},
               {L"m_pos_x", L"100"},
               {L"m_cy", L"200"},
               {L"m_cx", L"250"},
               {L"m_clrBkgnd", L"16312779"},
               {L"m_by_hidden", L"0"}});
    IniWrite(ini, L"031_Notice", L"Shopping", L"milk");
    IniWrite(ini, L"031_Notice", L"Later", L"bread");
    // Neither a legacy section alone nor a width of -1000 makes a note.
    IniWrite(ini, L"005_Notice", L"legacy", L"only");
    StoreNote(ini, 9, {{L"m_cx", L"-1000"}, {L"m_pos_x", L"10"}});
    for (auto [n, x, face] : {std::tuple{32, 400, std::wstring(300, L'S')}, {33, 700, std::wstring(1000, L'T')}})
        StoreNote(ini, n,
                  {{L"m_pos_x", std::to_wstring(x)}, {L"m_pos_y", L"400"}, {L"m_cx", L"200"}, {L"m_font_str", face}});

    QuillProcess p;
    ASSERT_TRUE(p.Start(L"-ini:" + ini));
    ASSERT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 12; })) << NoteWindows(p).size();
    p.WaitIdle();  // start-up done: the window answers without being taken for hung
    HWND narrow = NoteAt(p, 345, 150);
    HWND legacy = NoteAt(p, 100, 120);
    ASSERT_TRUE(narrow && legacy);
    EXPECT_EQ(20, WindowRect(narrow).right - 345) << "width 20 taken as it is";
    BYTE alpha = 0;
    EXPECT_TRUE(::GetLayeredWindowAttributes(narrow, nullptr, &alpha, nullptr) && alpha == 25) << "90 %";
    EXPECT_NE(std::wstring::npos, NoteText(legacy).find(L"Shopping=milk"));
    EXPECT_NE(std::wstring::npos, NoteText(legacy).find(L"Later=bread"));

    WaitForStartupSaves(ini);  // each note's size was set
    // A close request saves: sixteen keys in order, content as one line of rich text, faces as the record holds them.
    for (HWND note : {legacy, NoteAt(p, 400, 400), NoteAt(p, 700, 400)})
        ASSERT_TRUE(Send(note, WM_CLOSE));
    const std::vector<std::wstring> savedKeys = {L"m_pos_y",    L"m_pos_x",     L"m_cy",       L"m_cx",
                                                 L"m_clrBkgnd", L"m_by_hidden", L"m_color",    L"m_transparency",
                                                 L"m_ontop",    L"m_closed",    L"b_italic",   L"b_bold",
                                                 L"m_font_h",   L"m_font_str",  L"m_note_str", L"m_note_str_info"};
    EXPECT_EQ(savedKeys, IniKeys(ini, L"031_Notice_set"));
    EXPECT_EQ(L"\\t\\v is \\r\\n max len 8K", IniRead(ini, L"031_Notice_set", L"m_note_str_info"));
    const std::wstring content = IniRead(ini, L"031_Notice_set", L"m_note_str");
    EXPECT_EQ(0u, content.find(L"{\\rtf"));
    EXPECT_NE(std::wstring::npos, content.find(L"\t\v"));
    EXPECT_EQ(std::wstring::npos, content.find_first_of(L"\r\n"));
    for (auto [id, c] : {std::pair{L"032", L'S'}, {L"033", L'T'}})
        EXPECT_EQ(std::wstring(244, c), IniRead(ini, (std::wstring(id) + L"_Notice_set").c_str(), L"m_font_str"));
    // The main window's font list replaced the uninstalled default face by the one it selected.
    EXPECT_EQ(IniRead(ini, L"Program", L"m_default_font"), IniRead(ini, L"031_Notice_set", L"m_font_str"));
    EXPECT_NE(std::wstring(1000, L'D'), IniRead(ini, L"Program", L"m_default_font"));

    // Theme 1: a black shadow of the note's size, 5 pixels right and down.
    const std::vector<HWND> shadows = Shadows(p);
    auto own = std::find_if(shadows.begin(), shadows.end(), [&](HWND s) { return ::GetWindow(s, GW_OWNER) == legacy; });
    ASSERT_NE(shadows.end(), own);
    RECT expected = WindowRect(legacy);
    ::OffsetRect(&expected, 5, 5);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT shadow = WindowRect(*own);
        return ::EqualRect(&expected, &shadow) && ::IsWindowVisible(*own);
    }));
    // The display blends nothing; the other notes, some larger than the screen, are put out of the way.
    for (HWND note : NoteWindows(p))
        if (note != legacy && note != narrow)
            ::ShowWindow(note, SW_HIDE);
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(expected.right - 4, expected.top + 100) == 0; }))
        << std::hex << ScreenPixel(expected.right - 4, expected.top + 100);
    const RECT text = WindowRect(::GetDlgItem(legacy, IDC_NOTE_TEXT));
    EXPECT_TRUE(WaitUntil([&] { return ScreenPixel(text.right - 30, text.bottom - 10) == 16312779; }))
        << "the stored background, not " << ScreenPixel(text.right - 30, text.bottom - 10);
    EXPECT_TRUE(p.Running());
}
