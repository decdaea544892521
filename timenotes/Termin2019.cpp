#include "timenotes/Termin2019.h"

#include <commctrl.h>

#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "controls/ToolbarRes.h"
#include "lang/LanguageTable.h"
#include "res/toolbars.h"
#include "timenotes/SysTimeTool.h"
#include "ui/MessageLoop.h"

namespace {

// Date field formats per kind; null leaves the format as it is.
struct KindLook {
    const wchar_t* format;
    bool dateShown;
    bool dateEnabled;
};

KindLook LookOf(int kind)
{
    switch (kind) {
        case kScheduleSimple:
            return {L"", true, true};
        case kScheduleEveryYear:
            return {L"dd dddd MMMM", true, true};
        case kScheduleEveryMonth:
            return {L"dd dddd", true, true};
        case kScheduleMonthLastDay:
            return {L"dd dddd", true, false};
        case kScheduleEveryWeekday:
        case kScheduleFirstWeekdayInMonth:
        case kScheduleLastWeekdayInMonth:
        case kScheduleFirstWeekdayInQuarter:
        case kScheduleLastWeekdayInQuarter:
            return {nullptr, false, true};
        default:
            return {nullptr, true, true};
    }
}

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

// The setting's stored value, the current one being the default.
int ReadSetting(const IntSetting& setting)
{
    return ReadProfileInt(kProgramName, setting.Key(), setting.Get());
}

// Takes the value into the setting; the file is written only when it changes.
void Keep(IntSetting& setting, int value)
{
    if (value != setting.Get())
        setting.SetAndStore(value);
}

SYSTEMTIME PickerTime(HWND picker)
{
    SYSTEMTIME st = {};
    ::SendMessageW(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
}

std::wstring WindowText(HWND hWnd)
{
    wchar_t text[65] = {};
    ::GetWindowTextW(hWnd, text, 65);
    return text;
}

std::wstring LocaleDayName(int day, bool full)
{
    // LOCALE_SDAYNAME1 is Monday; day 0 is Sunday.
    const int index = (day + 6) % 7;
    const LCTYPE item = (full ? LOCALE_SDAYNAME1 : LOCALE_SABBREVDAYNAME1) + index;
    wchar_t name[80] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, item, name, 80);
    return name;
}

}  // namespace

Termin2019::Termin2019()
{
    const int weekday = ClampWeekday(ReadSetting(wd_checked_cur));
    Keep(wd_checked_cur, weekday);
    m_calc.m_weekdays.Clear();
    m_calc.m_weekdays.Check(weekday);
}

Termin2019::~Termin2019()
{
    if (m_iconBig)
        ::DestroyIcon(m_iconBig);
    if (m_iconSmall)
        ::DestroyIcon(m_iconSmall);
}

LRESULT Termin2019::OnInitDialog(UINT, WPARAM, LPARAM, BOOL&)
{
    CenterOverOwner();
    SetIcons();

    for (int kind = 0; kind < kScheduleKindCount; kind++)
        m_kindNames[kind] = Lang(57 + kind);
    m_caption = Lang(55);
    m_group = Lang(56);
    SetWindowText(m_caption.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_TN_PREVIEW_LABEL, m_caption.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_TN_GROUP, m_group.c_str());

    FillKinds();
    CreateWeekdayButton();
    ReadDayNames();
    UpdateWeekdayLabel();
    ApplyKind();
    return TRUE;
}

LRESULT Termin2019::OnDestroy(UINT, WPARAM, LPARAM, BOOL& handled)
{
    m_weekdayButton = nullptr;
    handled = FALSE;
    return 0;
}

LRESULT Termin2019::OnOk(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDOK);
    return 0;
}

LRESULT Termin2019::OnCancel(WORD, WORD, HWND, BOOL&)
{
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT Termin2019::OnKindChanged(WORD, WORD, HWND, BOOL&)
{
    ApplyKind();
    m_default_note_time_task.SetAndStore(SelectedKind());
    return 0;
}

LRESULT Termin2019::OnDropDown(int, NMHDR* pnmh, BOOL&)
{
    const auto* toolbar = reinterpret_cast<const NMTOOLBARW*>(pnmh);
    if (toolbar->iItem != ID_TN_WEEKDAY || !m_weekdayButton)
        return TBDDRET_DEFAULT;
    RECT rc = {};
    ::SendMessageW(m_weekdayButton, TB_GETRECT, ID_TN_WEEKDAY, reinterpret_cast<LPARAM>(&rc));
    POINT pt = {rc.left, rc.bottom};
    ::ClientToScreen(m_weekdayButton, &pt);

    HMENU menu = ::CreatePopupMenu();
    for (int day = 0; day < 7 && menu; day++) {
        const std::wstring text = m_fullDays[day] + std::wstring(41, L' ');
        const UINT check = m_calc.m_weekdays.IsChecked(day) ? MF_CHECKED : MF_UNCHECKED;
        ::AppendMenuW(menu, MF_STRING | check, ID_TN_DAY_FIRST + day, text.c_str());
    }
    const UINT chosen = menu ? UINT(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, pt.x, pt.y,
                                                     0, m_hWnd, nullptr))
                             : 0;
    ChooseWeekday(chosen);
    if (menu)
        ::DestroyMenu(menu);
    return TBDDRET_DEFAULT;
}

