#include "notes/NoteDlg.h"

#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "controls/ToolbarRes.h"
#include "notes/LoadGuard.h"
#include "notes/NoteColors.h"
#include "notes/NoteDlgRules.h"
#include "notes/NoteMetrics.h"
#include "notes/RtfRuns.h"
#include "notes/NoteText.h"
#include "notes/ShowDesktopWatcher.h"
#include "notes/StatusQb2.h"
#include "res/toolbars.h"
#include "notes/RtfCheck.h"
#include "timenotes/TitleStrip.h"
#include "ui/ScopedHandles.h"
#include "ui/TextConv.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr int kToolbarTop = 24;
constexpr int kStripHeight = 22;
constexpr int kMinTrackSize = 100;
constexpr BYTE kEastEuropeCharset = 238;
constexpr LPARAM kMaxTextLength = 0x7FFFFFFE;
constexpr UINT kCaretDelayMs = 100;
constexpr DWORD kToolbarStyle = WS_CHILD | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_TRANSPARENT |
                                CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;

DWORD CALLBACK AppendBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    static_cast<std::string*>(reinterpret_cast<void*>(cookie))->append(reinterpret_cast<const char*>(buffer), count);
    *done = count;
    return 0;
}

struct ByteSource {
    const char* data;
    size_t size;
    size_t offset;
};

DWORD CALLBACK ReadBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* done)
{
    auto* source = reinterpret_cast<ByteSource*>(cookie);
    const size_t left = source->size - source->offset;
    const size_t n = left < static_cast<size_t>(count) ? left : static_cast<size_t>(count);
    std::memcpy(buffer, source->data + source->offset, n);
    source->offset += n;
    *done = static_cast<LONG>(n);
    return 0;
}

void StreamIn(HWND text, const char* data, size_t size, WPARAM format)
{
    ByteSource source = {data, size, 0};
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = &ReadBytes;
    ::SendMessageW(text, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
}

// The note toolbar's pictures with dark strokes made light, for dark backgrounds.
HIMAGELIST CreateDarkImages(HINSTANCE instance)
{
    ScopedGdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(
        ::LoadImageW(instance, MAKEINTRESOURCEW(IDR_TOOLBAR_NOTE), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!bitmap)
        return nullptr;
    DIBSECTION dib = {};
    HIMAGELIST images = nullptr;
    if (::GetObjectW(bitmap.Get(), sizeof(dib), &dib) == sizeof(dib) && dib.dsBm.bmBits && dib.dsBm.bmBitsPixel == 24) {
        auto* rows = static_cast<BYTE*>(dib.dsBm.bmBits);
        for (int y = 0; y < dib.dsBm.bmHeight; ++y) {
            BYTE* px = rows + static_cast<size_t>(y) * dib.dsBm.bmWidthBytes;
            for (int x = 0; x < dib.dsBm.bmWidth; ++x, px += 3) {
                const std::uint32_t rgb = DarkToolbarPixel((px[2] << 16) | (px[1] << 8) | px[0]);
                px[0] = static_cast<BYTE>(rgb);
                px[1] = static_cast<BYTE>(rgb >> 8);
                px[2] = static_cast<BYTE>(rgb >> 16);
            }
        }
        const int size = dib.dsBm.bmHeight;
        images = ::ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, dib.dsBm.bmWidth / size, 1);
        if (images)
            ::ImageList_AddMasked(images, bitmap.Get(), RGB(255, 0, 255));
    }
    return images;
}

// One set for all notes: the pictures never change, and notes live as long as the process.
HIMAGELIST DarkToolbarImages()
{
    static const HIMAGELIST images = CreateDarkImages(g_module.GetInstance());
    return images;
}

void ReplaceBrush(HBRUSH& brush, COLORREF color)
{
    // The new brush exists before the old one goes, so a paint in between never gets a dead handle.
    HBRUSH old = brush;
    brush = ::CreateSolidBrush(color);
    if (old)
        ::DeleteObject(old);
}

}  // namespace

