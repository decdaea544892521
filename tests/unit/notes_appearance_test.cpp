// What a note window makes of its colours, font, transparency and theme.
#include "notes/NoteColors.h"
#include "notes/NoteDlg.h"
#include "notes/NoteMetrics.h"
#include "notes_test_util.h"

#include <richedit.h>

#include <climits>
#include <memory>

using notes_test::NotesFixture;
using notes_test::Pump;

namespace {

class NoteAppearance : public NotesFixture {
protected:
    std::unique_ptr<CNoteDlg> Open(COLORREF background, int theme = 0)
    {
        m_default_note_theme.SetAndStore(theme);
        auto note = std::make_unique<CNoteDlg>(L"020");
        note->m_clrBkgnd = background;
        note->m_color = RGB(10, 20, 30);
        EXPECT_TRUE(note->Create(nullptr));
        return note;
    }

    static CHARFORMATW DefaultFormat(HWND text)
    {
        CHARFORMATW format = {};
        format.cbSize = sizeof(format);
        ::SendMessageW(text, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
        return format;
    }

    static int Alpha(HWND hWnd)
    {
        BYTE alpha = 0;
        DWORD flags = 0;
        COLORREF key = 0;
        if (!::GetLayeredWindowAttributes(hWnd, &key, &alpha, &flags))
            return -1;
        return alpha;
    }
};

}  // namespace

TEST_F(NoteAppearance, DerivedColoursOnWhiteAndBlack)
{
    auto white = Open(RGB(255, 255, 255));
    EXPECT_EQ(RGB(245, 245, 245), white->FrameColor());
    EXPECT_EQ(RGB(163, 163, 163), white->CaptionColor());
    auto black = Open(RGB(0, 0, 0));
    EXPECT_EQ(RGB(10, 10, 10), black->FrameColor());
    EXPECT_EQ(RGB(92, 92, 92), black->CaptionColor());
}

TEST_F(NoteAppearance, ColourRequestsGetTheFrameBrushAndColours)
{
    auto note = Open(RGB(255, 255, 255));
    HDC dc = ::GetDC(note->m_hWnd);
    EXPECT_EQ(reinterpret_cast<LRESULT>(note->FrameBrush()),
              ::SendMessageW(note->m_hWnd, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), 0));
    HWND title = ::GetDlgItem(note->m_hWnd, IDC_NOTE_TITLE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(note->FrameBrush()),
              ::SendMessageW(note->m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                             reinterpret_cast<LPARAM>(title)));
    EXPECT_EQ(RGB(163, 163, 163), ::GetTextColor(dc)) << "the title strip uses the caption colour";
    EXPECT_EQ(RGB(245, 245, 245), ::GetBkColor(dc));
    HWND edit = ::GetDlgItem(note->m_hWnd, IDC_NOTE_EDIT);
    ::SendMessageW(note->m_hWnd, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit));
    EXPECT_EQ(RGB(10, 20, 30), ::GetTextColor(dc)) << "other controls use the text colour";
    ::ReleaseDC(note->m_hWnd, dc);
}

TEST_F(NoteAppearance, DefaultCharacterFormat)
{
    auto note = Open(RGB(255, 255, 255));
    note->m_font_h = -21;
    note->b_bold = 400;
    note->b_italic = 0;
    note->m_font_str = L"Tahoma";
    note->ApplyColorsAndFont();
    CHARFORMATW format = DefaultFormat(note->TextArea());
    EXPECT_EQ(252, format.yHeight);
    EXPECT_EQ(238, format.bCharSet);
    EXPECT_STREQ(L"Tahoma", format.szFaceName);
    EXPECT_EQ(RGB(10, 20, 30), format.crTextColor);
    EXPECT_FALSE(format.dwEffects & CFE_BOLD) << "weight 400 is normal";
    EXPECT_FALSE(format.dwEffects & CFE_ITALIC);

    note->b_bold = 401;
    note->b_italic = 1;
    note->ApplyColorsAndFont();
    format = DefaultFormat(note->TextArea());
    EXPECT_TRUE(format.dwEffects & CFE_BOLD) << "weight 401 is bold";
    EXPECT_TRUE(format.dwEffects & CFE_ITALIC);
}

TEST_F(NoteAppearance, UnderlineIsOutsideTheMask)
{
    auto note = Open(RGB(255, 255, 255));
    CHARFORMATW underline = {};
    underline.cbSize = sizeof(underline);
    underline.dwMask = CFM_UNDERLINE;
    underline.dwEffects = CFE_UNDERLINE;
    ::SendMessageW(note->TextArea(), EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&underline));
    note->ApplyColorsAndFont();
    EXPECT_TRUE(DefaultFormat(note->TextArea()).dwEffects & CFE_UNDERLINE);
}

TEST_F(NoteAppearance, FaceNamesOfAnyLengthFitTheFormat)
{
    // Faces this long come from a hand-edited file; the format holds 31 characters and a terminator.
    m_default_font.SetAndStore(std::wstring(1000, L'D'));
    auto fresh = Open(RGB(255, 255, 255));
    EXPECT_EQ(kMaxFaceLength, fresh->m_font_str.size());
    EXPECT_EQ(std::wstring(31, L'D'), DefaultFormat(fresh->TextArea()).szFaceName);

    WriteProfileString(L"021_Notice_set", L"m_cx", L"200");
    WriteProfileString(L"021_Notice_set", L"m_font_str", std::wstring(300, L'S').c_str());
    {
        auto note = std::make_unique<CNoteDlg>(L"021");
        note->LoadSettings();
        EXPECT_EQ(kMaxFaceLength, note->m_font_str.size());
        ASSERT_TRUE(note->Create(nullptr));
        EXPECT_EQ(std::wstring(31, L'S'), DefaultFormat(note->TextArea()).szFaceName);
        note->SaveNote();
    }
    auto again = std::make_unique<CNoteDlg>(L"021");
    again->LoadSettings();
    EXPECT_EQ(std::wstring(kMaxFaceLength, L'S'), again->m_font_str);
}

