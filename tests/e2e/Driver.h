// Drives the real Quillboard.exe from a test: start it (or a renamed copy)
// with arguments, find its windows, talk to them, read the INI file it
// writes, and collect its full 32-bit exit code. A process still running when
// its driver object dies is killed, so no test leaves one behind.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

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
std::wstring IniRead(const std::wstring& ini,
                     const wchar_t* section,
                     const wchar_t* key,
                     const wchar_t* fallback = L"<missing>");
void IniWrite(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value);
// The keys of a section in file order.
std::vector<std::wstring> IniKeys(const std::wstring& ini, const wchar_t* section);
// The per-user configuration file of the test prefix.
std::wstring UserConfigPath();

// Polls until pred holds or the time is up.
bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs = 10000, DWORD stepMs = 20);

std::wstring WindowText(HWND hWnd);
std::wstring ClassName(HWND hWnd);

// Sends a command (notification code 0) and waits until it is handled; false when the window hung.
bool SendCommand(HWND hWnd, WORD id, WORD code = 0);
// The text of a window of another process, however long.
std::wstring LongWindowText(HWND hWnd);

class QuillProcess;
// The note windows of the process (dialogs with a rich-edit text area), hidden ones included, top-most first.
std::vector<HWND> NoteWindows(const QuillProcess& p);
// Every stored note saves once soon after start-up (its size was set), rewriting the file in place:
// waits until each note section of the file holds the key only a full save writes.
void WaitForStartupSaves(const std::wstring& ini);
// A message box of the process showing this text, or null.
HWND FindMessageBox(const QuillProcess& p, const std::wstring& text);

// Holds the desktop's pointer and keys for the test (the tests that move them share one lock).
class InputLock {
public:
    InputLock();
    ~InputLock();
    InputLock(const InputLock&) = delete;
    InputLock& operator=(const InputLock&) = delete;

private:
    HANDLE m_mutex;
};

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
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
    void Kill();

private:
    std::wstring m_program;
    PROCESS_INFORMATION m_pi = {};
};

}  // namespace e2e
