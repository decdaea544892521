// Damaged, huge, unwritable or odd configuration files and command lines: the program starts, keeps what it can read,
// and says once when it cannot save.
#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace e2e;

namespace {

bool IsAccessError(HWND box)
{
    return WindowText(box) == L"File access error";
}

TEST(HostileInput, DamagedOrHugeFilesStartAndTakeTheNextWrite)
{
    std::mt19937 random(99);
    std::string binary(100000, '\0');
    for (char& b : binary)
        b = static_cast<char>(random());
    std::string sections;
    for (int i = 0; i < 1000; ++i)
        sections += "[Section" + std::to_string(i) + "]\r\nkey=" + std::to_string(i) + "\r\n";
    const std::string garbage =
        "[000_Notice_set]\r\nm_cx=abc\r\nm_cy=\xFF\xFE\r\nm_pos_x=99999999999999\r\nm_transparency=-7x\r\n"
        "m_font_h=\r\nm_font_str=\x01\x02\r\nm_note_str={\\rtf1 {{{{\r\n";
    const struct {
        const char* name;
        std::string bytes;
    } cases[] = {{"random bytes", binary},
                 {"one 10 MB line", "[Program]\r\nhuge=" + std::string(10 << 20, 'x') + "\r\n"},
                 {"1000 sections", sections},
                 {"garbage in a note", garbage}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::wstring ini = NewIniPath();
        PutBytes(ini, c.bytes);
        QuillProcess p;
        HWND main = p.StartMain(L"-ini:" + ini);
        ASSERT_TRUE(main);
        EXPECT_EQ(L"eeee", IniRead(ini, L"Program", L"TestIni"));
        EXPECT_TRUE(p.Running());
        EXPECT_FALSE(WaitForBox(p, nullptr, IsAccessError, 0));
    }
}

TEST(HostileInput, AFileThatCannotBeWrittenIsToldOnce)
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"lng", L"1");
    // Wine runs as an administrator, so neither a read-only attribute nor a read-only folder
    // stops a write; a file held open without write sharing does.
    HANDLE holder = ::CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    QuillProcess p;
    ASSERT_TRUE(p.Start(L"-ini:" + ini));
    HWND box = WaitForBox(p, nullptr, IsAccessError);
    ASSERT_TRUE(box && CloseBox(box));
    // The program goes on without saving; the box does not come back.
    ASSERT_TRUE(p.WaitForMainWindow());
    p.WaitIdle();
    EXPECT_FALSE(WaitForBox(p, nullptr, IsAccessError, 0));
    EXPECT_TRUE(p.Running());
    ::CloseHandle(holder);
    EXPECT_EQ(L"<missing>", IniRead(ini, L"Program", L"TestIni"));
}

TEST(HostileInput, OddCommandLinesAndIniPaths)
{
    // 1000 tokens after an "-ini" in a missing folder, which is created for the file.
    std::wstring many;
    for (int i = 0; i < 1000; ++i)
        many += L" -x" + std::to_wstring(i) + L":\"a b\"";
    {
        const std::wstring ini = NewFolder() + L"\\new\\deeper\\q.ini";
        QuillProcess p;
        ASSERT_TRUE(p.StartMain(L"-ini:" + ini + many));
        EXPECT_EQ(L"eeee", IniRead(ini, L"Program", L"TestIni"));
    }
    // A folder, or a path longer than the platform takes: told, and the per-user file is used.
    const std::wstring folder = NewFolder();
    const std::wstring tooLong = folder + L"\\" + std::wstring(300 - folder.size() - 5, L'c') + L".ini";
    for (const std::wstring& ini : {folder, tooLong}) {
        ::DeleteFileW(UserConfigPath().c_str());
        QuillProcess p;
        ASSERT_TRUE(p.Start(L"\"-ini:" + ini + L"\""));
        HWND box = WaitForBox(p, nullptr, IsAccessError);
        ASSERT_TRUE(box) << ini.size();
        EXPECT_NE(std::wstring::npos, BoxText(box).find(ini.substr(0, 40)));
        ASSERT_TRUE(CloseBox(box));
        ASSERT_TRUE(p.WaitForMainWindow());
        EXPECT_TRUE(WaitUntil([] { return IniRead(UserConfigPath(), L"Program", L"TestIni") == L"eeee"; }));
    }
}

