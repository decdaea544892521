// The status strip of a note: a subclassed status bar that lets its note paint
// the background and answer the colour requests of the title strip inside it.
#pragma once

#include "ui/Window.h"

class CStatusQb2 : public CWindowImpl<CStatusQb2> {
public:
    // note is the note window, the strip's parent.
    explicit CStatusQb2(HWND note) : m_note(note) {}

    BEGIN_MSG_MAP(CStatusQb2)
    MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnCtlColor)
    END_MSG_MAP()

private:
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColor(UINT, WPARAM, LPARAM, BOOL&);

    HWND m_note;
};
