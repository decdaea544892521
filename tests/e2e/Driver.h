// Drives the real Quillboard.exe from a test: start it (or a renamed copy)
// with arguments, find its windows, talk to them, read the INI file it
// writes, and collect its full 32-bit exit code. A process still running when
// its driver object dies is killed, so no test leaves one behind.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "tests/TestSupport.h"

namespace e2e {

using test::InputLock;  // held by the tests that move the pointer, press keys or need the foreground

// The command bar's toolbar in the main window (the bar's own id, as the window layer names it).
constexpr int kCommandBar = 0xE801;

// The built program (a Windows path).
const std::wstring& ProgramPath();

// A new, empty folder for one test. Inside the temporary folder unless
// outsideTemp is set (the program treats a start from the temporary folder
// differently).
std::wstring NewFolder(bool outsideTemp = false);
// A path in a new folder; the file itself does not exist yet.
std::wstring NewIniPath();
// Copies the program into folder under fileName; returns the new path.
std::wstring CopyProgram(const std::wstring& folder, const std::wstring& fileName);

bool FileExists(const std::wstring& path);
std::string FileBytes(const std::wstring& path);
void PutBytes(const std::wstring& path, const std::string& bytes);
// The bytes of a UTF-16 text file: the byte-order mark, then the text.
std::string Utf16File(const std::wstring& text);
std::wstring IniRead(const std::wstring& ini,
                     const wchar_t* section,
                     const wchar_t* key,
                     const wchar_t* fallback = L"<missing>");
void IniWrite(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value);
// The keys of a section in file order.
std::vector<std::wstring> IniKeys(const std::wstring& ini, const wchar_t* section);
// A registry text value, or a number written as text; "<missing>" when there is none.
std::wstring RegText(HKEY root, const wchar_t* key, const wchar_t* name);
// The per-user configuration file of the test prefix.
std::wstring UserConfigPath();

// The section of stored note `number` ("000_Notice_set" for 0).
std::wstring NoteSection(int number);
using Keys = std::initializer_list<std::pair<const wchar_t*, std::wstring>>;
// Writes the keys into note `number`'s section.
void StoreNote(const std::wstring& ini, int number, Keys keys);
// A note of w x h at (x, y), with text unless it is empty.
void StoreNote(const std::wstring& ini, int number, int x, int y, int w, int h, const std::wstring& text = L"");

// Polls until pred holds or the time is up.
bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs = 10000, DWORD stepMs = 20);
// Whether pred holds throughout the time: a check that something does not happen watches for a while,
// and fails the moment it does happen.
bool Holds(const std::function<bool()>& pred, DWORD timeoutMs);

std::wstring ClassName(HWND hWnd);
RECT WindowRect(HWND hWnd);
// For test messages: every character cut to its low byte.
std::string Narrow(const std::wstring& s);

// Sends a command (notification code 0) and waits until it is handled; false when the window hung.
bool SendCommand(HWND hWnd, WORD id, WORD code = 0);
// Sends a message and waits until it is handled (at most 5 s); false when the window hung.
bool Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The text of a window of another process, however long.
std::wstring WindowText(HWND hWnd);

// Key presses and releases, the pointer and its left button on the shared desktop (hold an InputLock).
void PressKeys(std::initializer_list<BYTE> keys);
// Moves the pointer and waits until it is there.
void MoveMouse(POINT pt);
void MouseButton(bool down);

class QuillProcess;
// The note windows of the process (dialogs with a rich-edit text area), hidden ones included, top-most first.
std::vector<HWND> NoteWindows(const QuillProcess& p);
std::vector<HWND> VisibleNotes(const QuillProcess& p);
// The note window whose top-left corner is at (left, top), or null.
HWND NoteAt(const QuillProcess& p, int left, int top);
std::wstring NoteText(HWND note);
// Sets a note's text as typing does: the text, then the change notification that starts its save.
void SetNoteText(HWND note, const std::wstring& text);
// Every stored note saves once soon after start-up (its size was set), rewriting the file in place:
// waits until each note section of the file holds the key only a full save writes.
void WaitForStartupSaves(const std::wstring& ini);

// The process's open popup menus, top-most first.
std::vector<HWND> OpenMenus(const QuillProcess& p);
// The top-most open menu's place on the screen; all -1 when none is open.
RECT VisibleMenu(const QuillProcess& p);
// Bands of at least 8 rows in which the menu's picture column (x 3 to 21, inside the frame) differs from the
// row's colour further right: one per picture or check mark. Separators and the highlight run across the row.
int MenuPictureBands(HWND menu);
// Clicks the command bar's first menu, "Program", with the pointer (hold an InputLock).
void ClickProgramMenu(HWND main);

// A message box of the process showing this text, or null.
HWND FindMessageBox(const QuillProcess& p, const std::wstring& text);
// A visible dialog-class window of the process other than `except` for which pred holds; null after the time-out
// (0: look once).
HWND WaitForBox(const QuillProcess& p, HWND except, bool (*pred)(HWND), DWORD timeoutMs = 10000);
// Whether the dialog is a message box (it has the message's static text).
bool IsMessageBox(HWND box);
// Presses a box's button and waits until the box is gone.
bool CloseBox(HWND box, WORD button = IDOK);
// The longest static text in a window: a message box's message.
std::wstring BoxText(HWND box);
// The first visible edit control below a window (an open-file dialog's file name).
HWND FirstEdit(HWND window);
// The button texts of every toolbar among the window's children, read from the owning process.
std::vector<std::wstring> ToolbarTexts(HWND window);

class QuillProcess {
public:
    explicit QuillProcess(std::wstring program = ProgramPath());
    ~QuillProcess();
    QuillProcess(const QuillProcess&) = delete;
    QuillProcess& operator=(const QuillProcess&) = delete;

    // The command line is the quoted program path, a space and args.
    bool Start(const std::wstring& args);
    bool Running() const;
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }

    // Top-level windows of the process, hidden ones included.
    std::vector<HWND> Windows() const;
    HWND WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs = 15000) const;
    // The main window: the dialog that carries the command-bar line.
    HWND WaitForMainWindow(DWORD timeoutMs = 15000) const;
    // Waits until the program has finished starting and waits for input.
    void WaitIdle(DWORD timeoutMs = 5000) const;
    // Start, then wait for the main window and for the start-up to end; null on failure.
    HWND StartMain(const std::wstring& args);

    // Returns false on time-out; exitCode gets the full 32-bit code.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // Posts Exit to the main window and waits; the exit code, or 0xDEAD when the program did not end.
    DWORD Exit(HWND main);
    void Kill();

private:
    std::wstring m_program;
    PROCESS_INFORMATION m_pi = {};
};

}  // namespace e2e
