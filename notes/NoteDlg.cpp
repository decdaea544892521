#include "notes/NoteDlg.h"

#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "notes/LoadGuard.h"
#include "notes/NoteColors.h"
#include "notes/NoteMetrics.h"
#include "notes/NoteText.h"
#include "notes/RtfCheck.h"
#include "timenotes/TitleStrip.h"

#include <commctrl.h>
#include <commdlg.h>
#include <richedit.h>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <cwchar>
#include <string>

namespace {

constexpr int kToolbarTop = 24;
constexpr int kStripHeight = 22;
constexpr int kMinTrackSize = 100;
constexpr BYTE kEastEuropeCharset = 238;
constexpr LPARAM kMaxTextLength = 0x7FFFFFFE;

const wchar_t kSettingsSuffix[] = L"_Notice_set";
const wchar_t kLegacySuffix[] = L"_Notice";

std::wstring NoteIdOf(int number)
{
    wchar_t id[16];
    std::swprintf(id, 16, L"%03d", number);
    return id;
}

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

std::string ToAnsi(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                        nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring FromAnsi(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    const int n = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), &out[0], n);
    return out;
}

std::wstring CutFace(const std::wstring& face)
{
    return face.size() > kMaxFaceLength ? face.substr(0, kMaxFaceLength) : face;
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

CNoteDlg::CNoteDlg(const wchar_t* noteId)
    : m_noteId(noteId ? noteId : L"000"),
      m_settingsSection(m_noteId + kSettingsSuffix),
      m_legacySection(m_noteId + kLegacySuffix)
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

BOOL CNoteDlg::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CNoteDlg::OnIdle()
{
    return FALSE;
}

bool CNoteDlg::ProbeNote(int number)
{
    const std::wstring section = NoteIdOf(number) + kSettingsSuffix;
    return ReadProfileInt(section.c_str(), L"m_cx", -1000) != -1000;
}

void CNoteDlg::InitFromDefaults()
{
    m_closedWhileEmpty = false;
    m_by_hidden = 0;
    m_deleted = false;
    m_transparency = m_default_transparency;

    POINT cursor = {};
    ::GetCursorPos(&cursor);
    m_pos_x = cursor.x + 100;
    m_pos_y = cursor.y + 100;

    b_italic = m_default_font_italic;
    b_bold = m_default_font_bold;
    m_font_h = m_default_font_size;
    m_font_str = CutFace(m_default_font.Get());
    m_ontop = 0;
    m_closed = 0;
    m_cx = m_cy = NoteSizeFromText(m_default_note_size.Get());

    std::srand(static_cast<unsigned>(std::time(nullptr) + std::clock()));
    const NewNoteColorDefaults defaults = {m_default_bg_color, static_cast<ColorRef>(m_custom_bg_color.Get()),
                                           m_default_fg_color, static_cast<ColorRef>(m_custom_fg_color.Get())};
    const NoteColorPair colors = ChooseNewNoteColors(defaults, [] { return std::rand(); });
    m_clrBkgnd = colors.background;
    m_color = colors.text;
    m_theme = m_default_note_theme;

    if (m_hWnd && ::IsWindow(m_hWnd))
        SetTransparency(m_transparency);
}

void CNoteDlg::ReadKeyInt(const wchar_t* key, int& value) const
{
    value = ReadProfileInt(m_settingsSection.c_str(), key, value);
}

void CNoteDlg::WriteKeyInt(const wchar_t* key, int value) const
{
    WriteProfileInt(m_settingsSection.c_str(), key, value);
}

void CNoteDlg::LoadSettings()
{
    m_transparency = m_default_transparency;
    m_by_hidden = 0;
    int background = static_cast<int>(m_clrBkgnd);
    int text = static_cast<int>(m_color);
    ReadKeyInt(L"m_pos_y", m_pos_y);
    ReadKeyInt(L"m_by_hidden", m_by_hidden);
    ReadKeyInt(L"m_pos_x", m_pos_x);
    ReadKeyInt(L"m_cy", m_cy);
    ReadKeyInt(L"m_cx", m_cx);
    ReadKeyInt(L"m_clrBkgnd", background);
    ReadKeyInt(L"m_color", text);
    ReadKeyInt(L"m_transparency", m_transparency);
    ReadKeyInt(L"m_ontop", m_ontop);
    ReadKeyInt(L"m_closed", m_closed);
    ReadKeyInt(L"b_bold", b_bold);
    ReadKeyInt(L"b_italic", b_italic);
    ReadKeyInt(L"m_font_h", m_font_h);
    m_clrBkgnd = static_cast<COLORREF>(background);
    m_color = static_cast<COLORREF>(text);

    wchar_t face[kMaxFaceLength + 1];
    CopyCut(face, m_font_str);
    ReadProfileString(m_settingsSection.c_str(), L"m_font_str", face, kMaxFaceLength + 1);
    m_font_str = face;
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

int CNoteDlg::TextLength() const
{
    return m_text ? ::GetWindowTextLengthW(m_text) : 0;
}

void CNoteDlg::SaveNote()
{
    if (m_closedWhileEmpty && TextLength() < 1)
        return;
    if (m_deleted)
        return;
    const std::wstring content = ContentRtf();
    const wchar_t* section = m_settingsSection.c_str();
    WriteProfileInt(section, L"m_pos_y", m_pos_y);
    WriteProfileInt(section, L"m_pos_x", m_pos_x);
    WriteProfileInt(section, L"m_cy", m_cy);
    WriteProfileInt(section, L"m_cx", m_cx);
    WriteProfileInt(section, L"m_clrBkgnd", static_cast<int>(m_clrBkgnd));
    WriteProfileInt(section, L"m_by_hidden", m_by_hidden);
    WriteProfileInt(section, L"m_color", static_cast<int>(m_color));
    WriteProfileInt(section, L"m_transparency", m_transparency);
    WriteProfileInt(section, L"m_ontop", m_ontop);
    WriteProfileInt(section, L"m_closed", m_closed);
    WriteProfileInt(section, L"b_italic", b_italic);
    WriteProfileInt(section, L"b_bold", b_bold);
    WriteProfileInt(section, L"m_font_h", m_font_h);
    WriteProfileString(section, L"m_font_str", m_font_str.c_str());
    WriteProfileString(section, L"m_note_str",
                       m_keepStoredContent ? ReadProfileString(section, L"m_note_str").c_str() : EncodeNoteLine(content).c_str());
    WriteProfileString(section, L"m_note_str_info", kNoteStrInfo);
}

void CNoteDlg::LoadContent()
{
    const std::wstring fallback = ReadProfileSection(m_legacySection.c_str());
    // The whole stored value, however long: a fixed buffer would cut long notes at the next start.
    const std::wstring content =
        DecodeNoteLine(ReadProfileString(m_settingsSection.c_str(), L"m_note_str", fallback.c_str()));
    if (content.empty() || !m_text)
        return;
    // Rich text the control could die on is shown as plain text; the stored value stays until an edit.
    const bool failedLastTime = NoteLoadBegins(m_noteId);
    m_keepStoredContent = LooksLikeRtf(content) && (failedLastTime || !RtfIsSafe(content));
    if (LooksLikeRtf(content) && !m_keepStoredContent) {
        const std::string bytes = ToAnsi(content);
        StreamIn(m_text, bytes.data(), bytes.size(), SF_RTF);
    } else {
        // Plain text goes in as UTF-16 so that no character is lost to the code page. Not streamed:
        // the control can split a CR LF that straddles two stream chunks into two line breaks.
        ::SetWindowTextW(m_text, content.c_str());
    }
    NoteLoadEnds();
}

void CNoteDlg::DeleteStoredNote(bool mark)
{
    DeleteProfileSection(m_legacySection.c_str());
    DeleteProfileSection(m_settingsSection.c_str());
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
    }
}

void CNoteDlg::ApplyColorsAndFont()
{
    if (!m_hWnd)
        return;
    ::SendMessageW(m_text, EM_SETBKGNDCOLOR, 0, m_clrBkgnd);
    const NoteShades shades = DeriveNoteShades(m_clrBkgnd);
    m_frameColor = shades.frame;
    m_captionColor = shades.caption;
    if (m_toolbar) {
        HIMAGELIST images = shades.dark ? m_darkImages : m_lightImages;
        if (images)
            ::SendMessageW(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
    ReplaceBrush(m_bgBrush, m_clrBkgnd);
    ReplaceBrush(m_frameBrush, m_frameColor);
    ::SendMessageW(m_text, EM_SETBKGNDCOLOR, 0, m_clrBkgnd);
    if (m_status)
        ::SendMessageW(m_status, SB_SETBKCOLOR, 0, m_clrBkgnd);

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
    ::SendMessageW(m_text, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));

    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
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
    // Until the status strip carries it, the title strip sits where the strip will be.
    ::MoveWindow(GetDlgItem(IDC_NOTE_TITLE), 0, h - kStripHeight, w - 24, kStripHeight, TRUE);
    ::MoveWindow(m_text, 5, kToolbarTop, w - 10, h - kToolbarTop - kStripHeight, TRUE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
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

LRESULT CNoteDlg::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    m_text = GetDlgItem(IDC_NOTE_TEXT);
    CWndShadow::Initialize(g_module.GetInstance());
    PlaceOnScreen();
    UpdateTitleStrip(GetDlgItem(IDC_NOTE_TITLE), m_time_note ? &m_schedule : nullptr, &m_nextOccurrence);
    ::ShowWindow(GetDlgItem(IDC_NOTE_EDIT), SW_HIDE);
    // The control's own limit (32767 characters) would cut long notes.
    ::SendMessageW(m_text, EM_EXLIMITTEXT, 0, kMaxTextLength);
    LoadContent();
    SetOnTop(m_default_on_top != 0);
    ::SendMessageW(m_text, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SCROLL | ENM_REQUESTRESIZE);
    if (m_theme >= 1) {
        m_shadow.Create(m_hWnd);
        if (m_theme == 2)
            m_shadow.SetColor(m_clrBkgnd);
    }
    ApplyColorsAndFont();
    SetTransparency(m_transparency);
    ::SetTimer(m_hWnd, IDT_NOTE_CARET, 100, nullptr);
    if (!m_bgBrush)
        m_bgBrush = ::CreateSolidBrush(m_clrBkgnd);
    if (CMessageLoop* loop = g_module.GetMessageLoop()) {
        loop->AddMessageFilter(this);
        loop->AddIdleHandler(this);
        m_registered = true;
    }
    Layout();
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
    ::SetTextColor(dc, control == GetDlgItem(IDC_NOTE_TITLE) ? m_captionColor : m_color);
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
    ::SetTimer(m_hWnd, IDT_NOTE_SIZE_SAVE, kSaveDelayMs, nullptr);
    return 0;
}

LRESULT CNoteDlg::OnShowWindow(UINT, WPARAM wParam, LPARAM, BOOL& handled)
{
    if (wParam) {
        m_by_hidden = 0;
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
    ::KillTimer(m_hWnd, IDT_NOTE_SIZE_SAVE);
    ::KillTimer(m_hWnd, IDT_NOTE_TEXT_SAVE);
    ::KillTimer(m_hWnd, IDT_NOTE_CARET);
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
        ::KillTimer(m_hWnd, IDT_NOTE_SIZE_SAVE);
        StoreWindowRect();
        SaveNote();
        break;
    case IDT_NOTE_TEXT_SAVE:
        ::KillTimer(m_hWnd, IDT_NOTE_TEXT_SAVE);
        SaveNote();
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

LRESULT CNoteDlg::OnTextChange(WORD, WORD, HWND, BOOL&)
{
    m_keepStoredContent = false;
    ::SetTimer(m_hWnd, IDT_NOTE_TEXT_SAVE, kSaveDelayMs, nullptr);
    return 0;
}

LRESULT CNoteDlg::OnCancel(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDCANCEL);
    return 0;
}
