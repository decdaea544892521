#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace e2e {

namespace {

DWORD Owner(HWND w)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    return pid;
}

}  // namespace

std::vector<HWND> Filter(std::vector<HWND> windows, const std::function<bool(HWND)>& pred)
{
    windows.erase(std::remove_if(windows.begin(), windows.end(), [&](HWND w) { return !pred(w); }), windows.end());
    return windows;
}

const std::wstring& ProgramPath()
{
    static const std::wstring path = QB_EXE_PATH;
    return path;
}

std::wstring NewFolder(bool outsideTemp)
{
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring base = outsideTemp ? L"C:\\QuillboardTests" : std::wstring(temp) + L"qbtest";
    ::CreateDirectoryW(base.c_str(), nullptr);
    const std::wstring folder = base + L"\\" + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                                std::to_wstring(++counter) + L"_" + std::to_wstring(::GetTickCount());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring NewIniPath()
{
    return NewFolder() + L"\\test.ini";
}

std::wstring PlainIni()
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Quillboard", L"m_default_note_theme", L"0");
    return ini;
}

std::wstring CopyProgram(const std::wstring& folder, const std::wstring& fileName)
{
    std::wstring target = folder + L"\\" + fileName;
    ::CopyFileW(ProgramPath().c_str(), target.c_str(), FALSE);
    return target;
}

