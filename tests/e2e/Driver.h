// Drives the real Quillboard.exe from a test: start it (or a renamed copy) with arguments, find and talk to its
// windows, read the INI file it writes. A process still running when its driver object dies is killed.
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

constexpr int kCommandBar = 0xE801;  // the command bar's toolbar, as the window layer names it
constexpr DWORD kExitAfterExitCommand = 0xAFFE;

const std::wstring& ProgramPath();
// A new, empty folder, in the temporary folder unless outsideTemp (a start from there is treated differently).
std::wstring NewFolder(bool outsideTemp = false);
std::wstring NewIniPath();  // in a new folder; the file does not exist yet
std::wstring PlainIni();    // a new file whose notes have no shadow (theme 0)
std::wstring CopyProgram(const std::wstring& folder, const std::wstring& fileName);

bool FileExists(const std::wstring& path);
std::string FileBytes(const std::wstring& path);
void PutBytes(const std::wstring& path, const std::string& bytes);
std::string Utf16File(const std::wstring& text);  // byte-order mark, then the text
std::wstring IniRead(const std::wstring& ini,
                     const wchar_t* section,
                     const wchar_t* key,
                     const wchar_t* fallback = L"<missing>");
void IniWrite(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value);
std::vector<std::wstring> IniKeys(const std::wstring& ini, const wchar_t* section);  // in file order
// A registry text value, or a number as text; "<missing>" when there is none.
std::wstring RegText(HKEY root, const wchar_t* key, const wchar_t* name);
std::wstring UserConfigPath();  // the per-user configuration file of the test prefix

std::wstring NoteSection(int number);  // "000_Notice_set" for 0
using Keys = std::initializer_list<std::pair<const wchar_t*, std::wstring>>;
void StoreNote(const std::wstring& ini, int number, Keys keys);
void StoreNote(const std::wstring& ini, int number, int x, int y, int w, int h, const std::wstring& text = L"");

bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs = 10000, DWORD stepMs = 20);
// Whether pred holds throughout the time; fails the moment it does not.
bool Holds(const std::function<bool()>& pred, DWORD timeoutMs);

std::wstring ClassName(HWND hWnd);
RECT WindowRect(HWND hWnd);
std::string Narrow(const std::wstring& s);  // for test messages: every character cut to its low byte
std::vector<HWND> Children(HWND parent);    // all descendants; top-level windows for null
std::vector<HWND> Filter(std::vector<HWND> windows, const std::function<bool(HWND)>& pred);
bool Send(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
inline bool SendCommand(HWND hWnd, WORD id, WORD code = 0)
{
    return Send(hWnd, WM_COMMAND, MAKEWPARAM(id, code));
}
std::wstring WindowText(HWND hWnd);

// Input on the shared desktop (hold an InputLock).
void PressKeys(std::initializer_list<BYTE> keys);
void MoveMouse(POINT pt);  // and waits until the pointer is there
void MouseButton(bool down);
void ClickProgramMenu(HWND main);  // the command bar's first menu, with the pointer

class QuillProcess;
// Dialogs with a rich-edit text area, hidden ones included, top-most first.
std::vector<HWND> NoteWindows(const QuillProcess& p);
std::vector<HWND> VisibleNotes(const QuillProcess& p);
HWND NoteAt(const QuillProcess& p, int left, int top);  // by its top-left corner
std::wstring NoteText(HWND note);
// As typing does: the text, then the change notification that starts its save.
void SetNoteText(HWND note, const std::wstring& text);
// Every stored note saves once soon after start-up, rewriting the file in place: waits until each note
// section holds the key only a full save writes.
void WaitForStartupSaves(const std::wstring& ini);
// Starts with the file, waits for `count` visible notes and their start-up saves; the main window or null.
HWND StartWithNotes(QuillProcess& p, const std::wstring& ini, size_t count);

std::vector<HWND> OpenMenus(const QuillProcess& p);  // top-most first
RECT VisibleMenu(const QuillProcess& p);             // all -1 when none is open

// A visible dialog of the process other than `except` for which pred holds; null after the time-out (0: look once).
HWND WaitForBox(const QuillProcess& p,
                HWND except,
                const std::function<bool(HWND)>& pred = nullptr,
                DWORD timeoutMs = 10000);
bool CloseBox(HWND box, WORD button = IDOK);  // and waits until it is gone
std::wstring BoxText(HWND box);               // the longest static text: a message box's message
// Sends a message whose lParam points to `size` bytes at data, copied into the window's process and back.
LRESULT SendRemote(HWND hWnd, UINT message, WPARAM wParam, void* data, size_t size);
// The button texts of every toolbar among the window's children, read from the owning process.
std::vector<std::wstring> ToolbarTexts(HWND window);

// Top-level windows (of the process, for a pid) for which pred holds; null after the time-out.
HWND WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs = 15000, DWORD pid = 0);

class QuillProcess {
public:
    explicit QuillProcess(std::wstring program = ProgramPath()) : m_program(std::move(program)) {}
    ~QuillProcess() { Kill(); }
    QuillProcess(const QuillProcess&) = delete;
    QuillProcess& operator=(const QuillProcess&) = delete;

    bool Start(const std::wstring& args);  // the command line: the quoted program path, a space and args
    bool Running() const;
    DWORD Pid() const { return m_pi.dwProcessId; }
    HANDLE Process() const { return m_pi.hProcess; }

    std::vector<HWND> Windows() const;  // top-level, hidden ones included
    HWND WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs = 15000) const
    {
        return e2e::WaitForWindow(pred, timeoutMs, Pid());
    }
    HWND WaitForMainWindow() const;            // the dialog that carries the command-bar line
    void WaitIdle() const;                     // until the start-up is over and it waits for input
    HWND StartMain(const std::wstring& args);  // start, main window, idle; null on failure

    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);  // the full 32-bit code
    // Posts Exit to the main window; the exit code, or 0xDEAD when the program did not end.
    DWORD Exit(HWND main);
    void Kill();

private:
    std::wstring m_program;
    PROCESS_INFORMATION m_pi = {};
};

}  // namespace e2e
