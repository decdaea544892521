// The commands of a note window: its toolbar, its accelerators and the note menu.
#include "notes/NoteDlg.h"

#include "controls/WinCmdBar2.h"
#include "lang/LanguageTable.h"
#include "notes/NoteExport.h"
#include "notes/NoteTable.h"

#include <commdlg.h>
#include <richedit.h>

#include <cwctype>
#include <string>

namespace {

const wchar_t* Text(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

bool IsAnyCodeCommand(WORD id)
{
    // The accelerators arrive with code 1.
    return id == ID_NOTE_NEW || id == ID_NOTE_BOLD || id == ID_NOTE_ITALIC || id == ID_NOTE_UNDERLINE;
}

// The run of non-blank characters around the caret; an empty range between blanks.
CHARRANGE WordAt(HWND text, LONG caret)
{
    const LONG reach = 256;  // a longer word is formatted in part
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, 1200};
    const LONG end = static_cast<LONG>(::SendMessageW(text, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
    const LONG from = caret > reach ? caret - reach : 0;
    const LONG to = end - caret > reach ? caret + reach : end;
    std::wstring around(static_cast<size_t>(to - from) + 1, L'\0');
    TEXTRANGEW range = {{from, to}, around.data()};
    const LONG got = static_cast<LONG>(::SendMessageW(text, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    around.resize(static_cast<size_t>(got > 0 ? got : 0));
    auto inWord = [&](LONG cp) {
        const LONG i = cp - from;
        return i >= 0 && i < static_cast<LONG>(around.size()) && !std::iswspace(around[static_cast<size_t>(i)]);
    };
    CHARRANGE word = {caret, caret};
    while (word.cpMin > from && inWord(word.cpMin - 1))
        --word.cpMin;
    while (inWord(word.cpMax))
        ++word.cpMax;
    return word;
}

}  // namespace

LRESULT CNoteDlg::OnCommand(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    const WORD id = LOWORD(wParam);
    if ((HIWORD(wParam) == 0 || IsAnyCodeCommand(id)) && RunCommand(id))
        return 0;
    handled = FALSE;
    return 0;
}

bool CNoteDlg::RunCommand(UINT id)
{
    switch (id) {
        case ID_NOTE_CLOSE:
            CloseNote();
            return true;
        case ID_NOTE_MENU:
            ShowNoteMenu();
            return true;
        case ID_NOTE_NEW:
            NewNote(m_owner, false, nullptr);
            return true;
        case ID_NOTE_PIN:
        case ID_NOTE_UNPIN:
            SetOnTop(id == ID_NOTE_PIN);
            SaveNote();
            return true;
        case ID_NOTE_ONTOP:
            SetOnTop(!m_ontop);
            SaveNote();
            return true;
        case ID_NOTE_BOLD:
            ToggleEffect(CFE_BOLD);
            return true;
        case ID_NOTE_ITALIC:
            ToggleEffect(CFE_ITALIC);
            return true;
        case ID_NOTE_UNDERLINE:
            ToggleEffect(CFE_UNDERLINE);
            return true;
        case ID_NOTE_SPACER:
        case IDC_NOTE_TITLE:
            return true;
        case ID_NOTE_BG_COLOR:
        case ID_NOTE_TEXT_COLOR:
            PickColor(id == ID_NOTE_BG_COLOR);
            return true;
        case ID_NOTE_FONT:
            ChooseNoteFont();
            SaveNote();
            return true;
        case ID_NOTE_EXPORT_TEXT:
            ExportNoteAsText(*this);
            return true;
        case ID_NOTE_EXPORT_RTF:
            ExportNoteAsRtf(*this);
            return true;
        case ID_NOTE_DELETE:
            ::SetWindowTextW(m_text, L"");
            DeleteStoredNote(true);
            return true;
        default:
            if (id >= ID_NOTE_TRANSPARENCY_0 && id <= ID_NOTE_TRANSPARENCY_50) {
                SetTransparency(10 * static_cast<int>(id - ID_NOTE_TRANSPARENCY_0));
                SaveNote();
                return true;
            }
            return false;
    }
}

HMENU CNoteDlg::BuildNoteMenu() const
{
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_NOTE_BG_COLOR, Text(31));
    ::AppendMenuW(menu, MF_STRING, ID_NOTE_TEXT_COLOR, Text(36));
    ::AppendMenuW(menu, MF_STRING, ID_NOTE_FONT, Text(33));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING | (m_ontop ? MF_CHECKED : MF_UNCHECKED), ID_NOTE_ONTOP, Text(34));
    HMENU transparency = ::CreatePopupMenu();
    for (UINT k = 0; k <= ID_NOTE_TRANSPARENCY_50 - ID_NOTE_TRANSPARENCY_0; ++k)
        ::AppendMenuW(transparency, MF_STRING, ID_NOTE_TRANSPARENCY_0 + k, (std::to_wstring(10 * k) + L" %").c_str());
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(transparency), Text(32));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ID_NOTE_EXPORT_TEXT, Text(80));
    ::AppendMenuW(menu, MF_STRING, ID_NOTE_EXPORT_RTF, Text(81));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ID_NOTE_DELETE, Text(11));
    return menu;
}