bool FileExists(const std::wstring& path)
{
    DWORD attr = ::GetFileAttributesW(path.c_str());
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FileBytes(const std::wstring& path)
{
    std::string bytes;
    if (FILE* file = ::_wfopen(path.c_str(), L"rb")) {
        char chunk[4096];
        for (size_t n; (n = std::fread(chunk, 1, sizeof(chunk), file)) > 0;)
            bytes.append(chunk, n);
        std::fclose(file);
    }
    return bytes;
}

void PutBytes(const std::wstring& path, const std::string& bytes)
{
    if (FILE* file = ::_wfopen(path.c_str(), L"wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
}

std::string Utf16File(const std::wstring& text)
{
    return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}

std::wstring IniRead(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* fallback)
{
    std::vector<wchar_t> buf(1 << 20);
    DWORD n = ::GetPrivateProfileStringW(section, key, fallback, buf.data(), DWORD(buf.size()), ini.c_str());
    return std::wstring(buf.data(), n);
}

void IniWrite(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    ::WritePrivateProfileStringW(section, key, value, ini.c_str());
}

std::vector<std::wstring> IniKeys(const std::wstring& ini, const wchar_t* section)
{
    std::vector<wchar_t> buf(1 << 20);
    DWORD n = ::GetPrivateProfileSectionW(section, buf.data(), DWORD(buf.size()), ini.c_str());
    std::vector<std::wstring> keys;
    for (const wchar_t* line = buf.data(); line < buf.data() + n && *line; line += wcslen(line) + 1)
        keys.push_back(std::wstring(line).substr(0, std::wstring(line).find(L'=')));
    return keys;
}

std::wstring RegText(HKEY root, const wchar_t* key, const wchar_t* name)
{
    union {
        wchar_t text[2048];
        DWORD number;
    } value = {};
    DWORD bytes = sizeof(value), type = 0;
    if (::RegGetValueW(root, key, name, RRF_RT_REG_SZ | RRF_RT_REG_DWORD, &type, &value, &bytes) != ERROR_SUCCESS)
        return L"<missing>";
    return type == REG_DWORD ? std::to_wstring(value.number) : value.text;
}

std::wstring UserConfigPath()
{
    wchar_t appData[MAX_PATH] = L"";
    ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::wstring(appData) + L"\\Quillboard\\Quillboard.ini";
}

std::wstring NoteSection(int number)
{
    wchar_t section[32];
    std::swprintf(section, 32, L"%03d_Notice_set", number);
    return section;
}

void StoreNote(const std::wstring& ini, int number, Keys keys)
{
    for (const auto& [key, value] : keys)
        IniWrite(ini, NoteSection(number).c_str(), key, value.c_str());
}

void StoreNote(const std::wstring& ini, int number, int x, int y, int w, int h, const std::wstring& text)
{
    StoreNote(ini, number,
              {{L"m_pos_x", std::to_wstring(x)},
               {L"m_pos_y", std::to_wstring(y)},
               {L"m_cx", std::to_wstring(w)},
               {L"m_cy", std::to_wstring(h)}});
    if (!text.empty())
        IniWrite(ini, NoteSection(number).c_str(), L"m_note_str", text.c_str());
}

bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs, DWORD stepMs)
{
    for (const DWORD start = ::GetTickCount(); !pred(); ::Sleep(stepMs))
        if (::GetTickCount() - start >= timeoutMs)
            return pred();
    return true;
}

bool Holds(const std::function<bool()>& pred, DWORD timeoutMs)
{
    return !WaitUntil([&] { return !pred(); }, timeoutMs);
}

std::wstring ClassName(HWND hWnd)
{
    wchar_t buf[256] = L"";
    ::GetClassNameW(hWnd, buf, 256);
    return buf;
}

RECT WindowRect(HWND hWnd)
{
    RECT rc = {};
    ::GetWindowRect(hWnd, &rc);
    return rc;
}

std::string Narrow(const std::wstring& s)
{
    return std::string(s.begin(), s.end());
}

std::vector<HWND> Children(HWND parent)
{
    std::vector<HWND> all;
    const WNDENUMPROC collect = [](HWND w, LPARAM out) {
        reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
        return TRUE;
    };
    if (parent)
        ::EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&all));
    else
        ::EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

bool Send(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(hWnd, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
}

std::wstring WindowText(HWND hWnd)
{
    DWORD_PTR length = 0, got = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, text.size(), LPARAM(&text[0]), SMTO_ABORTIFHUNG, 5000, &got);
    text.resize(got);
    return text;
}

void PressKeys(std::initializer_list<BYTE> keys)
{
    for (BYTE vk : keys) {
        ::keybd_event(vk, 0, 0, 0);
        ::keybd_event(vk, 0, KEYEVENTF_KEYUP, 0);
    }
}

void MoveMouse(POINT pt)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(pt.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
    in.mi.dy = MulDiv(pt.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof(in));
    POINT now = {};
    WaitUntil([&] { return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y; }, 2000);
}

void MouseButton(bool down)
{
    ::mouse_event(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

void ClickProgramMenu(HWND main)
{
    const RECT bar = WindowRect(::GetDlgItem(main, kCommandBar));
    ::SetForegroundWindow(main);
    ::SetCursorPos(bar.left + 8, (bar.top + bar.bottom) / 2);
    MouseButton(true);
    MouseButton(false);
}

std::vector<HWND> NoteWindows(const QuillProcess& p)
{
    return Filter(p.Windows(), [](HWND w) { return ClassName(::GetDlgItem(w, IDC_NOTE_TEXT)) == L"RichEdit20W"; });
}

std::vector<HWND> VisibleNotes(const QuillProcess& p)
{
    return Filter(NoteWindows(p), ::IsWindowVisible);
}

HWND NoteAt(const QuillProcess& p, int left, int top)
{
    for (HWND w : NoteWindows(p))
        if (WindowRect(w).left == left && WindowRect(w).top == top)
            return w;
    return nullptr;
}

std::wstring NoteText(HWND note)
{
    return WindowText(::GetDlgItem(note, IDC_NOTE_TEXT));
}

void SetNoteText(HWND note, const std::wstring& text)
{
    HWND edit = ::GetDlgItem(note, IDC_NOTE_TEXT);
    Send(edit, WM_SETTEXT, 0, LPARAM(text.c_str()));
    Send(note, WM_COMMAND, MAKEWPARAM(IDC_NOTE_TEXT, EN_CHANGE), LPARAM(edit));
}

void WaitForStartupSaves(const std::wstring& ini)
{
    for (int n = 0; n < 40; ++n) {
        const std::wstring section = NoteSection(n);
        if (IniRead(ini, section.c_str(), L"m_cx") != L"<missing>")
            WaitUntil([&] { return IniRead(ini, section.c_str(), L"m_note_str_info") != L"<missing>"; });
    }
}

HWND StartWithNotes(QuillProcess& p, const std::wstring& ini, size_t count)
{
    HWND main = p.StartMain(L"-ini:" + ini);
    if (!main || !WaitUntil([&] { return VisibleNotes(p).size() == count; }))
        return nullptr;
    WaitForStartupSaves(ini);
    return main;
}

std::vector<HWND> OpenMenus(const QuillProcess& p)
{
    return Filter(p.Windows(), [](HWND w) { return ClassName(w) == L"#32768" && ::IsWindowVisible(w); });
}

RECT VisibleMenu(const QuillProcess& p)
{
    const std::vector<HWND> menus = OpenMenus(p);
    return menus.empty() ? RECT{-1, -1, -1, -1} : WindowRect(menus[0]);
}

HWND WaitForBox(const QuillProcess& p, HWND except, const std::function<bool(HWND)>& pred, DWORD timeoutMs)
{
    return p.WaitForWindow(
        [&](HWND w) { return w != except && ::IsWindowVisible(w) && ClassName(w) == L"#32770" && (!pred || pred(w)); },
        timeoutMs);
}

bool CloseBox(HWND box, WORD button)
{
    ::PostMessageW(box, WM_COMMAND, button, 0);
    return WaitUntil([&] { return !::IsWindow(box); });
}

std::wstring BoxText(HWND box)
{
    std::wstring longest;
    for (HWND child : Children(box))
        if (ClassName(child) == L"Static" && WindowText(child).size() > longest.size())
            longest = WindowText(child);
    return longest;
}

LRESULT SendRemote(HWND hWnd, UINT message, WPARAM wParam, void* data, size_t size)
{
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, Owner(hWnd));
    void* remote = process ? ::VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE) : nullptr;
    DWORD_PTR result = 0;
    if (remote && ::WriteProcessMemory(process, remote, data, size, nullptr) &&
        ::SendMessageTimeoutW(hWnd, message, wParam, LPARAM(remote), SMTO_ABORTIFHUNG, 10000, &result))
        ::ReadProcessMemory(process, remote, data, size, nullptr);
    if (remote)
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    if (process)
        ::CloseHandle(process);
    return LRESULT(result);
}

std::vector<std::wstring> ToolbarTexts(HWND window)
{
    std::vector<std::wstring> texts;
    for (HWND toolbar : Children(window))
        for (int i = 0,
                 n = ClassName(toolbar) == TOOLBARCLASSNAMEW ? int(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
             i < n; i++) {
            TBBUTTON button = {};
            SendRemote(toolbar, TB_GETBUTTON, i, &button, sizeof(button));
            wchar_t text[512] = {};
            SendRemote(toolbar, TB_GETBUTTONTEXTW, button.idCommand, text, sizeof(text) - sizeof(wchar_t));
            texts.push_back(text);
        }
    return texts;
}

HWND WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs, DWORD pid)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : Children(nullptr))
                if ((!pid || Owner(w) == pid) && pred(w))
                    return (found = w) != nullptr;
            return false;
        },
        timeoutMs, 25);
    return found;
}