void Termin2019::ChooseWeekday(UINT command)
{
    if (command >= ID_TN_DAY_FIRST && command <= ID_TN_DAY_LAST) {
        const int day = int(command - ID_TN_DAY_FIRST);
        m_calc.m_weekdays.Clear();
        m_calc.m_weekdays.Check(day);
        wd_checked_cur.SetAndStore(day);
    }
    UpdateWeekdayLabel();
    Preview(SelectedKind());
}

LRESULT Termin2019::OnDateTimeChange(int idCtrl, NMHDR*, BOOL& handled)
{
    if (idCtrl != IDC_TN_DATE && idCtrl != IDC_TN_TIME) {
        handled = FALSE;
        return 0;
    }
    Preview(SelectedKind());
    return 0;
}

void Termin2019::CenterOverOwner()
{
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    RECT area = {};
    if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        MONITORINFO mi = {};
        mi.cbSize = sizeof(mi);
        if (::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTONEAREST), &mi))
            area = mi.rcWork;
        else
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    const int x = area.left + ((area.right - area.left) - (rc.right - rc.left)) / 2;
    const int y = area.top + ((area.bottom - area.top) - (rc.bottom - rc.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Termin2019::SetIcons()
{
    HINSTANCE inst = g_module.GetInstance();
    auto load = [&](int cx, int cy) {
        return static_cast<HICON>(::LoadImageW(inst, MAKEINTRESOURCEW(IDI_QUILLBOARD_GREY), IMAGE_ICON, cx, cy, 0));
    };
    m_iconBig = load(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON));
    m_iconSmall = load(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_iconBig));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_iconSmall));
}

void Termin2019::FillKinds()
{
    HWND combo = GetDlgItem(IDC_TN_KIND);
    for (int kind = 0; kind < kScheduleKindCount; kind++)
        ::SendMessageW(combo, CB_INSERTSTRING, kind, reinterpret_cast<LPARAM>(m_kindNames[kind].c_str()));
    ::SendMessageW(combo, CB_SETCURSEL, 0, 0);
    // No bounds: a stored kind outside 0..8 leaves the list without a selection.
    const int kind = ReadSetting(m_default_note_time_task);
    Keep(m_default_note_time_task, kind);
    // The platform clears the selection for an index past the end; Wine keeps it, so say it plainly.
    const bool known = kind >= 0 && kind < kScheduleKindCount;
    ::SendMessageW(combo, CB_SETCURSEL, known ? WPARAM(kind) : WPARAM(-1), 0);
}