void CNoteDlg::ShowNoteMenu()
{
    HMENU menu = BuildNoteMenu();
    RECT button = {};
    ::SendMessageW(m_toolbar, TB_GETRECT, ID_NOTE_MENU, reinterpret_cast<LPARAM>(&button));
    ::MapWindowPoints(m_toolbar, nullptr, reinterpret_cast<POINT*>(&button), 2);
    ::SendMessageW(m_toolbar, TB_PRESSBUTTON, ID_NOTE_MENU, MAKELPARAM(TRUE, 0));
    const UINT command = static_cast<UINT>(
        g_cmdBar.TrackPopup(menu, POINT{button.left, button.bottom}, TPM_RETURNCMD | TPM_RIGHTBUTTON));
    ::SendMessageW(m_toolbar, TB_PRESSBUTTON, ID_NOTE_MENU, MAKELPARAM(FALSE, 0));
    ::DestroyMenu(menu);
    g_cmdBar.PruneRecords();
    if (command)
        RunCommand(command);
}

void CNoteDlg::PickColor(bool background)
{
    static COLORREF customColors[16] = {};
    CHOOSECOLORW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = background ? m_clrBkgnd : m_color;
    choose.lpCustColors = customColors;
    choose.Flags = CC_FULLOPEN | CC_ANYCOLOR | CC_RGBINIT;
    if (::ChooseColorW(&choose))
        (background ? m_clrBkgnd : m_color) = choose.rgbResult;
    ApplyColorsAndFont();
    // Saved at once: a recolour must survive an exit that comes before the next save.
    SaveNote();
}

void CNoteDlg::CloseNote()
{
    m_closed = 1;
    m_by_hidden = 1;
    SaveNote();
    if (TextLength() < 1 && !m_time_note) {
        DeleteSections();
        m_closedWhileEmpty = true;
    }
    ShowWindow(SW_HIDE);
}

void CNoteDlg::ToggleEffect(DWORD effect)
{
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    format.dwMask = effect;  // CFM_BOLD, CFM_ITALIC and CFM_UNDERLINE have the values of their effects
    ::SendMessageW(m_text, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    const bool on = (format.dwMask & effect) && (format.dwEffects & effect);
    format.dwMask = effect;
    format.dwEffects = on ? 0 : effect;
    CHARRANGE selection = {};
    ::SendMessageW(m_text, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    // The word at the caret is selected here rather than left to SCF_WORD: Wine's rich edit
    // does not lay the paragraph out again after SCF_WORD and aborts at the next caret move.
    CHARRANGE word = selection.cpMin == selection.cpMax ? WordAt(m_text, selection.cpMin) : selection;
    if (word.cpMin != selection.cpMin || word.cpMax != selection.cpMax)
        ::SendMessageW(m_text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&word));
    ::SendMessageW(m_text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    if (word.cpMin != selection.cpMin || word.cpMax != selection.cpMax)
        ::SendMessageW(m_text, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    // A format change is no text change to the control, but it is one to the note.
    StartSaveTimer(IDT_NOTE_TEXT_SAVE);
}
