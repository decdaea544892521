#include "notes/NoteTable.h"

#include "app/ConfigRules.h"
#include "app/DefaultSettings.h"
#include "lang/LanguageTable.h"
#include "notes/LoadGuard.h"
#include "notes/NoteDlg.h"
#include "notes/NoteTableRules.h"

#include <cstdlib>
#include <map>
#include <set>
#include <vector>

namespace {

// Raw pointers on purpose: the notes must outlive every other object, and a
// destructor running at exit would save them, which the program never does.
// Slots are only ever filled, so the raise task may walk them from its thread.
CNoteDlg* g_notes[kMaxNotes] = {};

// Position (0 = top-most) to window, filled by hide all, consumed by show all.
std::map<int, HWND> g_stacking;
// Windows hide all looks for while it walks the desktop.
std::set<HWND> g_probe;

// One timer for the self-hiding bars of all notes, running only while the setting is on: a timer per note
// woke the process 160 times a second with 40 notes, a tenth of a core for nothing.
constexpr UINT kBarsPollMs = 250;
UINT_PTR g_barsTimer = 0;

void CALLBACK CheckAllBars(HWND, UINT, UINT_PTR, DWORD)
{
    if (!m_hide_bar) {
        FollowHideBarsSetting();
        return;
    }
    POINT cursor = {};
    if (!::GetCursorPos(&cursor))
        return;
    for (CNoteDlg* note : g_notes)
        if (note && note->IsLive())
            note->CheckBars(cursor);
}

std::wstring NewNoteLabel()
{
    const wchar_t* text = GetLangString(8);
    return text ? text : L"";
}

BOOL CALLBACK RecordStacking(HWND hWnd, LPARAM)
{
    if (g_probe.count(hWnd))
        g_stacking[static_cast<int>(g_stacking.size())] = hWnd;
    return TRUE;
}

BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (::GetMonitorInfoW(monitor, &info)) {
        const RECT& m = info.rcMonitor;
        const RECT& w = info.rcWork;
        reinterpret_cast<std::vector<MonitorArea>*>(data)->push_back(
            MonitorArea{{m.left, m.top, m.right, m.bottom}, {w.left, w.top, w.right, w.bottom}});
    }
    return TRUE;
}

// The right and upper thirds of the screen, on a real monitor.
void PlaceAndShow(CNoteDlg& note)
{
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const ScreenRect screen = {left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                               top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    std::vector<MonitorArea> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
    const int r1 = std::rand();
    const int r2 = std::rand();
    const NotePosition at = PlaceNewNote(screen, monitors, note.m_cx, note.m_cy, r1, r2);
    note.m_pos_x = at.x;
    note.m_pos_y = at.y;
    ::SetWindowPos(note.m_hWnd, HWND_TOP, at.x, at.y, note.m_cx, note.m_cy, SWP_SHOWWINDOW);
}

}  // namespace

CNoteDlg* GetNote(int number)
{
    return number >= 0 && number < kMaxNotes ? g_notes[number] : nullptr;
}

CNoteDlg* FindNote(HWND hWnd)
{
    for (CNoteDlg* note : g_notes)
        if (note && hWnd && note->m_hWnd == hWnd)
            return note;
    return nullptr;
}

void LoadAllNotes()
{
    for (int number = 0; number < kMaxNotes; ++number) {
        if (g_notes[number] || !CNoteDlg::ProbeNote(number))
            continue;
        CNoteDlg* note = new CNoteDlg(NoteIdText(number).c_str());
        g_notes[number] = note;
        note->m_by_hidden = 0;
        note->LoadSettings();
        // A window that cannot be created leaves the object in its slot, not live.
        if (!note->Create(nullptr))
            continue;
        if (!note->m_by_hidden)
            note->ShowWindow(SW_SHOW);
    }
    FollowHideBarsSetting();
    TellAboutFailedNoteLoad();
}

