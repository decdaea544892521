#include "app/Config.h"

#include "app/ConfigRules.h"
#include "app/IniFile.h"
#include "lang/LanguageTable.h"
#include "ui/ScopedHandles.h"
#include "ui/TextConv.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace {

std::wstring g_configPath;
std::wstring g_configOverride;
bool g_portable = false;
// Write failures are told once, and only for the file the program settled on.
bool g_reportFailures = false;
bool g_failureReported = false;

std::wstring AnsiToWide(const char* bytes, size_t size)
{
    return MultiByteToText(CP_ACP, bytes, size);
}

std::wstring Utf8ToWide(const char* bytes, size_t size)
{
    return MultiByteToText(CP_UTF8, bytes, size);
}

bool WideToAnsi(const std::wstring& text, std::string* out)
{
    bool lossless = true;
    *out = TextToMultiByte(CP_ACP, text, &lossless);
    return lossless;
}

std::string WideToUtf8(const std::wstring& text)
{
    return TextToMultiByte(CP_UTF8, text);
}

const ini::Codec& PlatformCodec()
{
    static const ini::Codec codec = {&AnsiToWide, &WideToAnsi, &Utf8ToWide, &WideToUtf8};
    return codec;
}

// The whole file; a missing file is empty. Opened for writing too, as the
// profile functions do, so that a file nobody may write fails here already.
bool ReadFileBytes(const std::wstring& path, std::string* bytes, DWORD* error, bool forWriting = true)
{
    bytes->clear();
    ScopedHandle file(::CreateFileW(path.c_str(), GENERIC_READ | (forWriting ? GENERIC_WRITE : 0),
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        *error = ::GetLastError();
        return *error == ERROR_FILE_NOT_FOUND;
    }
    LARGE_INTEGER size = {};
    bool ok = ::GetFileSizeEx(file.Get(), &size) && size.QuadPart < (1LL << 30);
    if (ok) {
        bytes->resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < bytes->size()) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes->size() - done, 1 << 24));
            ok = ::ReadFile(file.Get(), &(*bytes)[done], want, &got, nullptr) && got > 0;
            done += got;
        }
    }
    *error = ok ? 0 : ::GetLastError();
    return ok;
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes, DWORD* error)
{
    ScopedHandle file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        *error = ::GetLastError();
        return false;
    }
    bool ok = true;
    for (size_t done = 0; ok && done < bytes.size();) {
        DWORD wrote = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 24));
        ok = ::WriteFile(file.Get(), bytes.data() + done, want, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    ok = ok && ::FlushFileBuffers(file.Get());
    *error = ok ? 0 : ::GetLastError();
    return ok;
}

// A reader without delete sharing (a virus scanner, an indexer) can hold the file for a moment.
bool MoveOver(const std::wstring& from, const std::wstring& to, DWORD* error)
{
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        *error = ::GetLastError();
        if (attempt >= 10 || (*error != ERROR_SHARING_VIOLATION && *error != ERROR_ACCESS_DENIED))
            return false;
        ::Sleep(10);
    }
}

void ReportWriteFailure(DWORD error)
{
    if (!g_reportFailures || g_failureReported)
        return;
    g_failureReported = true;
    const wchar_t* intro = GetLangString(251);
    std::wstring text = std::wstring(intro ? intro : L"") + L"\r\n" + g_configPath + L"\r\n\r\n";
    wchar_t* reason = nullptr;
    if (::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&reason), 0, nullptr) &&
        reason) {
        text += reason;
        ::LocalFree(reason);
    } else {
        text += L"Error " + std::to_wstring(error);
    }
    const wchar_t* caption = GetLangString(222);
    ::MessageBoxW(::GetActiveWindow(), text.c_str(), caption ? caption : L"File access error",
                  MB_OK | MB_ICONWARNING | MB_SETFOREGROUND);
}

// The file as last read or written, known by its size and time: reads need no file access
// while nobody else changed it.
struct FileState {
    bool exists = false;
    ULONGLONG size = 0;
    FILETIME time = {};
    bool operator==(const FileState& o) const
    {
        return exists == o.exists && size == o.size && ::CompareFileTime(&time, &o.time) == 0;
    }
};

struct Cache {
    bool valid = false;
    std::wstring path;
    FileState state;
    ini::Document doc;
} g_cache;

