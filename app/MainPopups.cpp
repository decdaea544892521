#include "app/MainPopups.h"

#include "lang/LanguageTable.h"
#include "notes/NoteTable.h"
#include "res/resource.h"

namespace {

const wchar_t* Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

void AppendNotes(HMENU menu, bool separatorBefore)
{
    if (CountLiveNotes() <= 0)
        return;
    if (separatorBefore)
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    AppendNotesList(menu, ID_NOTE_FIRST);
    if (!separatorBefore)
        ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

}  // namespace

HMENU BuildNewNoteMenu(bool hideBars)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return nullptr;
    ::AppendMenuW(menu, MF_STRING, ID_SHOW_ALL, Lang(14));
    ::AppendMenuW(menu, MF_STRING, ID_HIDE_ALL, Lang(15));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ID_DELETE_ALL, Lang(12));
    ::AppendMenuW(menu, MF_STRING | (hideBars ? MF_CHECKED : MF_UNCHECKED), ID_HIDE_BARS, Lang(82));
    AppendNotes(menu, true);
    return menu;
}

HMENU BuildTrayMenu(HMENU program)
{
    HMENU menu = ::CreatePopupMenu();
    if (!menu)
        return nullptr;
    AppendNotes(menu, false);
    ::AppendMenuW(menu, MF_STRING, ID_NEW_NOTE, Lang(8));
    ::AppendMenuW(menu, MF_STRING, ID_SHOW_ALL, Lang(14));
    ::AppendMenuW(menu, MF_STRING, ID_HIDE_ALL, Lang(15));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, ID_APP_EXIT, Lang(7));
    if (program)
        ::AppendMenuW(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(program), Lang(67));
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const wchar_t* name = GetHeaderString(19);
    ::AppendMenuW(menu, MF_STRING, ID_BRING_TO_FRONT, name ? name : L"");
    return menu;
}

void DestroyTrayMenu(HMENU tray, HMENU program)
{
    if (!tray)
        return;
    // Destroying a menu destroys its submenus: the shared one must leave first.
    for (int i = ::GetMenuItemCount(tray) - 1; program && i >= 0; --i) {
        if (::GetSubMenu(tray, i) == program)
            ::RemoveMenu(tray, i, MF_BYPOSITION);
    }
    ::DestroyMenu(tray);
}