CNoteDlg::CNoteDlg(const wchar_t* noteId) : NoteRecord(noteId)
{
    if (HMODULE user32 = ::GetModuleHandleW(L"User32.dll")) {
        if (FARPROC proc = ::GetProcAddress(user32, "SetLayeredWindowAttributes")) {
            m_setLayeredWindowAttributes =
                reinterpret_cast<SetLayeredWindowAttributesFn>(reinterpret_cast<void*>(proc));
        }
    }
    InitFromDefaults();
}

CNoteDlg::~CNoteDlg()
{
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    if (m_bgBrush)
        ::DeleteObject(m_bgBrush);
    if (m_frameBrush)
        ::DeleteObject(m_frameBrush);
}

BOOL CNoteDlg::OnIdle()
{
    return FALSE;
}

void CNoteDlg::InitFromDefaults()
{
    EndDrag(false);
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ResetFromDefaults(cursor.x, cursor.y);
    if (m_hWnd && ::IsWindow(m_hWnd))
        SetTransparency(m_transparency);
}

void CNoteDlg::RefreshWindow()
{
    if (!m_hWnd)
        return;
    UpdateTitleStrip(m_title, m_time_note ? &m_schedule : nullptr, &m_nextOccurrence);
    SetOnTop(m_default_on_top != 0);
    UpdateShadow();
    m_mouseInside = false;
    ShowBars(true);
}

bool CNoteDlg::IsLive() const
{
    return m_hWnd && ::IsWindow(m_hWnd) && !m_deleted;
}

void CNoteDlg::SaveNote()
{
    if (SaveSkipped(TextLength()))
        return;
    SaveRecord(ContentRtf(), m_keepStoredContent);
}

void CNoteDlg::FlushPendingSave()
{
    if (!m_sizeSavePending && !m_textSavePending)
        return;
    if (m_sizeSavePending)
        StoreWindowRect();
    m_sizeSavePending = m_textSavePending = false;
    if (m_hWnd) {
        ::KillTimer(m_hWnd, IDT_NOTE_SIZE_SAVE);
        ::KillTimer(m_hWnd, IDT_NOTE_TEXT_SAVE);
    }
    SaveNote();
}

void CNoteDlg::StartSaveTimer(UINT_PTR id)
{
    (id == IDT_NOTE_SIZE_SAVE ? m_sizeSavePending : m_textSavePending) = true;
    ::SetTimer(m_hWnd, id, kSaveDelayMs, nullptr);
}

std::wstring CNoteDlg::ContentRtf() const
{
    std::string bytes;
    EDITSTREAM stream = {};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&bytes);
    stream.pfnCallback = &AppendBytes;
    ::SendMessageW(m_text, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    return FromAnsi(bytes);
}

std::wstring CNoteDlg::PlainText() const
{
    const int length = TextLength();
    if (length < 1)
        return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_text, &text[0], length + 1)));
    return text;
}

int CNoteDlg::TextLength() const
{
    return m_text ? ::GetWindowTextLengthW(m_text) : 0;
}

