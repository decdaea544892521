#include "app/Config.h"

#include "app/ConfigRules.h"

#include <shlobj.h>

#include <vector>

namespace {

std::wstring g_configPath;
std::wstring g_configOverride;
bool g_portable = false;

}  // namespace

const std::wstring& GetConfigPath()
{
    return g_configPath;
}

bool IsPortable()
{
    return g_portable;
}

const std::wstring& GetProgramPath()
{
    static const std::wstring path = [] {
        // Grows past MAX_PATH so that a long folder name does not cut the path.
        std::vector<wchar_t> buf(MAX_PATH);
        for (;;) {
            DWORD n = ::GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
            if (n == 0)
                return std::wstring();
            if (n < buf.size())
                return std::wstring(buf.data(), n);
            if (buf.size() >= 32768)
                return std::wstring(buf.data(), n);
            buf.resize(buf.size() * 2);
        }
    }();
    return path;
}

const std::wstring& GetProgramFolder()
{
    static const std::wstring folder = [] {
        const std::wstring& path = GetProgramPath();
        size_t slash = path.find_last_of(L'\\');
        return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
    }();
    return folder;
}

void SetConfigOverride(const std::wstring& path)
{
    g_configOverride = path;
}

const std::wstring& GetConfigOverride()
{
    return g_configOverride;
}

void SetConfigPathForTesting(const std::wstring& path)
{
    g_configPath = path;
}

DWORD ReadProfileString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    // The platform may not take default and result in the same buffer.
    std::wstring fallback(buffer, ::wcsnlen(buffer, size - 1));
    return ::GetPrivateProfileStringW(section, key, fallback.c_str(), buffer, size, g_configPath.c_str());
}

std::wstring ReadProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    std::vector<wchar_t> buf(1024);
    for (;;) {
        DWORD n = ::GetPrivateProfileStringW(section, key, defaultValue, buf.data(), static_cast<DWORD>(buf.size()),
                                             g_configPath.c_str());
        // n == size - 1 means the value may have been cut: try again with more room.
        if (n + 1 < buf.size() || buf.size() >= (1u << 24))
            return std::wstring(buf.data(), n);
        buf.resize(buf.size() * 4);
    }
}

BOOL WriteProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* text)
{
    return ::WritePrivateProfileStringW(section, key, text, g_configPath.c_str());
}

int ReadProfileInt(const wchar_t* section, const wchar_t* key, int defaultValue)
{
    wchar_t buf[1024] = L"";
    ReadProfileString(section, key, buf, 1024);
    if (!buf[0])
        return defaultValue;
    return ParseProfileInt(buf);
}

BOOL WriteProfileInt(const wchar_t* section, const wchar_t* key, int value)
{
    wchar_t text[16];
    ::wsprintfW(text, L"%d", value);
    return WriteProfileString(section, key, text);
}

std::wstring ReadProfileSection(const wchar_t* section)
{
    std::vector<wchar_t> buf(65536);
    DWORD n = 0;
    for (;;) {
        n = ::GetPrivateProfileSectionW(section, buf.data(), static_cast<DWORD>(buf.size()), g_configPath.c_str());
        if (n + 2 < buf.size() || buf.size() >= (1u << 24))
            break;
        buf.resize(buf.size() * 4);
    }
    // The platform separates lines by NUL; callers want "\r\n" after each.
    std::wstring out;
    size_t i = 0;
    while (i < n && buf[i]) {
        size_t len = ::wcsnlen(&buf[i], n - i);
        out.append(&buf[i], len);
        out += L"\r\n";
        i += len + 1;
    }
    return out;
}

BOOL DeleteProfileSection(const wchar_t* section)
{
    return ::WritePrivateProfileSectionW(section, nullptr, g_configPath.c_str());
}

int ReadProgramInt(const wchar_t* key, int defaultValue)
{
    return ReadProfileInt(kProgramSection, key, defaultValue);
}

BOOL WriteProgramInt(const wchar_t* key, int value)
{
    return WriteProfileInt(kProgramSection, key, value);
}

std::wstring ReadProgramString(const wchar_t* key, const wchar_t* defaultValue)
{
    wchar_t buf[1024];
    ::lstrcpynW(buf, defaultValue ? defaultValue : L"", 1024);
    ReadProfileString(kProgramSection, key, buf, 1024);
    return buf;
}

BOOL WriteProgramString(const wchar_t* key, const wchar_t* text)
{
    return WriteProfileString(kProgramSection, key, text);
}

int FileTest(const wchar_t* path)
{
    DWORD attr = ::GetFileAttributesW(path);
    if (attr == INVALID_FILE_ATTRIBUTES) {
        DWORD err = ::GetLastError();
        return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? 0 : -1;
    }
    return attr & FILE_ATTRIBUTE_DIRECTORY ? 2 : 1;
}

void ResolveConfigPath()
{
    std::vector<wchar_t> temp(1024);
    DWORD n = ::GetTempPathW(1024, temp.data());
    const std::wstring tempFolder = NormalizeFolder(n && n < 1024 ? std::wstring(temp.data(), n) : std::wstring());
    const std::wstring programFolder = NormalizeFolder(GetProgramFolder());

    g_configPath = GetProgramFolder() + L"\\" + kProgramName + L".ini";

    g_portable = IsPortableFileName(FileNameOf(GetProgramPath()));
    if (g_portable)
        WriteProgramString(L"TestIni", L"M");

    // A program started from the temporary folder (out of an archive viewer,
    // say) never keeps its settings there.
    bool insideTemp = !tempFolder.empty() && tempFolder != L"\\" && programFolder.compare(0, tempFolder.size(), tempFolder) == 0;
    if (!insideTemp && FileTest(g_configPath.c_str()) == 1) {
        WriteProgramString(L"TestIni", L"eeee");
        wchar_t back[111] = L"";
        ReadProfileString(kProgramSection, L"TestIni", back, 111);
        if (::wcscmp(back, L"eeee") == 0) {
            WriteProgramString(L"TestIni", L"eeee");
            return;
        }
    }

    wchar_t appData[MAX_PATH] = L"";
    ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
    std::wstring folder = std::wstring(appData) + L"\\" + kProgramName;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    g_configPath = folder + L"\\" + kProgramName + L".ini";

    if (g_configOverride.size() > 3)
        g_configPath = g_configOverride;

    WriteProgramString(L"TestIni", L"eeee");
}
