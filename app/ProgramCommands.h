// The main window's program commands that are not part of its defaults form: Info box, web pages,
// folders, the desktop editors, Send To, run as administrator, the language menu and the time note.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/ConfigRules.h"
#include "ui/Window.h"

// Chained into the main window's message map. Acts only on commands with notification code 0.
class CProgramCommands : public CMessageMap {
public:
    // applyTexts sets every text of the main window again (after a language change).
    explicit CProgramCommands(std::function<void()> applyTexts) : m_applyTexts(std::move(applyTexts)) {}

    BOOL ProcessWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) override;

    // True when the command is one of these.
    static bool Handles(UINT command);

private:
    void OnCommand(HWND mainWnd, UINT command);
    void OnInitMenuPopup(HMENU menu);

    std::function<void()> m_applyTexts;
};

struct TimeNoteSchedule;
// What creates the time note after the dialog's OK: the note collection's NewNote; tests put their own in.
using NewNoteFunction = void (*)(HWND owner, bool timeNote, const TimeNoteSchedule* schedule);
void SetNewNoteForTesting(NewNoteFunction newNote);

// Address of the web page a command opens (FAQ, Homepage, History, Donate) in the language `langIndex`;
// empty for any other command.
std::wstring WebPageAddress(UINT command, int langIndex);

// The Info box's text: strings 91, 92 and the command-line lines 97 to 100.
std::wstring InfoText();