void CNoteDlg::LoadContent()
{
    const std::wstring fallback = ReadProfileSection(m_legacySection.c_str());
    // The whole stored value, however long: a fixed buffer would cut long notes at the next start.
    const std::wstring content =
        DecodeNoteLine(ReadProfileString(m_settingsSection.c_str(), L"m_note_str", fallback.c_str()));
    if (content.empty() || !m_text) {
        ApplyDefaultCharFormat();
        return;
    }
    // Rich text the control could die on is shown as plain text; the stored value stays until an edit.
    const bool failedLastTime = NoteLoadBegins(m_noteId);
    m_keepStoredContent = LooksLikeRtf(content) && (failedLastTime || !RtfIsSafe(content));
    // The control lays the text out anew after each change of its size or default format, shaping every
    // character again, and breaking lines costs most: the text goes in at its final size, unwrapped.
    Layout();
    ::SendMessageW(m_text, EM_SETTARGETDEVICE, 0, 1);
    if (LooksLikeRtf(content) && !m_keepStoredContent) {
        std::string bytes = ToAnsi(content);
        // Only Wine's control lays out a long run slowly; Windows gets the text as stored.
        static const bool underWine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
        if (underWine)
            bytes = SplitLongTextRuns(bytes);
        StreamIn(m_text, bytes.data(), bytes.size(), SF_RTF);
    } else {
        // Plain text goes in as UTF-16 so that no character is lost to the code page. Not streamed:
        // the control can split a CR LF that straddles two stream chunks into two line breaks.
        ::SetWindowTextW(m_text, content.c_str());
    }
    // The default format after the text, as always (the stored runs keep their own), but while lines are
    // not broken yet: its layout pass is then the cheap one.
    ApplyDefaultCharFormat();
    ::SendMessageW(m_text, EM_SETTARGETDEVICE, 0, 0);
    NoteLoadEnds();
}

void CNoteDlg::DeleteStoredNote(bool mark)
{
    DeleteSections();
    if (!mark)
        return;
    m_closedWhileEmpty = true;
    if (m_text)
        ::SetWindowTextW(m_text, L"");
    m_deleted = true;
    if (m_hWnd)
        ShowWindow(SW_HIDE);
}

void CNoteDlg::SetTransparency(int percent)
{
    m_transparency = percent;
    if (!m_setLayeredWindowAttributes || !m_hWnd)
        return;
    const LONG_PTR exStyle = ::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_LAYERED))
        ::SetWindowLongPtrW(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    m_setLayeredWindowAttributes(m_hWnd, 0, TransparencyToAlpha(percent), LWA_ALPHA);
}