void NewNote(HWND owner, bool timeNote, const TimeNoteSchedule* schedule)
{
    CNoteDlg* note = nullptr;
    for (CNoteDlg* candidate : g_notes) {
        if (candidate && candidate->m_hWnd && candidate->IsDeleted()) {
            note = candidate;
            break;
        }
    }
    if (note) {
        // A reused slot keeps its window: the window takes the new record as it is.
        note->InitFromDefaults();
        note->ApplyColorsAndFont();
        note->m_time_note = timeNote ? 1 : 0;
        if (schedule)
            note->m_schedule = *schedule;
        note->SetOwner(owner);
        note->RefreshWindow();
    } else {
        int slot = 0;
        while (slot < kMaxNotes && g_notes[slot])
            ++slot;
        if (slot == kMaxNotes) {
            ::MessageBoxW(::GetActiveWindow(), L"Max 40", nullptr, MB_OK);
            return;
        }
        note = new CNoteDlg(NoteIdText(slot).c_str());
        note->m_time_note = timeNote ? 1 : 0;
        if (schedule)
            note->m_schedule = *schedule;
        g_notes[slot] = note;
        note->SetOwner(owner);
        if (!note->Create(nullptr))
            return;
    }
    ::SetWindowTextW(note->TextArea(), NewNoteText(NewNoteLabel(), note->Number()).c_str());
    PlaceAndShow(*note);
}

int CountLiveNotes()
{
    int count = 0;
    for (CNoteDlg* note : g_notes)
        if (note && note->IsLive())
            ++count;
    return count;
}

void AppendNotesList(HMENU menu, UINT base)
{
    for (int number = 0; number < kMaxNotes; ++number) {
        CNoteDlg* note = g_notes[number];
        if (!note || !note->IsLive())
            continue;
        const std::wstring label = NotesListLabel(note->PlainText(), NewNoteLabel(), number);
        const UINT check = note->IsWindowVisible() ? MF_CHECKED : MF_UNCHECKED;
        ::AppendMenuW(menu, MF_STRING | check, base + number, label.c_str());
    }
}

void ToggleNote(int number)
{
    for (CNoteDlg* note : g_notes) {
        // A deleted note has no entry in the list and must not come back through a stray command.
        if (!note || note->Number() != number || !note->IsLive())
            continue;
        if (!note->IsWindowVisible()) {
            note->m_by_hidden = 0;
            note->ShowWindow(SW_SHOW);
        } else {
            note->m_by_hidden = 1;
            note->ShowWindow(SW_HIDE);
        }
    }
}

void HideAll(bool onlyVisible)
{
    g_probe.clear();
    for (CNoteDlg* note : g_notes)
        if (note && note->m_hWnd && !note->IsDeleted() && (!onlyVisible || note->IsWindowVisible()))
            g_probe.insert(note->m_hWnd);
    ::EnumWindows(&RecordStacking, 0);
    g_probe.clear();
    for (auto it = g_stacking.rbegin(); it != g_stacking.rend(); ++it)
        if (::IsWindowVisible(it->second))
            ::ShowWindow(it->second, SW_HIDE);
}

void ShowAll()
{
    for (auto it = g_stacking.rbegin(); it != g_stacking.rend(); ++it) {
        // Deleted since the hide: it stays hidden, or a deleted note would be back on the desktop.
        CNoteDlg* note = FindNote(it->second);
        if (!note || note->IsDeleted())
            continue;
        if (!::IsWindowVisible(it->second))
            ::ShowWindow(it->second, SW_SHOW);
    }
    g_stacking.clear();
}

void DeleteAll()
{
    for (CNoteDlg* note : g_notes)
        if (note)
            note->DeleteStoredNote(true);
}

void FlushPendingSaves()
{
    for (CNoteDlg* note : g_notes)
        if (note)
            note->FlushPendingSave();
}

void FollowHideBarsSetting()
{
    if (m_hide_bar) {
        if (!g_barsTimer) {
            g_barsTimer = ::SetTimer(nullptr, 0, kBarsPollMs, &CheckAllBars);
            // The first look at once, so that a pointer already over a note counts as inside.
            CheckAllBars(nullptr, 0, 0, 0);
        }
        return;
    }
    if (g_barsTimer)
        ::KillTimer(nullptr, g_barsTimer);
    g_barsTimer = 0;
    for (CNoteDlg* note : g_notes)
        if (note)
            note->StopHidingBars();
}
