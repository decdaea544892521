// A dialog push button turned into a colour chooser: it shows the colour as a
// swatch with a drop-down arrow, and a click opens the "ColorPicker" popup with
// "Automatic", 40 named colours and "More Colors...".
//
// The owner reflects the button's WM_DRAWITEM and WM_COMMAND (only those whose
// lParam is the button) back to it. The outcome reaches the owner as WM_COMMAND
// with wParam = the button's id and lParam = one of the codes below; the owner
// then reads m_clr.
#pragma once

#include <windows.h>

#include <string>

#include "controls/ColorPickerLogic.h"
#include "ui/ScopedHandles.h"
#include "ui/Window.h"

enum : UINT {
    CPN_SELCHANGE = 0x8000,  // the colour changed
    CPN_DROPDOWN = 0x8001,   // the popup is about to open
    CPN_CLOSEUP = 0x8002,    // the popup has closed
    CPN_SELENDOK = 0x8003,   // ended with a choice
    CPN_SELENDCANCEL = 0x8004,
};

class CColorButton : public CWindowImpl<CColorButton> {
public:
    CColorButton();
    ~CColorButton() override = default;

    // Subclasses the dialog button and makes it owner-drawn.
    BOOL Attach(HWND button);
    // An empty text removes the entry from the popup.
    void SetDefaultText(const wchar_t* text) { m_defaultText = text ? text : L""; }
    void SetCustomText(const wchar_t* text) { m_customText = text ? text : L""; }

    COLORREF m_clr = picker::kAutomatic;
    COLORREF m_clrDefault;

    BEGIN_MSG_MAP(CColorButton)
    MESSAGE_HANDLER(OCM_BASE + WM_DRAWITEM, OnDrawItem)
    MESSAGE_HANDLER(OCM_BASE + WM_COMMAND, OnReflectedCommand)
    END_MSG_MAP()

    // The process-wide custom colours of the "More Colors..." dialog.
    static COLORREF* CustomColours();

private:
    LRESULT OnDrawItem(UINT, WPARAM, LPARAM lParam, BOOL&);
    LRESULT OnReflectedCommand(UINT, WPARAM wParam, LPARAM, BOOL&);

    void Notify(UINT code);
    void RunPopup();
    bool CreatePopup();
    void DestroyPopup();
    void TrackPopup();
    void OnPopupKey(WPARAM key);
    void EndPopup(bool choice);
    void MoveHover(int entry);
    void PaintPopup(HDC dc);
    void PaintEntry(HDC dc, int entry, bool hovered);
    RECT EntryRect(int entry) const;
    bool ChooseCustomColour();
    bool HasAutomatic() const { return !m_defaultText.empty(); }
    bool HasCustom() const { return !m_customText.empty(); }
    HGDIOBJ PopupFont() const { return m_font ? m_font.Get() : ::GetStockObject(DEFAULT_GUI_FONT); }

    static LRESULT CALLBACK PopupProc(HWND, UINT, WPARAM, LPARAM);

    std::wstring m_defaultText = L"Automatic";
    std::wstring m_customText = L"More Colors...";
    bool m_popupOpen = false;
    COLORREF m_picked = picker::kAutomatic;
    int m_hover = picker::kEntryNone;
    int m_current = picker::kEntryNone;
    bool m_tracking = false;
    bool m_result = false;

    HWND m_popup = nullptr;
    HWND m_tooltip = nullptr;
    ScopedGdiObject<HFONT> m_font;
    ScopedGdiObject<HPALETTE> m_palette;
    picker::Layout m_layout;
    bool m_flatMenu = false;
    bool m_dropShadow = false;
    COLORREF m_menuColour = 0, m_frameColour = 0, m_hoverFill = 0, m_hoverText = 0, m_text = 0, m_currentFill = 0;
};
