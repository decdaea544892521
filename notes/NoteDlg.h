// The window of a desktop note: a borderless tool dialog with a toolbar, a
// rich-edit text area and a status strip carrying the title line. The record
// it shows and saves is its NoteRecord base.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>

#include "controls/MyAero.h"
#include "controls/WndShadow.h"
#include "notes/NoteRecord.h"
#include "res/resource.h"
#include "timenotes/TimeNoteSchedule.h"
#include "ui/Dialog.h"
#include "ui/MessageLoop.h"

constexpr UINT kSaveDelayMs = 250;

class CStatusQb2;

class CNoteDlg : public CDialogImpl<CNoteDlg>, public CMessageFilter, public CIdleHandler, public NoteRecord {
public:
    enum { IDD = IDD_NOTE };

    // noteId is the note number as "%03d". The record starts from the defaults.
    explicit CNoteDlg(const wchar_t* noteId);
    ~CNoteDlg() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnIdle() override;

    void SaveNote();
    // Fills the text area from the stored content.
    void LoadContent();
    // Removes both sections; with mark the note also becomes deleted.
    void DeleteStoredNote(bool mark);
    // The record from the defaults; a window that exists takes the transparency.
    void InitFromDefaults();
    // After InitFromDefaults on a reused slot: title strip, on-top state, shadow and bars from the new record.
    void RefreshWindow();

    void ApplyColorsAndFont();
    void SetTransparency(int percent);
    void ChooseNoteFont();
    void SetOnTop(bool on);
    // Raises a visible, live note without activating it; callable from any thread.
    void BringToFront();
    // Has a window and is not deleted.
    bool IsLive() const;
    void ShowBars(bool show);
    bool BarsShown() const { return m_barsShown; }
    // One look of the self-hiding bars: shown while the pointer (at cursor, screen) is over the note.
    void CheckBars(POINT cursor);
    // "Hide bars automatically" went off: bars hidden at that moment come back.
    void StopHidingBars();
    // Runs a save that a timer is still waiting for, now.
    void FlushPendingSave();

    void SetOwner(HWND owner) { m_owner = owner; }
    HWND Owner() const { return m_owner; }
    HWND TextArea() const { return m_text; }
    HWND Toolbar() const { return m_toolbar; }
    HWND StatusStrip() const { return m_status; }
    const CWndShadow* Shadow() const { return m_shadow.get(); }
    COLORREF FrameColor() const { return m_frameColor; }
    COLORREF CaptionColor() const { return m_captionColor; }
    HBRUSH FrameBrush() const { return m_frameBrush; }
    HBRUSH BackgroundBrush() const { return m_bgBrush; }
    // The whole text of the text area as RTF.
    std::wstring ContentRtf() const;
    // The text area's plain text.
    std::wstring PlainText() const;

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
    MESSAGE_HANDLER(WM_LBUTTONDOWN, OnLButtonDown)
    MESSAGE_HANDLER(WM_MOUSEMOVE, OnMouseMove)
    MESSAGE_HANDLER(WM_SETCURSOR, OnSetCursor)
    MESSAGE_HANDLER(WM_CAPTURECHANGED, OnCaptureChanged)
    MESSAGE_HANDLER(WM_EXITSIZEMOVE, OnExitSizeMove)
    MESSAGE_HANDLER(WM_ENDSESSION, OnEndSession)
    NOTIFY_CODE_HANDLER(TBN_DROPDOWN, OnToolbarDropDown)
    COMMAND_HANDLER(IDC_NOTE_TEXT, EN_CHANGE, OnTextChange)
    COMMAND_ID_HANDLER(IDCANCEL, OnCancel)
    MESSAGE_HANDLER(WM_COMMAND, OnCommand)
    REFLECT_NOTIFICATIONS()
    END_MSG_MAP()

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
    LRESULT OnLButtonDown(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnMouseMove(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnSetCursor(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnCaptureChanged(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnExitSizeMove(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnEndSession(UINT, WPARAM, LPARAM, BOOL&);
    LRESULT OnToolbarDropDown(int, NMHDR*, BOOL&);
    LRESULT OnTextChange(WORD, WORD, HWND, BOOL&);
    LRESULT OnCancel(WORD, WORD, HWND, BOOL&);
    LRESULT OnCommand(UINT, WPARAM, LPARAM, BOOL&);

    // Window creation steps.
    void ApplyColors();
    // The note's font and text colour as the text area's default character format.
    void ApplyDefaultCharFormat();
    void CreateToolbars();
    void CreateStatusStrip();
    void PlaceOnScreen();
    void UpdateShadow();
    void Layout();
    void StoreWindowRect();
    void StartSaveTimer(UINT_PTR id);
    int TextLength() const;

    // Mouse: zones, the drag of the bars, the self-hiding bars.
    int ZoneAtScreen(POINT screen) const;
    HCURSOR CursorAt(POINT screen) const;
    bool IsOwnBar(HWND hWnd) const;
    bool IsOverOwnBar(POINT screen) const;
    void BeginDrag(POINT screen);
    void DragStep(POINT screen);
    void EndDrag(bool save);
    void StartInteractiveMove();
    // A left press on the note's own surface: sizing or moving by zone; false for zone 0.
    bool PressSurface(POINT screen);

    // Toolbar and note menu (NoteDlgMenu.cpp).
    bool RunCommand(UINT id);
    void ShowNoteMenu();
    HMENU BuildNoteMenu() const;
    void PickColor(bool background);
    void CloseNote();
    void ToggleEffect(DWORD effect);

    using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    std::wstring m_nextOccurrence;
    HWND m_owner = nullptr;

    HWND m_text = nullptr;
    HWND m_title = nullptr;    // title strip, inside the status strip once that exists
    HWND m_toolbar = nullptr;  // visible toolbar
    HWND m_status = nullptr;
    std::unique_ptr<CStatusQb2> m_statusHook;
    HIMAGELIST m_lightImages = nullptr;
    HACCEL m_accel = nullptr;
    std::unique_ptr<CWndShadow> m_shadow;
    CMyAero m_aero;

    COLORREF m_frameColor = 0;
    COLORREF m_captionColor = 0;
    HBRUSH m_bgBrush = nullptr;
    HBRUSH m_frameBrush = nullptr;

    // Interaction state.
    bool m_dragging = false;
    bool m_dragMoved = false;
    POINT m_dragAnchor = {};
    HCURSOR m_cursor = nullptr;
    bool m_mouseInside = false;
    bool m_barsShown = true;
    bool m_sizeSavePending = false;
    bool m_textSavePending = false;

    SetLayeredWindowAttributesFn m_setLayeredWindowAttributes = nullptr;
    bool m_registered = false;
    bool m_keepStoredContent = false;  // content shown as plain text for safety: not saved until edited
};