bool QuillProcess::Start(const std::wstring& args)
{
    Kill();
    std::wstring cmd = L"\"" + m_program + L"\"" + (args.empty() ? L"" : L" " + args);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    if (!::CreateProcessW(m_program.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
        m_pi = {};
    return m_pi.hProcess != nullptr;
}

bool QuillProcess::Running() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> QuillProcess::Windows() const
{
    return Filter(Children(nullptr), [this](HWND w) { return Owner(w) == m_pi.dwProcessId; });
}

HWND QuillProcess::WaitForMainWindow() const
{
    return WaitForWindow([](HWND w) { return ::GetDlgItem(w, IDC_BAR_LINE) != nullptr; });
}

void QuillProcess::WaitIdle() const
{
    if (m_pi.hProcess)
        ::WaitForInputIdle(m_pi.hProcess, 5000);
}

HWND QuillProcess::StartMain(const std::wstring& args)
{
    if (!Start(args))
        return nullptr;
    HWND main = WaitForMainWindow();
    WaitIdle();
    return main;
}

bool QuillProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!m_pi.hProcess || ::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    if (exitCode)
        ::GetExitCodeProcess(m_pi.hProcess, exitCode);
    return true;
}

DWORD QuillProcess::Exit(HWND main)
{
    ::PostMessageW(main, WM_COMMAND, ID_APP_EXIT, 0);
    DWORD code = 0xDEAD;
    return WaitForExit(15000, &code) ? code : 0xDEAD;
}

void QuillProcess::Kill()
{
    if (!m_pi.hProcess)
        return;
    if (Running()) {
        ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 10000);
    }
    ::CloseHandle(m_pi.hThread);
    ::CloseHandle(m_pi.hProcess);
    m_pi = {};
}

}  // namespace e2e
