// A desktop note: its record, kept in the INI file as one section per note,
// and its window, a borderless tool dialog around a rich-edit text area.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "controls/WndShadow.h"
#include "res/resource.h"
#include "timenotes/TimeNoteSchedule.h"
#include "ui/Dialog.h"
#include "ui/MessageLoop.h"

constexpr UINT kSaveDelayMs = 250;

// Longest font face the record holds, as the stored value is read.
constexpr size_t kMaxFaceLength = 244;

class CNoteDlg : public CDialogImpl<CNoteDlg>, public CMessageFilter, public CIdleHandler {
public:
    enum { IDD = IDD_NOTE };

    // noteId is the note number as "%03d". The record starts from the defaults.
    explicit CNoteDlg(const wchar_t* noteId);
    ~CNoteDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle() override;

    // Whether the file holds a note with this number.
    static bool ProbeNote(int number);

    void SaveNote();
    // Reads the stored record; used at start-up before the window exists.
    void LoadSettings();
    // Fills the text area from the stored content.
    void LoadContent();
    // Removes both sections; with mark the note also becomes deleted.
    void DeleteStoredNote(bool mark);
    // Single keys of this note's section; the current value is the default.
    void ReadKeyInt(const wchar_t* key, int& value) const;
    void WriteKeyInt(const wchar_t* key, int value) const;
    void InitFromDefaults();

    void ApplyColorsAndFont();
    void SetTransparency(int percent);
    void ChooseNoteFont();
    void SetOnTop(bool on);

    const std::wstring& NoteId() const { return m_noteId; }
    const std::wstring& SettingsSection() const { return m_settingsSection; }
    bool IsDeleted() const { return m_deleted; }
    bool IsClosedWhileEmpty() const { return m_closedWhileEmpty; }
    int Theme() const { return m_theme; }
    HWND TextArea() const { return m_text; }
    const CWndShadow& Shadow() const { return m_shadow; }
    COLORREF FrameColor() const { return m_frameColor; }
    COLORREF CaptionColor() const { return m_captionColor; }
    HBRUSH FrameBrush() const { return m_frameBrush; }
    HBRUSH BackgroundBrush() const { return m_bgBrush; }
    // The whole text of the text area as RTF.
    std::wstring ContentRtf() const;

    BEGIN_MSG_MAP(CNoteDlg)
        MESSAGE_HANDLER(WM_INITDIALOG, OnInitDialog)
        MESSAGE_HANDLER(WM_CTLCOLORDLG, OnCtlColorDlg)
        MESSAGE_HANDLER(WM_CTLCOLOREDIT, OnCtlColor)
        MESSAGE_HANDLER(WM_CTLCOLORBTN, OnCtlColor)
        MESSAGE_HANDLER(WM_CTLCOLORSCROLLBAR, OnCtlColor)
        MESSAGE_HANDLER(WM_CTLCOLORSTATIC, OnCtlColor)
        MESSAGE_HANDLER(WM_GETMINMAXINFO, OnGetMinMaxInfo)
        MESSAGE_HANDLER(WM_SIZE, OnSize)
        MESSAGE_HANDLER(WM_SHOWWINDOW, OnShowWindow)
        MESSAGE_HANDLER(WM_CLOSE, OnClose)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        COMMAND_HANDLER(IDC_NOTE_TEXT, EN_CHANGE, OnTextChange)
        COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
        REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

    // The record, in the order the object declares it; stored fields carry their key's name.
    int m_pos_x = 0;
    COLORREF m_color = 0;
    int m_pos_y = 0;
    int m_transparency = 0;
    int m_ontop = 0;
    int m_closed = 0;
    COLORREF m_clrBkgnd = 0;
    int m_cx = 250;
    int m_cy = 250;
    int m_time_note = 0;
    int m_font_h = -21;
    int b_italic = 0;
    int b_bold = 400;
    TimeNoteSchedule m_schedule;
    std::wstring m_font_str;
    int m_by_hidden = 0;

private:
    LRESULT OnInitDialog(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColorDlg(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCtlColor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnGetMinMaxInfo(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSize(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnShowWindow(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnClose(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTimer(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnTextChange(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);

    void PlaceOnScreen();
    void Layout();
    int TextLength() const;
    void StoreWindowRect();

    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    std::wstring m_noteId;
    std::wstring m_settingsSection;  // id + "_Notice_set"
    std::wstring m_legacySection;    // id + "_Notice", read only as a fallback
    std::wstring m_nextOccurrence;

    bool m_deleted = false;
    bool m_closedWhileEmpty = false;
    int m_theme = 0;

    HWND m_text = nullptr;
    HWND m_toolbar = nullptr;          // visible toolbar, when built
    HWND m_status = nullptr;           // status strip, when built
    HIMAGELIST m_lightImages = nullptr;
    HIMAGELIST m_darkImages = nullptr;
    CWndShadow m_shadow;

    COLORREF m_frameColor = 0;
    COLORREF m_captionColor = 0;
    HBRUSH m_bgBrush = nullptr;
    HBRUSH m_frameBrush = nullptr;

    SetLayeredWindowAttributesFn m_setLayeredWindowAttributes = nullptr;
    bool m_registered = false;
    bool m_keepStoredContent = false;  // content shown as plain text for safety: not saved until edited
};
