// A note's Note-Pad and Word-Pad commands write their files into the temporary folder the program was started with, and
// open them.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

using namespace e2e;

namespace {

const std::wstring kTextName = L"Quillboard_1.00notepade_txt.txt";
const std::wstring kRtfName = L"Quillboard_1.00notepade_txt.rtf";

// Waits for the editor the shell opened on the file, a real process, and closes it; false when none opened.
bool CloseEditorOf(const std::wstring& fileName, DWORD timeoutMs = 10000)
{
    HWND editor =
        WaitForWindow([&](HWND w) { return ::IsWindowVisible(w) && WindowText(w).rfind(fileName, 0) == 0; }, timeoutMs);
    ::PostMessageW(editor, WM_CLOSE, 0, 0);
    return editor && WaitUntil([&] { return !::IsWindow(editor); });
}

// The program runs with TMP and TEMP set to a folder of the test's own.
class Export : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_temp = NewFolder() + L"\\";
        wchar_t old[1024] = L"";
        ::GetEnvironmentVariableW(L"TEMP", old, 1024);
        m_oldTemp = old;
        SetTemp(m_temp);
    }
    void TearDown() override
    {
        // Editors left by a failed test would outlive it.
        for (int i = 0; i < 5; ++i)
            CloseEditorOf(L"Quillboard_1.00notepade_txt", 0);
        SetTemp(m_oldTemp);
    }
    static void SetTemp(const std::wstring& folder)
    {
        for (const wchar_t* name : {L"TMP", L"TEMP"})
            ::SetEnvironmentVariableW(name, folder.c_str());
    }

    // Starts the program with one note; returns the note window.
    HWND StartWithNote()
    {
        StoreNote(m_ini, 0, {{L"m_pos_x", L"200"}, {L"m_pos_y", L"200"}, {L"m_cx", L"300"}});
        return StartWithNotes(m_p, m_ini, 1) ? NoteWindows(m_p)[0] : nullptr;
    }
    HWND Box(DWORD timeoutMs = 10000)
    {
        return WaitForBox(
            m_p, nullptr, [](HWND b) { return ::GetDlgItem(b, 0xFFFF) != nullptr; }, timeoutMs);
    }
    void Command(HWND note, UINT id) { ::PostMessageW(note, WM_COMMAND, id, 0); }
    // Exports as plain text and closes the preview; returns the preview's text.
    std::wstring ExportText(HWND note)
    {
        Command(note, ID_NOTE_EXPORT_TEXT);
        HWND box = Box();
        const std::wstring shown = box ? BoxText(box) : L"<no preview>";
        EXPECT_TRUE(box && CloseBox(box));
        return shown;
    }
    // Whether a box is up once the program has finished the command at hand: a box of the command is
    // created before its loop answers the sent message.
    bool BoxAfterCommand(HWND note) { return Send(note, WM_NULL) && Box(0); }

    std::wstring m_temp, m_ini = NewIniPath(), m_oldTemp;
    QuillProcess m_p;
};

}  // namespace

TEST_F(Export, TextAndRichTextFilesHoldTheNoteAndReplaceHeldOldFiles)
{
    HWND note = StartWithNote();
    ASSERT_TRUE(note);
    const std::wstring path = m_temp + kTextName;
    const std::wstring nineThousand = std::wstring(4500, L'a') + std::wstring(4500, L'z');
    // "empty" and "short after long" follow longer exports: the file must be cut to them.
    const struct {
        const char* name;
        std::wstring text, exported;
    } cases[] = {{"two lines", L"first line\r\nsecond \x20AC line", L"first line\r\nsecond \x20AC line"},
                 {"empty", L"", L""},
                 {"9000 characters", nineThousand, nineThousand.substr(0, 7999)},
                 {"short after long", L"short", L"short"}};
    for (const auto& c : cases) {
        SetNoteText(note, c.text);
        EXPECT_EQ(c.exported, ExportText(note)) << c.name << ": the preview shows the exported text";
        EXPECT_TRUE(WaitUntil([&] { return FileBytes(path) == Utf16File(c.exported); }))
            << c.name << ": " << FileBytes(path).size() << " bytes, expected " << Utf16File(c.exported).size();
    }

    // The rich text is streamed whole: all 9000 characters, no byte-order mark.
    SetNoteText(note, nineThousand);
    Command(note, ID_NOTE_EXPORT_RTF);
    const std::wstring rtf = m_temp + kRtfName;
    // The editor opens the file once it is written and closed.
    ASSERT_TRUE(CloseEditorOf(kRtfName)) << "the registered rich-text editor opens the file";
    const std::string bytes = FileBytes(rtf);
    EXPECT_EQ(0u, bytes.find("{\\rtf"));
    EXPECT_NE(std::string::npos, bytes.find(std::string(4500, 'a')));
    EXPECT_NE(std::string::npos, bytes.find(std::string(4500, 'z')));
    SetNoteText(note, L"tiny");
    Command(note, ID_NOTE_EXPORT_RTF);
    ASSERT_TRUE(CloseEditorOf(kRtfName));
    EXPECT_LT(FileBytes(rtf).size(), 1000u) << "overwritten";
    EXPECT_NE(std::string::npos, FileBytes(rtf).find("tiny"));
    EXPECT_FALSE(BoxAfterCommand(note));

    // A longer old file held open by another program: replaced when the holder shares writing,
    // else reported and left untouched.
    SetNoteText(note, L"new");
    const std::string old = Utf16File(L"an older and much longer export of another note");
    struct Holder {
        const char* name;
        DWORD share;  // never FILE_SHARE_DELETE: the program cannot delete the file first
        bool replaced;
    };
    for (const Holder& h : {Holder{"holder shares writing", FILE_SHARE_READ | FILE_SHARE_WRITE, true},
                            Holder{"holder shares reading only", FILE_SHARE_READ, false}}) {
        PutBytes(path, old);
        HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, h.share, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        ExportText(note);
        if (h.replaced) {
            EXPECT_TRUE(WaitUntil([&] { return FileBytes(path) == Utf16File(L"new"); }))
                << h.name << ": " << FileBytes(path).size() << " bytes";
            EXPECT_FALSE(BoxAfterCommand(note)) << h.name;
        } else {
            HWND box = Box();
            ASSERT_TRUE(box) << h.name;
            EXPECT_EQ(L"File access error", BoxText(box)) << h.name;
            ASSERT_TRUE(CloseBox(box));
            EXPECT_EQ(old, FileBytes(path)) << h.name;
        }
        ::CloseHandle(file);
    }
}

TEST_F(Export, TemporaryFolderOf250CharactersFailsQuietly)
{
    // The folder exists, but the export's path would pass the platform's path limit.
    std::wstring temp = NewFolder(true) + L"\\";
    temp += std::wstring(250 - temp.size(), L'q');
    ::CreateDirectoryW((L"\\\\?\\" + temp).c_str(), nullptr);
    SetTemp(temp);
    HWND note = StartWithNote();
    ASSERT_TRUE(note);
    SetNoteText(note, L"text");
    ExportText(note);
    EXPECT_FALSE(BoxAfterCommand(note));
    Command(note, ID_NOTE_EXPORT_RTF);
    EXPECT_FALSE(BoxAfterCommand(note));
    for (const std::wstring& name : {kTextName, kRtfName})
        EXPECT_FALSE(FileExists(L"\\\\?\\" + temp + L"\\" + name)) << "written";
    EXPECT_TRUE(m_p.Running());
}