TEST(HostileInput, TextOutsideTheCodePageSurvivesASaveAndARestart)
{
    const std::wstring greek = L"\x039A\x03B1\x03BB\x03B7\x03BC\x03AD\x03C1\x03B1";
    // Wine's rich-text writer turns a few Greek letters into look-alikes of the code page (mu into
    // the micro sign), so the text avoids them; the face, stored as it is, keeps them.
    const std::wstring text = L"\x039A\x03B1\x03BB\x03AE \x4F60\x597D \xD83D\xDE00";
    const std::wstring face = greek + L" \x6977";
    const std::wstring ini = NewIniPath();
    PutBytes(ini, Utf16File(L"[Program]\r\nlng=1\r\n[000_Notice_set]\r\nm_pos_x=100\r\nm_pos_y=100\r\nm_cx=250\r\n"
                            L"m_cy=200\r\nm_font_str=" +
                            face + L"\r\nm_note_str=old\r\n"));
    for (int run = 0; run < 2; ++run) {
        QuillProcess p;
        ASSERT_TRUE(p.Start(L"-ini:" + ini));
        HWND note = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return !NoteWindows(p).empty() && (note = NoteWindows(p)[0]); }));
        if (run == 0) {
            SetNoteText(note, text);
            ASSERT_TRUE(WaitUntil([&] { return IniRead(ini, L"000_Notice_set", L"m_note_str") != L"old"; }));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return NoteText(note).find(text) == 0; })) << "the text after a restart";
            Send(note, WM_CLOSE);
        }
        EXPECT_EQ(face, IniRead(ini, L"000_Notice_set", L"m_font_str")) << "the face after save " << run;
    }
}

TEST(HostileInput, RichTextTheControlCannotTakeShowsAsPlainTextAndStaysStored)
{
    const std::wstring deep = L"{\\rtf1" + std::wstring(40, L'{') + L"deep" + std::wstring(41, L'}');
    const std::wstring open = L"{\\rtf1{\\b unbalanced";
    const std::wstring ini = NewIniPath();
    const std::wstring contents[] = {deep, open, L"{\\rtf1\\ansi fine\\par}"};
    for (int n = 0; n < 3; ++n)
        StoreNote(ini, n,
                  {{L"m_pos_x", std::to_wstring(350 + 300 * n)}, {L"m_cx", L"250"}, {L"m_note_str", contents[n]}});
    QuillProcess p;
    ASSERT_TRUE(p.Start(L"-ini:" + ini));
    ASSERT_TRUE(WaitUntil([&] { return NoteWindows(p).size() == 3; }));
    int plain = 0;
    for (HWND note : NoteWindows(p)) {
        const std::wstring text = NoteText(note);
        plain += text == deep || text == open;
        // A size change saves the note; the damaged text is left as it was stored.
        const RECT rc = WindowRect(note);
        ::SetWindowPos(note, nullptr, 0, 0, rc.right - rc.left + 10, rc.bottom - rc.top, SWP_NOMOVE | SWP_NOZORDER);
    }
    EXPECT_EQ(2, plain);
    EXPECT_TRUE(WaitUntil(
        [&] { return IniRead(ini, L"002_Notice_set", L"m_note_str").find(L"Riched20") != std::wstring::npos; }));
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, L"000_Notice_set", L"m_cx") == L"260"; }));
    EXPECT_EQ(deep, IniRead(ini, L"000_Notice_set", L"m_note_str"));
    EXPECT_EQ(open, IniRead(ini, L"001_Notice_set", L"m_note_str"));
    EXPECT_TRUE(p.Running());
}

}  // namespace
