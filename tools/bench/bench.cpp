// Quillboard's benchmark (run by tools/dev.sh bench under Wine; never a test).
// Starts the real program beside a floor program (a bare dialog built with the
// same toolchain), alternating them for a number of rounds, and measures start
// to every window visible, one note's save, idle CPU, working set, program file
// size and the language table's decode time. Prints the medians and writes them
// as a Markdown table.
//
//   qb_bench <Quillboard.exe> <floor.exe> <rounds> <out.md> <machine> <wine version> <load average>
#include <windows.h>
#include <psapi.h>

#include "lang/LanguageTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kTextArea = 1007;
constexpr int kCommandBarLine = 2209;
constexpr int kNotes = 40;
constexpr DWORD kStartTimeoutMs = 600000;

double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart * 1000.0 / frequency.QuadPart;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

std::string Utf8(const std::wstring& text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring Wide(const char* text)
{
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
    std::wstring out(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1)
        ::MultiByteToWideChar(CP_UTF8, 0, text, -1, &out[0], n);
    return out;
}

// ---- Configurations ----------------------------------------------------------------------------------------------

const char* const kWords[] = {"meeting", "call",  "Anna",   "about", "the", "budget",  "before",   "Friday", "and",
                              "order",   "paper", "ribbon", "for",   "new", "printer", "remember", "keys",   "lunch"};

// A paragraph of plain words, some bold or italic.
std::string Paragraph(unsigned& seed, size_t length)
{
    std::string text;
    while (text.size() < length) {
        seed = seed * 1103515245u + 12345u;
        const char* word = kWords[(seed >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
        if ((seed >> 8) % 23 == 0)
            text += std::string("\\b ") + word + "\\b0 ";
        else if ((seed >> 8) % 29 == 0)
            text += std::string("\\i ") + word + "\\i0 ";
        else
            text += std::string(word) + " ";
    }
    return text;
}

// A note's content as the control writes it, CR LF already as TAB VT.
std::string NoteRtf(unsigned seed, size_t bytes, unsigned color)
{
    char head[400];
    std::snprintf(head, sizeof head,
                  "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1033\\deflangfe1033{\\fonttbl{\\f0\\fcharset238 "
                  "Segoe Print;}}\t\v{\\colortbl;\\red%u\\green%u\\blue%u;}\t\v{\\*\\generator Wine Riched20 2.0;}\t\v"
                  "\\pard\\sl-240\\slmult1 \\cf1\\lang1033\\fs25\\f0 ",
                  color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
    std::string rtf = head;
    while (rtf.size() + 200 < bytes)
        rtf += Paragraph(seed, 500 + seed % 700) + "\\par\t\v";
    return rtf + "\\par\t\v}";
}

struct Note {
    int x, y, cx, cy;
    unsigned background, text;
    int transparency;
    std::string content;
};

// The file as the program writes it: ANSI, sixteen keys per note in the save's order.
void WriteConfig(const std::wstring& path, const std::vector<Note>& notes)
{
    std::string file = "[Program]\r\nTestIni=eeee\r\nlng=1\r\n[Quillboard]\r\nm_default_note_theme=1\r\n";
    char line[512];
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& n = notes[i];
        std::snprintf(line, sizeof line,
                      "[%03u_Notice_set]\r\nm_pos_y=%d\r\nm_pos_x=%d\r\nm_cy=%d\r\nm_cx=%d\r\nm_clrBkgnd=%u\r\n"
                      "m_by_hidden=0\r\nm_color=%u\r\nm_transparency=%d\r\nm_ontop=0\r\nm_closed=0\r\nb_italic=0\r\n"
                      "b_bold=400\r\nm_font_h=-21\r\nm_font_str=Segoe Print\r\nm_note_str=",
                      static_cast<unsigned>(i), n.y, n.x, n.cy, n.cx, n.background, n.text, n.transparency);
        file += line + n.content + "\r\nm_note_str_info=\\t\\v is \\r\\n max len 8K\r\n";
    }
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(f, file.data(), static_cast<DWORD>(file.size()), &written, nullptr);
    ::CloseHandle(f);
}

std::vector<Note> FortyNotes()
{
    std::vector<Note> notes;
    for (int i = 0; i < kNotes; ++i) {
        const bool dark = i % 3 == 0;
        const unsigned background = dark ? 0x202020u + 0x0A0503u * (i % 5) : 0xC0F0FFu - 0x050A00u * (i % 7);
        const unsigned text = dark ? 0xF0F0F0u : 0x2C2C2Cu + 0x000010u * (i % 4);
        notes.push_back({40 + (i % 8) * 150, 40 + (i / 8) * 180, 260, 220, background, text, (i % 6) * 10,
                         NoteRtf(1000u + i, 8192, text)});
    }
    return notes;
}

// ---- Processes ---------------------------------------------------------------------------------------------------

struct WindowCount {
    DWORD pid;
    int visibleNotes = 0;
    bool mainVisible = false;
    bool anyVisible = false;
    HWND firstNote = nullptr;
};

BOOL CALLBACK CountWindow(HWND w, LPARAM lParam)
{
    auto* count = reinterpret_cast<WindowCount*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid != count->pid || !::IsWindowVisible(w))
        return TRUE;
    count->anyVisible = true;
    if (::GetDlgItem(w, kCommandBarLine))
        count->mainVisible = true;
    if (::GetDlgItem(w, kTextArea)) {
        ++count->visibleNotes;
        if (!count->firstNote)
            count->firstNote = w;
    }
    return TRUE;
}

WindowCount CountWindows(DWORD pid)
{
    WindowCount count;
    count.pid = pid;
    ::EnumWindows(&CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

class Process {
public:
    ~Process() { Stop(); }

    // Starts the program and waits until done() holds for its windows; the time it took, or -1.
    double Start(const std::wstring& program,
                 const std::wstring& args,
                 const std::function<bool(const WindowCount&)>& done)
    {
        std::wstring cmd = L"\"" + program + L"\" " + args;
        STARTUPINFOW si = {};
        si.cb = sizeof(si);
        const double t0 = NowMs();
        if (!::CreateProcessW(program.c_str(), &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
            return -1;
        for (;;) {
            if (done(CountWindows(m_pi.dwProcessId)))
                return NowMs() - t0;
            if (NowMs() - t0 > kStartTimeoutMs || ::WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0)
                return -1;
            ::Sleep(5);
        }
    }

    void Stop()
    {
        if (!m_pi.hProcess)
            return;
        ::TerminateProcess(m_pi.hProcess, 1);
        ::WaitForSingleObject(m_pi.hProcess, 10000);
        ::CloseHandle(m_pi.hThread);
        ::CloseHandle(m_pi.hProcess);
        m_pi = {};
    }

    HANDLE Handle() const { return m_pi.hProcess; }
    DWORD Pid() const { return m_pi.dwProcessId; }

    double WorkingSetMb() const
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof(counters);
        if (!::GetProcessMemoryInfo(m_pi.hProcess, &counters, sizeof(counters)))
            return -1;
        return counters.WorkingSetSize / (1024.0 * 1024.0);
    }

    // CPU time of the process so far, in milliseconds.
    double CpuMs() const
    {
        FILETIME created, exited, kernel, user;
        if (!::GetProcessTimes(m_pi.hProcess, &created, &exited, &kernel, &user))
            return -1;
        auto ms = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0; };
        return ms(kernel) + ms(user);
    }

private:
    PROCESS_INFORMATION m_pi = {};
};

// A file of /proc for the Wine process behind the program, found by the configuration path on its
// command line; empty when there is none.
std::string ProcFile(const std::wstring& iniName, const wchar_t* name, const char* program = "Quillboard")
{
    auto read = [](const std::wstring& path) {
        std::string text;
        HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 0, nullptr);
        if (f == INVALID_HANDLE_VALUE)
            return text;
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got)
            text.append(buffer, got);
        ::CloseHandle(f);
        return text;
    };
    static std::wstring lastIni, lastDir;
    if (iniName != lastIni || read(lastDir + L"\\cmdline").find(Utf8(iniName)) == std::string::npos) {
        lastIni = iniName;
        lastDir.clear();
        WIN32_FIND_DATAW found;
        HANDLE find = ::FindFirstFileW(L"Z:\\proc\\*", &found);
        if (find == INVALID_HANDLE_VALUE)
            return std::string();
        do {
            if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9')
                continue;
            const std::wstring dir = std::wstring(L"Z:\\proc\\") + found.cFileName;
            const std::string cmdline = read(dir + L"\\cmdline");
            // The benchmark's own command line names the programs it starts.
            if (cmdline.find(program) != std::string::npos && cmdline.find(Utf8(iniName)) != std::string::npos &&
                cmdline.find("qb_bench") == std::string::npos) {
                lastDir = dir;
                break;
            }
        } while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    return lastDir.empty() ? std::string() : read(lastDir + L"\\" + name);
}

// Bytes the process has had written to files so far (the kernel's count), or -1.
long long WrittenBytes(const std::wstring& iniName)
{
    const std::string io = ProcFile(iniName, L"io");
    const size_t at = io.find("write_bytes:");
    return at == std::string::npos ? -1 : std::atoll(io.c_str() + at + 12);
}

// CPU time of the process so far in milliseconds, all its threads, from the kernel's count; or -1.
double ProcCpuMs(const std::wstring& iniName, const char* program = "Quillboard")
{
    const std::string stat = ProcFile(iniName, L"stat", program);
    const size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return -1;
    // After the name: state, then fields 4 to 13, then utime and stime in clock ticks.
    const char* at = stat.c_str() + close + 2;
    unsigned long long fields[13] = {};
    for (int i = 0; i < 13 && *at; ++i) {
        while (*at == ' ')
            ++at;
        fields[i] = std::strtoull(at, const_cast<char**>(&at), 10);
        if (i == 0)
            while (*at && *at != ' ')
                ++at;
    }
    return (fields[11] + fields[12]) * 10.0;
}

long long FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void Pump(DWORD ms)
{
    ::Sleep(ms);
}

// ---- The run -----------------------------------------------------------------------------------------------------

std::wstring Name(const std::wstring& path)
{
    return path.substr(path.find_last_of(L'\\') + 1);
}

struct Figures {
    std::vector<double> profileSame, profileChanged;
    std::vector<double> startCpu40, settle40, startCpuLong, startCpuEmpty, startCpuFloor;
    std::vector<double> floorStart, floorWs;
    std::vector<double> start40, ws40, idle40, save40, saveBytes40;
    std::vector<double> startLong, startEmpty, wsEmpty;
    long long iniBytes = 0;
    std::vector<double> langDecode;
};

std::wstring Folder()
{
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"qbbench_" + std::to_wstring(::GetCurrentProcessId());
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

std::wstring Copy(const std::wstring& master, const std::wstring& folder, const std::wstring& name)
{
    const std::wstring path = folder + L"\\" + name;
    ::CopyFileW(master.c_str(), path.c_str(), FALSE);
    return path;
}

// One start with the configuration, so that every note has been saved once in the control's own form.
void WarmUp(const std::wstring& quill, const std::wstring& ini, int notes)
{
    Process p;
    p.Start(quill, L"-ini:" + ini, [&](const WindowCount& c) { return c.mainVisible && c.visibleNotes >= notes; });
    Pump(3000);
}

void MeasureForty(const std::wstring& quill, const std::wstring& ini, Figures& f, int round)
{
    Process p;
    const double start =
        p.Start(quill, L"-ini:" + ini, [](const WindowCount& c) { return c.mainVisible && c.visibleNotes >= kNotes; });
    f.start40.push_back(start);
    if (start < 0)
        return;
    f.startCpu40.push_back(ProcCpuMs(Name(ini)));
    // Each note saves itself once after start-up (its size timer); idle begins when that is over.
    for (int i = 0; i < 60; ++i) {
        const double before = ProcCpuMs(Name(ini));
        Pump(1000);
        if (ProcCpuMs(Name(ini)) - before < 20)
            break;
    }
    f.settle40.push_back(ProcCpuMs(Name(ini)));
    f.ws40.push_back(p.WorkingSetMb());
    // The kernel's count covers every thread of the process; Wine may not report another process's times.
    const std::wstring name = Name(ini);
    const bool fromKernel = ProcCpuMs(name) >= 0;
    auto cpu = [&] { return fromKernel ? ProcCpuMs(name) : p.CpuMs(); };
    const double cpu0 = cpu(), t0 = NowMs();
    Pump(10000);
    f.idle40.push_back((cpu() - cpu0) / (NowMs() - t0) * 100.0);

    // One note's save: a character typed, then the save the close request makes at once.
    HWND note = CountWindows(p.Pid()).firstNote;
    HWND text = ::GetDlgItem(note, kTextArea);
    for (int i = 0; i < 5; ++i) {
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutW(text, WM_CHAR, L'a' + (round * 5 + i) % 26, 1, SMTO_ABORTIFHUNG, 5000, &ignored);
        const long long before = WrittenBytes(name);
        const double t = NowMs();
        ::SendMessageTimeoutW(note, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 60000, &ignored);
        f.save40.push_back(NowMs() - t);
        const long long after = WrittenBytes(name);
        if (before >= 0 && after >= 0)
            f.saveBytes40.push_back(static_cast<double>(after - before));
        Pump(600);  // the text timer's own save, which finds nothing changed
    }
    f.iniBytes = FileSize(ini);
}

// The profile functions alone, in this process, on a copy of the 40-note file: the sixteen writes of a
// save whose values are all unchanged, and one write whose value changed (the whole file is rewritten).
void MeasureProfileWrites(const std::wstring& ini, Figures& f)
{
    const wchar_t* keys[] = {L"m_pos_y",    L"m_pos_x",     L"m_cy",       L"m_cx",
                             L"m_clrBkgnd", L"m_by_hidden", L"m_color",    L"m_transparency",
                             L"m_ontop",    L"m_closed",    L"b_italic",   L"b_bold",
                             L"m_font_h",   L"m_font_str",  L"m_note_str", L"m_note_str_info"};
    std::vector<wchar_t> value(65536);
    for (int round = 0; round < 5; ++round) {
        double t = NowMs();
        for (const wchar_t* key : keys) {
            ::GetPrivateProfileStringW(L"005_Notice_set", key, L"", value.data(), 65536, ini.c_str());
            ::WritePrivateProfileStringW(L"005_Notice_set", key, value.data(), ini.c_str());
        }
        f.profileSame.push_back(NowMs() - t);
        ::GetPrivateProfileStringW(L"005_Notice_set", L"m_note_str", L"", value.data(), 65536, ini.c_str());
        value[100] = value[100] == L'a' ? L'b' : L'a';
        t = NowMs();
        ::WritePrivateProfileStringW(L"005_Notice_set", L"m_note_str", value.data(), ini.c_str());
        f.profileChanged.push_back(NowMs() - t);
    }
}

void MeasureLanguageTable(Figures& f)
{
    for (int i = 0; i < 21; ++i) {
        const double t = NowMs();
        LoadLanguageTable();
        f.langDecode.push_back(NowMs() - t);
    }
}

std::string Format(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Report(const Figures& f,
                   int rounds,
                   const std::wstring& quill,
                   const std::wstring& floor,
                   const std::string& machine,
                   const std::string& wine,
                   const std::string& load)
{
    const double floorStart = Median(f.floorStart), floorWs = Median(f.floorWs);
    const double start40 = Median(f.start40), startLong = Median(f.startLong), save = Median(f.save40);
    const double idle = Median(f.idle40), ws40 = Median(f.ws40);
    const double exe = FileSize(quill) / (1024.0 * 1024.0), floorExe = FileSize(floor) / (1024.0 * 1024.0);
    const double startBudget = 1.5 * floorStart + kNotes * 25.0;
    auto verdict = [](bool met) { return met ? std::string("met") : std::string("**not met**"); };
    std::string s;
    s += "| Figure | Quillboard | Floor | Ratio | Budget | |\n|---|---|---|---|---|---|\n";
    s += "| Start, 40 notes of 8 KB (ms) | " + Format("%.0f", start40) + " | " + Format("%.0f", floorStart) + " | " +
         Format("%.1f", start40 / floorStart) + " | " + Format("%.0f", startBudget) + " | " +
         verdict(start40 >= 0 && start40 <= startBudget) + " |\n";
    s += "| Start, long dark note (ms) | " + Format("%.0f", startLong) + " | " + Format("%.0f", floorStart) + " | " +
         Format("%.1f", startLong / floorStart) + " | 2000 | " + verdict(startLong >= 0 && startLong < 2000) + " |\n";
    s += "| Start, empty configuration (ms) | " + Format("%.0f", Median(f.startEmpty)) + " | " +
         Format("%.0f", floorStart) + " | " + Format("%.1f", Median(f.startEmpty) / floorStart) + " | | |\n";
    s += "| CPU time to the end of start: 40 notes / long note / empty / floor (ms) | " +
         Format("%.0f", Median(f.startCpu40)) + " / " + Format("%.0f", Median(f.startCpuLong)) + " / " +
         Format("%.0f", Median(f.startCpuEmpty)) + " | " + Format("%.0f", Median(f.startCpuFloor)) +
         " | | | the process's own CPU, whatever the load |\n";
    s += "| CPU time, 40 notes, once their start-up saves are over (ms) | " + Format("%.0f", Median(f.settle40)) +
         " | | | | |\n";
    s += "| One save, 40 notes in the file (ms) | " + Format("%.1f", save) + " | | | 30 | " + verdict(save < 30) +
         " |\n";
    s += "| Bytes written by one save | " +
         (f.saveBytes40.empty() ? std::string("n/a") : Format("%.0f", Median(f.saveBytes40))) + " | | | | file " +
         Format("%.0f", static_cast<double>(f.iniBytes)) + " bytes |\n";
    s += "| Idle CPU over 10 s, 40 notes (% of one core) | " + Format("%.2f", idle) + " | | | 0.5 | " +
         verdict(idle < 0.5) + " |\n";
    s += "| Working set, 40 notes (MB) | " + Format("%.1f", ws40) + " | " + Format("%.1f", floorWs) + " | " +
         Format("%.1f", ws40 / floorWs) + " | " + Format("%.1f", floorWs + 15) + " | " + verdict(ws40 <= floorWs + 15) +
         " |\n";
    s += "| Working set, empty configuration (MB) | " + Format("%.1f", Median(f.wsEmpty)) + " | " +
         Format("%.1f", floorWs) + " | | | |\n";
    s += "| Program file (MB) | " + Format("%.2f", exe) + " | " + Format("%.2f", floorExe) + " | " +
         Format("%.1f", exe / floorExe) + " | 1.5 | " + verdict(exe < 1.5) + " |\n";
    s += "| Profile functions: 16 reads and unchanged writes (ms) | " + Format("%.1f", Median(f.profileSame)) +
         " | | | | in the benchmark's process |\n";
    s += "| Profile functions: one changed write, file rewritten (ms) | " + Format("%.1f", Median(f.profileChanged)) +
         " | | | | in the benchmark's process |\n";
    s += "| Language table decode (ms) | " + Format("%.2f", Median(f.langDecode)) + " | | | | |\n";
    std::string head = "Machine: " + machine + "; " + wine + "; load average before the run: " + load + "; " +
                       std::to_string(rounds) + " rounds, medians.\n\n";
    return head + s;
}

}  // namespace

int main(int argc, char** argv)
{
    // The configurations alone, for profiling by hand: qb_bench --write <folder>
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        const std::wstring dir = Wide(argv[2]);
        WriteConfig(dir + L"\\forty.ini", FortyNotes());
        WriteConfig(dir + L"\\empty.ini", {});
        return 0;
    }
    if (argc < 8) {
        std::fprintf(stderr, "usage: qb_bench quill floor rounds out.md machine wine load\n");
        return 2;
    }
    const std::wstring quill = Wide(argv[1]), floor = Wide(argv[2]), out = Wide(argv[4]);
    const int rounds = std::max(1, std::atoi(argv[3]));
    const std::wstring folder = Folder();

    const std::wstring forty = folder + L"\\forty.ini", longNote = folder + L"\\long.ini",
                       empty = folder + L"\\empty.ini";
    WriteConfig(forty, FortyNotes());
    std::string longText;
    for (int i = 0; longText.size() < 50000; ++i)
        longText += kWords[i % (sizeof(kWords) / sizeof(kWords[0]))] + std::string(" ");
    longText.resize(50000);
    const std::string longRtf =
        "{\\rtf1\\ansi\\ansicpg1252\\uc1\\deff0\\deflang1033\\deflangfe1033{\\fonttbl{\\f0\\fcharset238 Segoe "
        "Print;}}\t\v{\\colortbl;\\red255\\green255\\blue255;}\t\v{\\*\\generator Wine Riched20 2.0;}\t\v\\pard\\sl-240"
        "\\slmult1 \\cf1\\lang1033\\fs25\\f0 " +
        longText + "\\par\t\v}";
    WriteConfig(longNote, {{600, 300, 300, 200, 2105376, 16777215, 90, longRtf}});
    WriteConfig(empty, {});

    std::printf("warming up\n");
    WarmUp(quill, forty, kNotes);
    WarmUp(quill, longNote, 1);

    Figures f;
    for (int round = 0; round < rounds; ++round) {
        {
            Process p;
            f.floorStart.push_back(p.Start(floor, L"", [](const WindowCount& c) { return c.anyVisible; }));
            f.startCpuFloor.push_back(ProcCpuMs(L"qb_floor", "qb_floor"));
            Pump(2000);
            f.floorWs.push_back(p.WorkingSetMb());
        }
        MeasureForty(quill, Copy(forty, folder, L"forty_" + std::to_wstring(round) + L".ini"), f, round);
        {
            Process p;
            f.startLong.push_back(p.Start(quill, L"-ini:" + Copy(longNote, folder, L"long_run.ini"),
                                          [](const WindowCount& c) { return c.mainVisible && c.visibleNotes >= 1; }));
            f.startCpuLong.push_back(ProcCpuMs(L"long_run.ini"));
        }
        {
            Process p;
            f.startEmpty.push_back(p.Start(quill, L"-ini:" + Copy(empty, folder, L"empty_run.ini"),
                                           [](const WindowCount& c) { return c.mainVisible; }));
            f.startCpuEmpty.push_back(ProcCpuMs(L"empty_run.ini"));
            Pump(2000);
            f.wsEmpty.push_back(p.WorkingSetMb());
        }
        std::printf("round %d: floor %.0f ms, 40 notes %.0f ms, long note %.0f ms, empty %.0f ms\n", round + 1,
                    f.floorStart.back(), f.start40.back(), f.startLong.back(), f.startEmpty.back());
        std::fflush(stdout);
    }
    MeasureLanguageTable(f);
    MeasureProfileWrites(Copy(forty, folder, L"profile.ini"), f);

    const std::string table = Report(f, rounds, quill, floor, argv[5], argv[6], argv[7]);
    std::printf("\n%s", table.c_str());
    // The table goes between its two markers; what the file says around them stays.
    const std::string begin = "<!-- bench:begin -->\n", end = "<!-- bench:end -->\n";
    std::string doc;
    HANDLE file = ::CreateFileW(out.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        char buffer[4096];
        DWORD got = 0;
        while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got)
            doc.append(buffer, got);
        ::CloseHandle(file);
    }
    const size_t from = doc.find(begin), to = doc.find(end);
    if (from == std::string::npos || to == std::string::npos || to < from)
        doc = "# Benchmarks\n\nWritten by `tools/dev.sh bench` (tools/bench/bench.cpp).\n\n" + begin + table + end;
    else
        doc = doc.substr(0, from + begin.size()) + table + doc.substr(to);
    file = ::CreateFileW(out.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    ::WriteFile(file, doc.data(), static_cast<DWORD>(doc.size()), &written, nullptr);
    ::CloseHandle(file);
    return 0;
}
