#include "tests/e2e/Driver.h"

#include "res/resource.h"

#include <shlobj.h>

#include <atomic>

namespace e2e {

namespace {

std::atomic<int> g_folderCounter{0};

std::wstring TempFolder()
{
    wchar_t buf[MAX_PATH] = L"";
    ::GetTempPathW(MAX_PATH, buf);
    return buf;
}

struct FindContext {
    DWORD pid;
    std::vector<HWND>* out;
};

BOOL CALLBACK CollectWindow(HWND hWnd, LPARAM lParam)
{
    auto* ctx = reinterpret_cast<FindContext*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (pid == ctx->pid)
        ctx->out->push_back(hWnd);
    return TRUE;
}

}  // namespace

const std::wstring& ProgramPath()
{
    static const std::wstring path = QB_EXE_PATH;
    return path;
}

std::wstring NewFolder(bool outsideTemp)
{
    std::wstring base = outsideTemp ? L"C:\\QuillboardTests\\" : TempFolder() + L"qbtest\\";
    ::CreateDirectoryW(outsideTemp ? L"C:\\QuillboardTests" : base.c_str(), nullptr);
    ::CreateDirectoryW(base.c_str(), nullptr);
    for (;;) {
        std::wstring folder = base + std::to_wstring(::GetCurrentProcessId()) + L"_" +
                              std::to_wstring(++g_folderCounter) + L"_" + std::to_wstring(::GetTickCount());
        if (::CreateDirectoryW(folder.c_str(), nullptr))
            return folder;
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            return folder;
    }
}

std::wstring NewIniPath()
{
    return NewFolder() + L"\\test.ini";
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

std::wstring IniRead(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* fallback)
{
    std::vector<wchar_t> buf(1 << 20);
    DWORD n =
        ::GetPrivateProfileStringW(section, key, fallback, buf.data(), static_cast<DWORD>(buf.size()), ini.c_str());
    return std::wstring(buf.data(), n);
}

void IniWrite(const std::wstring& ini, const wchar_t* section, const wchar_t* key, const wchar_t* value)
{
    ::WritePrivateProfileStringW(section, key, value, ini.c_str());
}

std::vector<std::wstring> IniKeys(const std::wstring& ini, const wchar_t* section)
{
    std::vector<wchar_t> buf(1 << 20);
    DWORD n = ::GetPrivateProfileSectionW(section, buf.data(), static_cast<DWORD>(buf.size()), ini.c_str());
    std::vector<std::wstring> keys;
    for (DWORD i = 0; i < n && buf[i];) {
        std::wstring line(&buf[i]);
        keys.push_back(line.substr(0, line.find(L'=')));
        i += static_cast<DWORD>(line.size()) + 1;
    }
    return keys;
}

std::wstring UserConfigPath()
{
    wchar_t appData[MAX_PATH] = L"";
    ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    return std::wstring(appData) + L"\\Quillboard\\Quillboard.ini";
}

bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs, DWORD stepMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (pred())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return pred();
        ::Sleep(stepMs);
    }
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t buf[1024] = L"";
    DWORD_PTR n = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 5000, &n);
    return buf;
}

std::wstring ClassName(HWND hWnd)
{
    wchar_t buf[256] = L"";
    ::GetClassNameW(hWnd, buf, 256);
    return buf;
}

bool SendCommand(HWND hWnd, WORD id, WORD code)
{
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutW(hWnd, WM_COMMAND, MAKEWPARAM(id, code), 0, SMTO_ABORTIFHUNG, 10000, &ignored) != 0;
}

std::wstring LongWindowText(HWND hWnd)
{
    DWORD_PTR length = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    ::SendMessageTimeoutW(hWnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG, 5000,
                          &got);
    text.resize(got);
    return text;
}

std::vector<HWND> NoteWindows(const QuillProcess& p)
{
    std::vector<HWND> notes;
    for (HWND w : p.Windows()) {
        HWND text = ::GetDlgItem(w, IDC_NOTE_TEXT);
        if (text && ClassName(text) == L"RichEdit20W")
            notes.push_back(w);
    }
    return notes;
}

void WaitForStartupSaves(const std::wstring& ini)
{
    for (int n = 0; n < 40; ++n) {
        wchar_t section[32];
        swprintf(section, 32, L"%03d_Notice_set", n);
        if (IniRead(ini, section, L"m_cx") != L"<missing>")
            WaitUntil([&] { return IniRead(ini, section, L"m_note_str_info") != L"<missing>"; });
    }
}

HWND FindMessageBox(const QuillProcess& p, const std::wstring& text)
{
    for (HWND w : p.Windows()) {
        if (ClassName(w) != L"#32770" || !::IsWindowVisible(w))
            continue;
        for (HWND child = ::GetWindow(w, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (ClassName(child) == L"Static" && WindowText(child) == text)
                return w;
    }
    return nullptr;
}

InputLock::InputLock() : m_mutex(::CreateMutexW(nullptr, FALSE, L"Quillboard.Tests.PointerAndKeys"))
{
    ::WaitForSingleObject(m_mutex, 120000);
}

InputLock::~InputLock()
{
    ::ReleaseMutex(m_mutex);
    ::CloseHandle(m_mutex);
}

QuillProcess::QuillProcess(std::wstring program) : m_program(std::move(program)) {}

QuillProcess::~QuillProcess()
{
    Kill();
}

bool QuillProcess::Start(const std::wstring& args)
{
    Kill();
    std::wstring cmd = L"\"" + m_program + L"\"";
    if (!args.empty())
        cmd += L" " + args;
    std::vector<wchar_t> buf(cmd.begin(), cmd.end());
    buf.push_back(0);
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    if (!::CreateProcessW(m_program.c_str(), buf.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi)) {
        m_pi = {};
        return false;
    }
    return true;
}

bool QuillProcess::Running() const
{
    return m_pi.hProcess && ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> QuillProcess::Windows() const
{
    std::vector<HWND> out;
    FindContext ctx = {m_pi.dwProcessId, &out};
    ::EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&ctx));
    return out;
}

HWND QuillProcess::WaitForWindow(const std::function<bool(HWND)>& pred, DWORD timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND w : Windows())
                if (pred(w)) {
                    found = w;
                    return true;
                }
            return false;
        },
        timeoutMs, 25);
    return found;
}

HWND QuillProcess::WaitForMainWindow(DWORD timeoutMs) const
{
    return WaitForWindow([](HWND w) { return ::GetDlgItem(w, 2209) != nullptr; }, timeoutMs);
}

void QuillProcess::WaitIdle(DWORD timeoutMs) const
{
    if (m_pi.hProcess)
        ::WaitForInputIdle(m_pi.hProcess, timeoutMs);
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
    if (!m_pi.hProcess)
        return false;
    if (::WaitForSingleObject(m_pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return false;
    DWORD code = 0;
    ::GetExitCodeProcess(m_pi.hProcess, &code);
    if (exitCode)
        *exitCode = code;
    return true;
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
