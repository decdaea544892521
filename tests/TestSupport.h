// Helpers every test uses the same way: a deadline wait that pumps messages, a configuration file of the
// test's own, and the lock that tests moving the pointer or pressing keys take.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

namespace test {

// Dispatches this thread's messages until pred holds or timeoutMs pass; returns pred().
inline bool PumpUntil(const std::function<bool()>& pred, DWORD timeoutMs = 5000)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (pred())
            return true;
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline)
            return pred();
        // The next message, or a short step for conditions no message announces.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, DWORD(std::min<ULONGLONG>(deadline - now, 10)), QS_ALLINPUT);
    }
}

// A configuration file path in the temporary folder; it and the files a write leaves beside it go with the object.
class TempIniFile {
public:
    TempIniFile()
    {
        wchar_t folder[MAX_PATH] = L"", file[MAX_PATH] = L"";
        ::GetTempPathW(MAX_PATH, folder);
        ::GetTempFileNameW(folder, L"qbi", 0, file);
        m_path = file;
    }
    ~TempIniFile()
    {
        for (const wchar_t* suffix : {L"", L".tmp", L".new", L".loading", L".twin"})
            ::DeleteFileW((m_path + suffix).c_str());
    }
    TempIniFile(const TempIniFile&) = delete;
    TempIniFile& operator=(const TempIniFile&) = delete;
    const std::wstring& Path() const { return m_path; }

private:
    std::wstring m_path;
};

// One test at a time, across all test processes, moves the pointer, presses keys or needs the foreground.
class InputLock {
public:
    InputLock()
        : m_mutex(::CreateMutexW(nullptr, FALSE, L"Quillboard.Tests.PointerAndKeys")),
          m_wait(m_mutex ? ::WaitForSingleObject(m_mutex, 120000) : WAIT_FAILED)
    {
    }
    ~InputLock()
    {
        if (Held())
            ::ReleaseMutex(m_mutex);
        if (m_mutex)
            ::CloseHandle(m_mutex);
    }
    InputLock(const InputLock&) = delete;
    InputLock& operator=(const InputLock&) = delete;
    bool Held() const { return m_wait == WAIT_OBJECT_0 || m_wait == WAIT_ABANDONED; }

private:
    HANDLE m_mutex;
    DWORD m_wait;
};

}  // namespace test