void Termin2019::CreateWeekdayButton()
{
    HWND date = GetDlgItem(IDC_TN_DATE);
    RECT rc = {};
    ::GetWindowRect(date, &rc);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_TABSTOP | TBSTYLE_LIST |
                        TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN;
    m_weekdayButton = CreateToolbarFromResource(m_hWnd, g_module.GetInstance(), IDR_TOOLBAR_WEEKDAY, style,
                                                WS_EX_STATICEDGE, IDC_TN_WEEKDAY_BUTTON);
    if (!m_weekdayButton)
        return;
    ::SendMessageW(m_weekdayButton, WM_SETFONT, ::SendMessageW(date, WM_GETFONT, 0, 0), FALSE);
    ::SendMessageW(m_weekdayButton, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    const int h = rc.bottom - rc.top;
    ::SendMessageW(m_weekdayButton, TB_SETBUTTONSIZE, 0, MAKELPARAM(h - 2, h - 2));
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE | TBIF_SIZE;
    info.fsStyle = BTNS_WHOLEDROPDOWN;
    info.cx = 200;
    ::SendMessageW(m_weekdayButton, TB_SETBUTTONINFOW, ID_TN_WEEKDAY, reinterpret_cast<LPARAM>(&info));
    info.dwMask = TBIF_SIZE;
    info.cx = WORD(rc.right - rc.left - 4);
    ::SendMessageW(m_weekdayButton, TB_SETBUTTONINFOW, ID_TN_WEEKDAY, reinterpret_cast<LPARAM>(&info));
    ::ShowWindow(date, SW_HIDE);
    // In the date field's place in the tab order too, above the group box.
    ::SetWindowPos(m_weekdayButton, date, rc.left, rc.top, rc.right - rc.left, h, SWP_NOACTIVATE);
}

void Termin2019::ReadDayNames()
{
    HWND picker = GetDlgItem(IDC_TN_DAYNAMES);
    SYSTEMTIME sunday = {};
    sunday.wYear = 1970;
    sunday.wMonth = 1;
    sunday.wDay = 4;
    const double first = MomentToSerial(sunday);
    for (int day = 0; day < 7; day++) {
        SYSTEMTIME st = sunday;
        SerialToMoment(first + day, st);
        ::SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&st));
        ::SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"dddd"));
        m_fullDays[day] = WindowText(picker);
        ::SendMessageW(picker, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(L"ddd"));
        m_shortDays[day] = WindowText(picker);
        // A picker that does not show its text gives the locale's names.
        if (m_fullDays[day].empty())
            m_fullDays[day] = LocaleDayName(day, true);
        if (m_shortDays[day].empty())
            m_shortDays[day] = LocaleDayName(day, false);
    }
}

void Termin2019::UpdateWeekdayLabel()
{
    if (!m_weekdayButton)
        return;
    int count = 0;
    for (int day = 0; day < 7; day++)
        count += m_calc.m_weekdays.IsChecked(day);
    std::wstring label;
    for (int day = 0; day < 7; day++) {
        if (!m_calc.m_weekdays.IsChecked(day))
            continue;
        if (!label.empty())
            label += L", ";
        label += count < 4 ? m_fullDays[day] : m_shortDays[day];
    }
    TBBUTTONINFOW info = {};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_TEXT;
    info.pszText = const_cast<wchar_t*>(label.c_str());
    ::SendMessageW(m_weekdayButton, TB_SETBUTTONINFOW, ID_TN_WEEKDAY, reinterpret_cast<LPARAM>(&info));
}

int Termin2019::SelectedKind() const
{
    return int(::SendDlgItemMessageW(m_hWnd, IDC_TN_KIND, CB_GETCURSEL, 0, 0));
}

void Termin2019::ApplyKind()
{
    const int kind = SelectedKind();
    const KindLook look = LookOf(kind);
    HWND date = GetDlgItem(IDC_TN_DATE);
    if (look.format) {
        // An empty format gives the control back its own: the user's long date.
        ::SendMessageW(date, DTM_SETFORMATW, 0, reinterpret_cast<LPARAM>(*look.format ? look.format : nullptr));
        if (!*look.format)
            ::SetWindowLongPtrW(date, GWL_STYLE, ::GetWindowLongPtrW(date, GWL_STYLE) | DTS_LONGDATEFORMAT);
    }
    ::EnableWindow(date, look.dateEnabled);
    ::ShowWindow(date, look.dateShown ? SW_SHOW : SW_HIDE);
    if (m_weekdayButton)
        ::ShowWindow(m_weekdayButton, look.dateShown ? SW_HIDE : SW_SHOW);
    Preview(kind);
}

void Termin2019::Preview(int kind)
{
    const SYSTEMTIME date = PickerTime(GetDlgItem(IDC_TN_DATE));
    const SYSTEMTIME time = PickerTime(GetDlgItem(IDC_TN_TIME));
    SYSTEMTIME moment = {};
    moment.wYear = date.wYear;
    moment.wMonth = date.wMonth;
    moment.wDay = date.wDay;
    moment.wHour = time.wHour;
    moment.wMinute = time.wMinute;
    moment.wSecond = time.wSecond;
    m_chosen = MomentToSerial(moment);
    m_calc.CalcNextOccurrence(kind, moment);
    ::SendDlgItemMessageW(m_hWnd, IDC_TN_PREVIEW_DATE, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&moment));
    ::SendDlgItemMessageW(m_hWnd, IDC_TN_PREVIEW_TIME, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&moment));
}

bool RunTimeNoteDialog(HWND owner, TimeNoteSchedule* schedule)
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&icc);
    Termin2019 dialog;
    if (dialog.DoModal(owner) != IDOK)
        return false;
    schedule->kind = m_default_note_time_task;
    schedule->weekday = wd_checked_cur;
    schedule->date = dialog.ChosenMoment();
    return true;
}