void CNoteDlg::SetOnTop(bool on)
{
    m_ontop = on ? 1 : 0;
    if (!m_hWnd)
        return;
    ::SetWindowPos(m_hWnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (m_toolbar) {
        // The item shown is always the one that switches.
        ::SendMessageW(m_toolbar, TB_HIDEBUTTON, ID_NOTE_PIN, MAKELPARAM(on, 0));
        ::SendMessageW(m_toolbar, TB_HIDEBUTTON, ID_NOTE_UNPIN, MAKELPARAM(!on, 0));
        Layout();
    }
}

void CNoteDlg::BringToFront()
{
    // Also runs on the raise task's thread: window-positioning calls only.
    HWND hWnd = m_hWnd;
    if (!hWnd || !::IsWindowVisible(hWnd) || m_deleted)
        return;
    const UINT flags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    if (m_ontop) {
        ::SetWindowPos(hWnd, HWND_TOP, 0, 0, 0, 0, flags);
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
        return;
    }
    // In and out of the top-most band leaves the note as the top-most normal window.
    for (int i = 0; i < 10; ++i) {
        ::SetWindowPos(hWnd, HWND_TOPMOST, 0, 0, 0, 0, flags);
        ::SetWindowPos(hWnd, HWND_NOTOPMOST, 0, 0, 0, 0, flags | SWP_SHOWWINDOW);
    }
}

void CNoteDlg::ApplyColorsAndFont()
{
    if (!m_hWnd)
        return;
    ApplyColors();
    ApplyDefaultCharFormat();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CNoteDlg::ApplyColors()
{
    ::SendMessageW(m_text, EM_SETBKGNDCOLOR, 0, m_clrBkgnd);
    const NoteShades shades = DeriveNoteShades(m_clrBkgnd);
    m_frameColor = shades.frame;
    m_captionColor = shades.caption;
    if (m_toolbar) {
        HIMAGELIST images = shades.dark ? DarkToolbarImages() : m_lightImages;
        if (images)
            ::SendMessageW(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    ReplaceBrush(m_bgBrush, m_clrBkgnd);
    ReplaceBrush(m_frameBrush, m_frameColor);
    ::SendMessageW(m_text, EM_SETBKGNDCOLOR, 0, m_clrBkgnd);
    if (m_status)
        ::SendMessageW(m_status, SB_SETBKCOLOR, 0, m_clrBkgnd);
}

void CNoteDlg::ApplyDefaultCharFormat()
{
    CHARFORMATW format = {};
    format.cbSize = sizeof(format);
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_PROTECTED | CFM_CHARSET | CFM_FACE | CFM_COLOR | CFM_SIZE;
    format.dwEffects = CFE_PROTECTED;
    if (b_italic)
        format.dwEffects |= CFE_ITALIC;
    if (b_bold > 400)
        format.dwEffects |= CFE_BOLD;
    format.yHeight = FontHeightToTwips(m_font_h);
    format.crTextColor = m_color;
    format.bCharSet = kEastEuropeCharset;
    CopyCut(format.szFaceName, m_font_str);
    // The control lays the whole text out again at once.
    ::SendMessageW(m_text, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
}

void CNoteDlg::ChooseNoteFont()
{
    LOGFONTW font = {};
    if (HFONT current = reinterpret_cast<HFONT>(::SendMessageW(m_text, WM_GETFONT, 0, 0)))
        ::GetObjectW(current, sizeof(font), &font);
    font.lfHeight = m_font_h;
    font.lfWeight = b_bold;
    if (b_italic)
        font.lfItalic = 1;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = PROOF_QUALITY;
    CopyCut(font.lfFaceName, m_font_str);

    CHOOSEFONTW choose = {};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = ::GetActiveWindow();
    choose.lpLogFont = &font;
    choose.Flags = CF_INITTOLOGFONTSTRUCT | CF_SCREENFONTS;
    if (!::ChooseFontW(&choose))
        return;
    b_italic = font.lfItalic ? 1 : 0;
    b_bold = font.lfWeight;
    m_font_h = font.lfHeight;
    m_font_str = font.lfFaceName;
    ApplyColorsAndFont();
}

void CNoteDlg::PlaceOnScreen()
{
    const ScreenRect screen = {::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                               ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                               ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const NotePosition position = KeepHalfOnScreen(m_pos_x, m_pos_y, m_cx, m_cy, screen);
    m_pos_x = position.x;
    m_pos_y = position.y;
    ::MoveWindow(m_hWnd, m_pos_x, m_pos_y, m_cx, m_cy, TRUE);
}

void CNoteDlg::Layout()
{
    if (!m_text)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int w = client.right - client.left;
    const int h = client.bottom - client.top;
    ::ShowWindow(GetDlgItem(IDC_NOTE_UNUSED), SW_HIDE);
    if (m_toolbar)
        ::MoveWindow(m_toolbar, 0, 2, w, kToolbarTop, TRUE);
    HWND title = m_title;
    int strip = kStripHeight;
    if (m_status) {
        // The 24 pixels are the size grip's; without one the title strip covers the whole strip, which
        // would otherwise show a panel in the system's colours there.
        const bool grip = (::GetWindowLongPtrW(m_status, GWL_STYLE) & SBARS_SIZEGRIP) != 0;
        ::MoveWindow(title, 0, 0, grip ? w - 24 : w, kStripHeight, TRUE);
        ::SendMessageW(m_status, WM_SIZE, 0, 0);
        RECT rc = {};
        ::GetWindowRect(m_status, &rc);
        strip = rc.bottom - rc.top;
    } else {
        ::MoveWindow(title, 0, h - kStripHeight, w - 24, kStripHeight, TRUE);
    }
    if (m_toolbar) {
        // The spacer fills the toolbar, so that the close item sits at the right edge.
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_SIZE;
        info.cx = 1;
        ::SendMessageW(m_toolbar, TB_SETBUTTONINFOW, ID_NOTE_SPACER, reinterpret_cast<LPARAM>(&info));
        const int last = static_cast<int>(::SendMessageW(m_toolbar, TB_BUTTONCOUNT, 0, 0)) - 1;
        RECT item = {};
        if (last >= 0 && ::SendMessageW(m_toolbar, TB_GETITEMRECT, last, reinterpret_cast<LPARAM>(&item))) {
            const int width = w - item.right - 3;
            info.cx = static_cast<WORD>(width > 1 ? width : 1);
            ::SendMessageW(m_toolbar, TB_SETBUTTONINFOW, ID_NOTE_SPACER, reinterpret_cast<LPARAM>(&info));
        }
    }
    ::MoveWindow(m_text, 5, kToolbarTop, w - 10, h - kToolbarTop - strip, TRUE);
    // Children too: the note erases its background under them.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void CNoteDlg::StoreWindowRect()
{
    RECT rc;
    if (!::GetWindowRect(m_hWnd, &rc))
        return;
    m_pos_x = rc.left;
    m_pos_y = rc.top;
    m_cx = rc.right - rc.left;
    m_cy = rc.bottom - rc.top;
}

void CNoteDlg::CreateToolbars()
{
    HINSTANCE instance = g_module.GetInstance();
    m_toolbar = CreateToolbarFromResource(m_hWnd, instance, IDR_TOOLBAR_NOTE, kToolbarStyle | WS_VISIBLE);
    if (m_toolbar) {
        m_lightImages = reinterpret_cast<HIMAGELIST>(::SendMessageW(m_toolbar, TB_GETIMAGELIST, 0, 0));
        // Pressing the spacer starts the platform's own move of the note.
        TBBUTTONINFOW info = {};
        info.cbSize = sizeof(info);
        info.dwMask = TBIF_STYLE;
        info.fsStyle = BTNS_DROPDOWN;
        ::SendMessageW(m_toolbar, TB_SETBUTTONINFOW, ID_NOTE_SPACER, reinterpret_cast<LPARAM>(&info));
    }
}

void CNoteDlg::CreateStatusStrip()
{
    const DWORD grip = m_aero.IsCompositionEnabled() ? SBARS_SIZEGRIP : 0;
    m_status = ::CreateWindowExW(0, STATUSCLASSNAMEW, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | grip, 0, 0, 0,
                                 0, m_hWnd, nullptr, g_module.GetInstance(), nullptr);
    if (!m_status)
        return;
    ::EnableWindow(m_status, FALSE);
    m_statusHook = std::make_unique<CStatusQb2>(m_hWnd);
    m_statusHook->SubclassWindow(m_status);
    ::SetParent(m_title, m_status);
}

void CNoteDlg::UpdateShadow()
{
    if (m_theme < 1) {
        m_shadow.reset();  // unhooks the note and destroys the shadow window
        return;
    }
    if (!m_shadow) {
        m_shadow = std::make_unique<CWndShadow>();
        m_shadow->Create(m_hWnd);
        if (m_theme == 2)
            m_shadow->SetColor(m_clrBkgnd);
        return;
    }
    m_shadow->SetColor(m_theme == 2 ? m_clrBkgnd : RGB(0, 0, 0));
}

LRESULT CNoteDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    m_title = GetDlgItem(IDC_NOTE_TITLE);
    CreateToolbars();
    m_accel = ::LoadAcceleratorsW(g_module.GetInstance(), MAKEINTRESOURCEW(IDR_NOTE_ACCEL));
    CWndShadow::Initialize(g_module.GetInstance());
    PlaceOnScreen();
    CreateStatusStrip();
    UpdateTitleStrip(m_title, m_time_note ? &m_schedule : nullptr, &m_nextOccurrence);
    m_text = GetDlgItem(IDC_NOTE_TEXT);
    ::ShowWindow(GetDlgItem(IDC_NOTE_EDIT), SW_HIDE);
    // The control's own limit (32767 characters) would cut long notes.
    ::SendMessageW(m_text, EM_EXLIMITTEXT, 0, kMaxTextLength);
    LoadContent();
    // A stored pin survives a restart; a new note takes the default.
    SetOnTop(IsLoaded() ? m_ontop != 0 : m_default_on_top != 0);
    ::SendMessageW(m_text, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SCROLL | ENM_REQUESTRESIZE);
    UpdateShadow();
    // The font went in with the content, where laying the text out again costs least.
    ApplyColors();
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SetTransparency(m_transparency);
    ::SetTimer(m_hWnd, IDT_NOTE_CARET, kCaretDelayMs, nullptr);
    if (!m_bgBrush)
        m_bgBrush = ::CreateSolidBrush(m_clrBkgnd);
    if (CMessageLoop* loop = g_module.GetMessageLoop()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
        m_registered = true;
    }
    Layout();
    InstallShowDesktopWatcher();
    return TRUE;
}

LRESULT CNoteDlg::OnCtlColorDlg(UINT, WPARAM, LPARAM, BOOL&)
{
    return reinterpret_cast<LRESULT>(m_frameBrush);
}

LRESULT CNoteDlg::OnCtlColor(UINT, WPARAM wParam, LPARAM lParam, BOOL&)
{
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND control = reinterpret_cast<HWND>(lParam);
    ::SetBkColor(dc, m_frameColor);
    ::SetTextColor(dc, control == m_title ? m_captionColor : m_color);
    return reinterpret_cast<LRESULT>(m_frameBrush);
}

LRESULT CNoteDlg::OnGetMinMaxInfo(UINT, WPARAM, LPARAM lParam, BOOL&)
{
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = kMinTrackSize;
    info->ptMinTrackSize.y = kMinTrackSize;
    return 0;
}

LRESULT CNoteDlg::OnSize(UINT, WPARAM, LPARAM, BOOL&)
{
    Layout();
    StartSaveTimer(IDT_NOTE_SIZE_SAVE);
    return 0;
}

LRESULT CNoteDlg::OnShowWindow(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    if (wParam) {
        m_by_hidden = 0;
        // Only into a stored note: a note not saved yet gets the key with its first save, in order.
        if (ProbeNote(Number()))
            WriteKeyInt(L"m_by_hidden", 0);
    }
    handled = FALSE;
    return 0;
}

LRESULT CNoteDlg::OnClose(UINT, WPARAM, LPARAM, BOOL&)
{
    // A close request saves and leaves the window open.
    SaveNote();
    return 0;
}

LRESULT CNoteDlg::OnDestroy(UINT, WPARAM, LPARAM, BOOL&)
{
    SaveNote();
    for (UINT_PTR id : {IDT_NOTE_SIZE_SAVE, IDT_NOTE_TEXT_SAVE, IDT_NOTE_CARET})
        ::KillTimer(m_hWnd, id);
    m_sizeSavePending = m_textSavePending = false;
    if (m_registered) {
        if (CMessageLoop* loop = g_module.GetMessageLoop()) {
            loop->RemoveMessageFilter(this);
            loop->RemoveIdleHandler(this);
        }
        m_registered = false;
    }
    return 0;
}

LRESULT CNoteDlg::OnTimer(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    switch (wParam) {
        case IDT_NOTE_SIZE_SAVE:
        case IDT_NOTE_TEXT_SAVE:
            FlushPendingSave();
            break;
        case IDT_NOTE_CARET:
            ::KillTimer(m_hWnd, IDT_NOTE_CARET);
            ::SendMessageW(m_text, EM_SETSEL, 0, 0);
            break;
        default:
            handled = FALSE;
            break;
    }
    return 0;
}

LRESULT CNoteDlg::OnEndSession(UINT, WPARAM wParam, LPARAM, BOOL&)
{
    // Windows ends the process after this: a save still waiting for its timer would be lost.
    if (wParam)
        FlushPendingSave();
    return 0;
}

LRESULT CNoteDlg::OnTextChange(WORD, WORD, HWND, BOOL&)
{
    m_keepStoredContent = false;
    StartSaveTimer(IDT_NOTE_TEXT_SAVE);
    return 0;
}

LRESULT CNoteDlg::OnCancel(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDCANCEL);
    return 0;
}