FileState StateOf(const std::wstring& path)
{
    FileState state;
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
        !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        state.exists = true;
        state.size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        state.time = data.ftLastWriteTime;
    }
    return state;
}

void Remember(const std::string& bytes, const FileState& state)
{
    ini::Encoding encoding;
    g_cache.doc = ini::Document::Parse(ini::Decode(bytes, &encoding, PlatformCodec()));
    g_cache.path = g_configPath;
    g_cache.state = state;
    g_cache.valid = true;
}

const ini::Document& CurrentDocument()
{
    const FileState state = StateOf(g_configPath);
    if (g_cache.valid && g_cache.path == g_configPath && g_cache.state == state)
        return g_cache.doc;
    std::string bytes;
    DWORD error = 0;
    if (!state.exists || !ReadFileBytes(g_configPath, &bytes, &error, false))
        bytes.clear();
    Remember(bytes, state);
    return g_cache.doc;
}

// The complete new file is written beside the old one and flushed, then renamed to "<file>.new"
// (so that a file of that name is always complete) and moved over the old one. A kill at any
// moment leaves the old file or the new one whole.
BOOL CommitChanges(const std::vector<ini::Change>& changes)
{
    // Values the file holds already are not written, as with the profile functions. The parsed copy
    // answers that without reading and parsing the whole file again: every note saves once at start-up.
    const ini::Document& current = CurrentDocument();
    const bool held = !changes.empty() && std::all_of(changes.begin(), changes.end(), [&](const ini::Change& c) {
        return c.kind == ini::Change::SetValue && current.Holds(c.section, c.key, c.value);
    });
    if (held)
        return TRUE;
    std::string before, after;
    DWORD error = 0;
    if (!ReadFileBytes(g_configPath, &before, &error)) {
        ReportWriteFailure(error);
        return FALSE;
    }
    if (!ini::Rewrite(before, changes, PlatformCodec(), &after))
        return TRUE;  // nothing to change: the file is left alone, as the profile functions do
    const std::wstring writing = PendingConfigPath(g_configPath, false),
                       complete = PendingConfigPath(g_configPath, true);
    g_cache.valid = false;
    if (!WriteWholeFile(writing, after, &error) || !MoveOver(writing, complete, &error) ||
        !MoveOver(complete, g_configPath, &error)) {
        ::DeleteFileW(writing.c_str());
        ReportWriteFailure(error);
        return FALSE;
    }
    Remember(after, StateOf(g_configPath));
    return TRUE;
}

}  // namespace

std::wstring PendingConfigPath(const std::wstring& path, bool complete)
{
    const std::wstring pending = path + (complete ? L".new" : L".tmp");
    if (pending.size() < MAX_PATH)
        return pending;
    // A file name just under the limit: its neighbours need the long form of the path.
    std::vector<wchar_t> full(32768);
    const DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n == 0 || n >= full.size() || (full[0] == L'\\' && full[1] == L'\\'))
        return pending;
    return L"\\\\?\\" + std::wstring(full.data(), n) + (complete ? L".new" : L".tmp");
}

