// Helpers every test uses the same way: waiting with a deadline while the
// thread's windows get their messages, a configuration file of the test's own,
// and the lock that tests moving the pointer or pressing keys take.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>

namespace test {

// Dispatches this thread's messages until pred holds or timeoutMs pass; returns pred().
// Waits for messages, not for a fixed time.
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
        // Wakes for the next message, or after a short step for conditions no message announces.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                                    QS_ALLINPUT);
    }
}

// A path for a configuration file in the temporary folder; the file and the files a
// write or a load leaves beside it go when the object does.
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

// Held while a test moves the pointer, presses keys or needs the foreground: one such test
// at a time across all test processes.
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