TEST_F(NoteAppearance, TransparencyReadsBackAsAlpha)
{
    auto note = Open(RGB(255, 255, 255));
    EXPECT_TRUE(::GetWindowLongPtrW(note->m_hWnd, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(255, Alpha(note->m_hWnd));
    const int expected[6] = {255, 229, 204, 178, 153, 127};
    for (int k = 0; k < 6; ++k) {
        note->SetTransparency(10 * k);
        EXPECT_EQ(expected[k], Alpha(note->m_hWnd)) << 10 * k << " %";
    }
    note->SetTransparency(90);
    EXPECT_EQ(25, Alpha(note->m_hWnd));
    EXPECT_EQ(90, note->m_transparency) << "stored as given";
    note->SetTransparency(101);
    EXPECT_EQ(0, Alpha(note->m_hWnd));
    note->SetTransparency(INT_MAX);
    EXPECT_EQ(0, Alpha(note->m_hWnd));
    note->SetTransparency(-1);
    EXPECT_EQ(255, Alpha(note->m_hWnd));
}

TEST_F(NoteAppearance, ReplacedBrushesAreFreed)
{
    auto note = Open(RGB(200, 220, 240));
    for (int i = 0; i < 1000; ++i) {
        HBRUSH oldFrame = note->FrameBrush();
        HBRUSH oldBackground = note->BackgroundBrush();
        note->m_clrBkgnd = RGB(i & 0xFF, 100, 200);
        note->ApplyColorsAndFont();
        ASSERT_NE(oldFrame, note->FrameBrush());
        ASSERT_EQ(0u, ::GetObjectType(oldFrame)) << "frame brush leaked at round " << i;
        ASSERT_EQ(0u, ::GetObjectType(oldBackground)) << "background brush leaked at round " << i;
    }
    EXPECT_EQ(static_cast<DWORD>(OBJ_BRUSH), ::GetObjectType(note->FrameBrush()));
}

TEST_F(NoteAppearance, ThemeGivesTheShadow)
{
    auto plain = Open(RGB(255, 255, 255), 0);
    EXPECT_EQ(0, plain->Shadow().GetStatus()) << "theme 0: no shadow";

    auto black = Open(RGB(255, 255, 200), 1);
    EXPECT_TRUE(black->Shadow().GetStatus() & CWndShadow::kEnabled);
    EXPECT_EQ(0u, black->Shadow().GetColor());

    auto coloured = Open(RGB(255, 255, 200), 2);
    EXPECT_EQ(RGB(255, 255, 200), coloured->Shadow().GetColor());
    // Later colour changes are not passed on.
    coloured->m_clrBkgnd = RGB(1, 2, 3);
    coloured->ApplyColorsAndFont();
    EXPECT_EQ(RGB(255, 255, 200), coloured->Shadow().GetColor());
}

TEST_F(NoteAppearance, OutOfRangeStoredValuesStillMakeAWindow)
{
    const wchar_t* sizes[] = {L"0", L"-5", L"30000", L"2147483647"};
    int n = 30;
    for (const wchar_t* size : sizes) {
        const std::wstring id = std::to_wstring(n++);
        const std::wstring section = L"0" + id + L"_Notice_set";
        WriteProfileString(section.c_str(), L"m_cx", size);
        WriteProfileString(section.c_str(), L"m_cy", size);
        WriteProfileString(section.c_str(), L"m_pos_x", L"2147483647");
        WriteProfileString(section.c_str(), L"m_transparency", L"2147483647");
        WriteProfileString(section.c_str(), L"m_font_h", L"-2147483648");
        m_default_note_theme.SetAndStore(1);
        auto note = std::make_unique<CNoteDlg>((L"0" + id).c_str());
        note->LoadSettings();
        ASSERT_TRUE(note->Create(nullptr)) << size;
        note->ShowWindow(SW_SHOWNA);
        Pump(50);
        EXPECT_EQ(0, Alpha(note->m_hWnd)) << size;
        EXPECT_EQ(kMaxTwips, DefaultFormat(note->TextArea()).yHeight) << size;
        RECT rc;
        ::GetWindowRect(note->m_hWnd, &rc);
        const long long width = static_cast<long long>(rc.right) - rc.left;
        const long long height = static_cast<long long>(rc.bottom) - rc.top;
        if (width * height > kMaxShadowPixels) {
            // Hidden, or never given an image (a note wholly off the screen gets no paint to build it).
            RECT shadowRect = {};
            ::GetWindowRect(note->Shadow().GetHwnd(), &shadowRect);
            EXPECT_TRUE(!::IsWindowVisible(note->Shadow().GetHwnd()) || ::IsRectEmpty(&shadowRect))
                << size << ": no shadow for " << width;
        }
        if (note->m_cx > 0) {
            EXPECT_LE(rc.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN))
                << size << ": kept at least partly on the screen";
        }
    }
}