void RecoverConfigFile(const std::wstring& path)
{
    ::DeleteFileW(PendingConfigPath(path, false).c_str());
    // Renamed only once complete, and only ever newer than the file itself.
    const std::wstring complete = PendingConfigPath(path, true);
    if (FileTest(complete.c_str()) == 1)
        ::MoveFileExW(complete.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

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
    static const std::wstring folder = FolderOf(GetProgramPath());
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

namespace {

// What a read of the key gives in a buffer of size characters; the default as the profile
// functions take it (trailing blanks dropped) when the key or its value is missing.
std::wstring ReadRaw(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue, size_t size)
{
    const ini::Key* found = section && key && *key ? CurrentDocument().Find(section, key) : nullptr;
    if (found && found->hasValue)
        return ini::ReadValue(found->value, size);
    std::wstring fallback = defaultValue ? defaultValue : L"";
    while (fallback.size() > 1 && fallback.back() == L' ')
        fallback.pop_back();
    return ini::ReadValue(fallback, size);
}

}  // namespace

DWORD ReadProfileString(const wchar_t* section, const wchar_t* key, wchar_t* buffer, DWORD size)
{
    if (!buffer || size == 0)
        return 0;
    const std::wstring fallback(buffer, ::wcsnlen(buffer, size - 1));
    const std::wstring value = ReadRaw(section, key, fallback.c_str(), size);
    std::copy(value.begin(), value.end(), buffer);
    buffer[value.size()] = 0;
    return static_cast<DWORD>(value.size());
}

std::wstring ReadProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* defaultValue)
{
    return ReadRaw(section, key, defaultValue, static_cast<size_t>(-1));
}

BOOL WriteProfileString(const wchar_t* section, const wchar_t* key, const wchar_t* text)
{
    if (!section || !key)
        return section ? DeleteProfileSection(section) : FALSE;
    ini::Change change;
    change.kind = text ? ini::Change::SetValue : ini::Change::RemoveKey;
    change.section = section;
    change.key = key;
    change.value = text ? text : L"";
    return CommitChanges({change});
}

BOOL WriteProfileKeys(const wchar_t* section, const std::vector<ProfileKey>& keys)
{
    std::vector<ini::Change> changes(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        changes[i].section = section;
        changes[i].key = keys[i].key;
        changes[i].value = keys[i].value;
    }
    return CommitChanges(changes);
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
    return section ? CurrentDocument().SectionText(section) : std::wstring();
}

BOOL DeleteProfileSection(const wchar_t* section)
{
    ini::Change change;
    change.kind = ini::Change::RemoveSection;
    change.section = section;
    return CommitChanges({change});
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

namespace {

// An "-ini" value that cannot serve as the file is told about and the per-user file is
// used instead; a missing folder for it is created. Returns the path to use.
std::wstring UsableOverride(const std::wstring& path, const std::wstring& fallback)
{
    DWORD problem = 0;
    // Other programs and the platform's own profile functions take no longer path.
    if (path.size() >= MAX_PATH)
        problem = ERROR_FILENAME_EXCED_RANGE;
    else if (FileTest(path.c_str()) == 2)
        problem = ERROR_DIRECTORY;
    if (problem) {
        const std::wstring saved = g_configPath;
        g_configPath = path;
        g_reportFailures = true;
        ReportWriteFailure(problem);
        g_failureReported = false;
        g_configPath = saved;
        return fallback;
    }
    std::vector<wchar_t> full(MAX_PATH);
    wchar_t* name = nullptr;
    const DWORD n = ::GetFullPathNameW(path.c_str(), MAX_PATH, full.data(), &name);
    if (n > 0 && n < MAX_PATH && name && name > full.data()) {
        const std::wstring folder(full.data(), name - full.data() - 1);
        if (FileTest(folder.c_str()) == 0)
            ::SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    }
    return path;
}

}  // namespace

void ResolveConfigPath()
{
    std::vector<wchar_t> temp(1024);
    DWORD n = ::GetTempPathW(1024, temp.data());
    const std::wstring tempFolder = NormalizeFolder(n && n < 1024 ? std::wstring(temp.data(), n) : std::wstring());
    const std::wstring programFolder = NormalizeFolder(GetProgramFolder());

    g_configPath = GetProgramFolder() + L"\\" + kProgramName + L".ini";
    RecoverConfigFile(g_configPath);

    g_portable = IsPortableFileName(FileNameOf(GetProgramPath()));
    if (g_portable)
        WriteProgramString(L"TestIni", L"M");

    // A program started from the temporary folder (out of an archive viewer,
    // say) never keeps its settings there.
    bool insideTemp =
        !tempFolder.empty() && tempFolder != L"\\" && programFolder.compare(0, tempFolder.size(), tempFolder) == 0;
    bool beside = false;
    if (!insideTemp && FileTest(g_configPath.c_str()) == 1) {
        WriteProgramString(L"TestIni", L"eeee");
        wchar_t back[111] = L"";
        ReadProfileString(kProgramSection, L"TestIni", back, 111);
        beside = ::wcscmp(back, L"eeee") == 0;
    }

    if (!beside) {
        wchar_t appData[MAX_PATH] = L"";
        ::SHGetSpecialFolderPathW(nullptr, appData, CSIDL_APPDATA, FALSE);
        std::wstring folder = std::wstring(appData) + L"\\" + kProgramName;
        ::CreateDirectoryW(folder.c_str(), nullptr);
        g_configPath = folder + L"\\" + kProgramName + L".ini";

        if (g_configOverride.size() > 3)
            g_configPath = UsableOverride(g_configOverride, g_configPath);
        RecoverConfigFile(g_configPath);
    }

    g_reportFailures = true;
    WriteProgramString(L"TestIni", L"eeee");
}
