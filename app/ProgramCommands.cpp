#include "app/ProgramCommands.h"

#include <shellapi.h>

#include "app/Config.h"
#include "app/Startup.h"
#include "lang/LanguageMenu.h"
#include "lang/LanguageTable.h"
#include "notes/NoteTable.h"
#include "res/resource.h"
#include "shell/SendTo.h"
#include "timenotes/Termin2019.h"
#include "timenotes/TimeNoteSchedule.h"

namespace {

NewNoteFunction g_newNote = NewNote;

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

std::wstring Header(int id)
{
    const wchar_t* text = GetHeaderString(id);
    return text ? text : L"";
}

// Failures are not reported: the user simply sees nothing open.
void ShellOpen(HWND owner, const std::wstring& what)
{
    ::ShellExecuteW(owner, L"open", what.c_str(), nullptr, nullptr, SW_SHOW);
}

void ShowInfoBox(HWND owner)
{
    ::MessageBoxW(owner, InfoText().c_str(), Lang(90).c_str(), MB_OK);
}

void RunAsAdministrator(HWND mainWnd)
{
    const std::wstring& program = GetProgramPath();
    SHELLEXECUTEINFOW sei = {};
    sei.cbSize = sizeof(sei);
    sei.hwnd = mainWnd;
    sei.lpVerb = L"runas";
    sei.lpFile = program.c_str();
    sei.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&sei))
        return;
    ::DestroyWindow(mainWnd);
    ::PostQuitMessage(0);
}

void NewTimeNote(HWND mainWnd)
{
    TimeNoteSchedule schedule;
    if (RunTimeNoteDialog(::GetActiveWindow(), &schedule))
        g_newNote(mainWnd, true, &schedule);
}

}  // namespace

void SetNewNoteForTesting(NewNoteFunction newNote)
{
    g_newNote = newNote ? newNote : NewNote;
}

std::wstring WebPageAddress(UINT command, int langIndex)
{
    const bool german = langIndex == 0;
    const std::wstring site = Header(german ? 20 : 21);
    const std::wstring product = Header(german ? 23 : 24);
    switch (command) {
        case ID_DONATE:
            return site + L"/?seite=paypal&Program=" + kProgramName;
        case ID_FAQ:
            return site + L"?seite=faq-" + kProgramName;
        case ID_HISTORY:
            return product + L"/History";
        case ID_HOMEPAGE:
            return product;
        default:
            return std::wstring();
    }
}

std::wstring InfoText()
{
    std::wstring text = Lang(91) + L"\r\n\r\n" + Lang(92) + L"\r\n\r\n\r\n";
    for (int id = 97; id <= 100; id++)
        text += Lang(id) + L"\r\n";
    return text;
}

bool CProgramCommands::Handles(UINT command)
{
    switch (command) {
        case ID_NEW_TIME_NOTE:
        case ID_INFO:
        case ID_FAQ:
        case ID_HOMEPAGE:
        case ID_HISTORY:
        case ID_DONATE:
        case ID_OPEN_PROGRAM_FOLDER:
        case ID_OPEN_INI_FOLDER:
        case ID_OPEN_INI:
        case ID_START_NOTEPAD:
        case ID_START_WORDPAD:
        case ID_SENDTO_TOGGLE:
        case ID_SENDTO_REMOVE:
        case ID_SENDTO_OPEN:
        case ID_RUN_AS_ADMIN:
            return true;
        default:
            return command >= ID_LANGUAGE_FIRST && command <= ID_LANGUAGE_LAST;
    }
}

BOOL CProgramCommands::ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM, LRESULT& lResult)
{
    if (uMsg == WM_INITMENUPOPUP) {
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam));
        return FALSE;  // the default handling goes on
    }
    // Menus, toolbar buttons and button clicks send code 0; nothing else is a command.
    if (uMsg != WM_COMMAND || HIWORD(wParam) != 0 || !Handles(LOWORD(wParam)))
        return FALSE;
    OnCommand(hWnd, LOWORD(wParam));
    lResult = 0;
    return TRUE;
}

void CProgramCommands::OnCommand(HWND mainWnd, UINT command)
{
    switch (command) {
        case ID_NEW_TIME_NOTE:
            NewTimeNote(mainWnd);
            return;
        case ID_INFO:
            ShowInfoBox(mainWnd);
            return;
        case ID_FAQ:
        case ID_HOMEPAGE:
        case ID_HISTORY:
        case ID_DONATE:
            ShellOpen(mainWnd, WebPageAddress(command, GetCurrentLanguage()));
            return;
        case ID_OPEN_PROGRAM_FOLDER:
            ShellOpen(mainWnd, GetProgramFolder());
            return;
        case ID_OPEN_INI_FOLDER:
            ShellOpen(mainWnd, FolderOf(GetConfigPath()));
            return;
        case ID_OPEN_INI:
            ShellOpen(mainWnd, GetConfigPath());
            return;
        case ID_START_NOTEPAD:
            ShellOpen(mainWnd, L"notepad.exe");
            return;
        case ID_START_WORDPAD:
            ShellOpen(mainWnd, L"wordpad.exe");
            return;
        case ID_SENDTO_TOGGLE:
            g_sendTo.CreateShortcut(kSendToName);
            return;
        case ID_SENDTO_REMOVE:
            g_sendTo.RemoveShortcut(kSendToName);
            return;
        case ID_SENDTO_OPEN:
            g_sendTo.OpenFolder();
            return;
        case ID_RUN_AS_ADMIN:
            RunAsAdministrator(mainWnd);
            return;
        default:
            OnLanguageCommand(int(command) - ID_LANGUAGE_FIRST, m_applyTexts);
            return;
    }
}

void CProgramCommands::OnInitMenuPopup(HMENU menu)
{
    const bool exists = g_sendTo.ShortcutExists(kSendToName);
    ::CheckMenuItem(menu, ID_SENDTO_TOGGLE, MF_BYCOMMAND | (exists ? MF_CHECKED : MF_UNCHECKED));
}
