// A stored note of 50 000 characters in one paragraph, light text on a dark background, starts whole (in seconds, not
// minutes), in its colours, and is saved as it was stored.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <richedit.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

using namespace e2e;

namespace {

constexpr size_t kLength = 50000;
constexpr COLORREF kBackground = 2105376;
constexpr COLORREF kTextColor = 16777215;

std::string LongText()
{
    std::string text;
    for (int i = 0; text.size() < kLength; ++i)
        text += "word" + std::to_string(i % 1000) + (i % 17 == 16 ? ", " : " ");
    text.resize(kLength - 3);
    return text + "END";
}

DWORD CALLBACK ReadBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    auto* source = reinterpret_cast<std::string*>(cookie);
    *done = static_cast<LONG>(source->copy(reinterpret_cast<char*>(buffer), count));
    source->erase(0, *done);
    return 0;
}

DWORD CALLBACK AppendBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buffer), count);
    *done = count;
    return 0;
}

// The content as a plain rich edit of the platform writes it, without the program's own loading: the form a
// saved note has in the file, and what the program must save again.
std::wstring StoredForm(const std::string& text)
{
    ::LoadLibraryW(L"RICHED20.DLL");
    HWND edit = ::CreateWindowExW(0, L"RichEdit20W", L"", WS_POPUP | ES_MULTILINE, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    ::SendMessageW(edit, EM_SETTARGETDEVICE, 0, 1);  // one long line lays out quickly; the text written is the same
    ::SendMessageW(edit, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    std::string in =
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset238 Segoe Print;}}{\\colortbl;\\red255\\green255"
        "\\blue255;}\\pard\\cf1\\f0\\fs25 " +
        text + "\\par}";
    EDITSTREAM stream = {reinterpret_cast<DWORD_PTR>(&in), 0, &ReadBytes};
    ::SendMessageW(edit, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    std::string out;
    stream = {reinterpret_cast<DWORD_PTR>(&out), 0, &AppendBytes};
    ::SendMessageW(edit, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    ::DestroyWindow(edit);
    out.resize(out.find('\0') == std::string::npos ? out.size() : out.find('\0'));
    std::wstring line;
    for (size_t i = 0; i < out.size(); ++i)
        line += (out[i] == '\r' && i + 1 < out.size() && out[i + 1] == '\n') ? (++i, L"\t\v") : std::wstring(1, out[i]);
    return line;
}

// The character format of a stretch of the text.
CHARFORMATW TextFormat(HWND text, int from, int to)
{
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    Send(text, EM_SETSEL, from, to);
    SendRemote(text, EM_GETCHARFORMAT, SCF_SELECTION, &format, sizeof(format));
    return format;
}

}  // namespace

TEST(Notes, LongDarkNoteStartsWholeInItsColoursAndSavesAsStored)
{
    const std::string text = LongText();
    const std::wstring stored = StoredForm(text);
    ASSERT_EQ(0u, stored.find(L"{\\rtf"));
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"1");
    StoreNote(ini, 0,
              {{L"m_pos_y", L"300"},
               {L"m_pos_x", L"600"},
               {L"m_cy", L"200"},
               {L"m_cx", L"300"},
               {L"m_clrBkgnd", std::to_wstring(kBackground)},
               {L"m_color", std::to_wstring(kTextColor)},
               {L"m_transparency", L"90"},
               {L"m_font_str", L"Segoe Print"},
               {L"m_note_str", stored}});
    QuillProcess p;
    ASSERT_TRUE(p.StartMain(L"-ini:" + ini));
    HWND note = p.WaitForWindow([](HWND w) { return ::IsWindowVisible(w) && ::GetDlgItem(w, IDC_NOTE_TEXT); }, 60000);
    ASSERT_TRUE(note);
    HWND area = ::GetDlgItem(note, IDC_NOTE_TEXT);
    // Whole: every character, the last word included.
    std::wstring shown(kLength + 100, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(area, WM_GETTEXT, shown.size(), LPARAM(&shown[0]), SMTO_ABORTIFHUNG, 60000, &got);
    shown.resize(got);
    EXPECT_EQ(std::wstring(text.begin(), text.end()), shown.substr(0, shown.find_last_not_of(L"\r\n") + 1));
    const CHARFORMATW whole = TextFormat(area, 0, -1);
    EXPECT_TRUE(whole.dwMask & CFM_COLOR) << "one colour throughout";
    EXPECT_EQ(kTextColor, whole.crTextColor);
    // The face and size, read deep inside where one character is one run.
    const CHARFORMATW inside = TextFormat(area, 40000, 40001);
    EXPECT_STREQ(L"Segoe Print", inside.szFaceName);
    EXPECT_EQ(250, inside.yHeight);  // \fs25
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(::SendMessageTimeoutW(note, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 60000, &ignored));
    const std::wstring saved = IniRead(ini, L"000_Notice_set", L"m_note_str");
    ASSERT_EQ(0u, saved.find(L"{\\rtf"));
    EXPECT_TRUE(stored == saved) << "first difference at "
                                 << std::mismatch(stored.begin(), stored.end(), saved.begin(), saved.end()).first -
                                        stored.begin();
}
