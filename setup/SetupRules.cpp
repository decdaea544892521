#include "setup/SetupRules.h"

#include "app/ConfigRules.h"

#include <cstdio>

namespace {

std::wstring Quoted(const std::wstring& s)
{
    return L"\"" + s + L"\"";
}

}  // namespace

UninstallEntry MakeUninstallEntry(const std::wstring& exePath,
                                  const std::wstring& target,
                                  uint64_t fileBytes,
                                  int year,
                                  int month,
                                  int day)
{
    UninstallEntry e;
    e.displayName = L"Quillboard";
    e.displayVersion = kDisplayVersion;
    e.publisher = kPublisher;
    e.displayIcon = exePath + L",0";
    e.installLocation = TrimFolder(target);
    // Both parts quoted: the folder may hold blanks and must stay one switch value.
    e.uninstallString = Quoted(exePath) + L" -?uninstall " + Quoted(L"-?UNPATH:" + e.installLocation);
    e.quietUninstallString = e.uninstallString + L" -?silent";
    const uint64_t kb = (fileBytes + 1023) / 1024;
    e.estimatedSizeKb = kb > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(kb);
    wchar_t date[16];
    std::swprintf(date, 16, L"%04d%02d%02d", year, month, day);
    e.installDate = date;
    return e;
}

std::wstring SelfRemovalBatch(const std::wstring& exePath, const std::wstring& folder, const std::wstring& batchPath)
{
    const std::wstring exe = Quoted(exePath);
    std::wstring b;
    b += L"@echo off\r\n";
    b += L"set n=0\r\n";
    b += L":retry\r\n";
    // Deleting fails while the uninstaller still runs from this file.
    b += L"del /f /q " + exe + L" >nul 2>&1\r\n";
    b += L"if not exist " + exe + L" goto removed\r\n";
    b += L"set /a n+=1\r\n";
    b += L"if %n% geq 120 goto finish\r\n";
    // About one second, also where the loopback does not answer.
    b += L"ping -n 2 -w 500 127.0.0.1 >nul 2>&1\r\n";
    b += L"goto retry\r\n";
    b += L":removed\r\n";
    // rmdir without /s removes the folder only when it is empty.
    b += L"rmdir " + Quoted(TrimFolder(folder)) + L" >nul 2>&1\r\n";
    b += L":finish\r\n";
    b += L"del /f /q " + Quoted(batchPath) + L" >nul 2>&1\r\n";
    return b;
}

void SplitCommand(const std::wstring& command, std::wstring* program, std::wstring* parameters)
{
    size_t i = 0;
    while (i < command.size() && command[i] == L' ')
        ++i;
    size_t end;
    if (i < command.size() && command[i] == L'"') {
        size_t close = command.find(L'"', i + 1);
        if (close == std::wstring::npos)
            close = command.size();
        *program = command.substr(i + 1, close - i - 1);
        end = close < command.size() ? close + 1 : close;
    } else {
        end = command.find(L' ', i);
        if (end == std::wstring::npos)
            end = command.size();
        *program = command.substr(i, end - i);
    }
    while (end < command.size() && command[end] == L' ')
        ++end;
    *parameters = command.substr(end);
}

std::wstring TrimFolder(const std::wstring& folder)
{
    std::wstring f = folder;
    while (f.size() > 1 && f.back() == L'\\' && !(f.size() == 3 && f[1] == L':'))
        f.pop_back();
    return f;
}

bool SameFolder(const std::wstring& a, const std::wstring& b)
{
    return !a.empty() && !b.empty() && NormalizeFolder(a) == NormalizeFolder(b);
}

bool PathInside(const std::wstring& path, const std::wstring& folder)
{
    if (path.empty() || folder.empty())
        return false;
    const std::wstring f = NormalizeFolder(folder);
    const std::wstring p = NormalizeFolder(path);
    return p.size() > f.size() && p.compare(0, f.size(), f) == 0;
}

int InstallerLanguage(const std::optional<int>& langId, int current)
{
    if (!langId)
        return current;
    if (*langId == 0 || *langId == 1)
        return *langId;
    return (*langId & 0x3FF) == 0x07 ? 0 : 1;
}
