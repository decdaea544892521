#include "controls/WinCmdBar2.h"

#include <algorithm>
#include <string>
#include <string_view>

CWinCmdBar2 g_cmdBar;

namespace {

bool ItemCarries(HMENU menu, const CmdBarItemRecord* record)
{
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA;
        if (::GetMenuItemInfoW(menu, i, TRUE, &mii) && mii.dwItemData == reinterpret_cast<ULONG_PTR>(record))
            return true;
    }
    return false;
}

RECT ToRect(const cmdbar::Rect& r)
{
    return RECT{r.left, r.top, r.right, r.bottom};
}

COLORREF TextColour(bool grayed, bool selected)
{
    if (grayed)
        return ::GetSysColor(selected ? COLOR_GRAYTEXT : COLOR_BTNSHADOW);
    return ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);
}

}  // namespace

CWinCmdBar2::~CWinCmdBar2()
{
    if (m_pictures)
        ::ImageList_Destroy(m_pictures);
}

HFONT CWinCmdBar2::GetMenuFont()
{
    if (!m_menuFont) {
        NONCLIENTMETRICSW ncm{};
        ncm.cbSize = sizeof(ncm);
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0))
            m_fontDesc = ncm.lfMenuFont;
        else
            ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof(m_fontDesc), &m_fontDesc);
        m_menuFont.Reset(::CreateFontIndirectW(&m_fontDesc));
    }
    return m_menuFont ? m_menuFont.Get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

HFONT CWinCmdBar2::FontFor(bool defaultItem)
{
    HFONT plain = GetMenuFont();
    if (!defaultItem)
        return plain;
    if (!m_defaultItemFont) {
        LOGFONTW heavy = m_fontDesc;
        heavy.lfWeight = std::min<LONG>(heavy.lfWeight + 200, FW_BLACK);
        m_defaultItemFont.Reset(::CreateFontIndirectW(&heavy));
    }
    return m_defaultItemFont ? m_defaultItemFont.Get() : plain;
}

UINT CWinCmdBar2::AddPicture(HICON icon, UINT command)
{
    if (!icon || m_pictureTable.Full())
        return 0;
    if (!m_pictures) {
        m_pictures = ::ImageList_Create(m_pictureSize.cx, m_pictureSize.cy, ILC_COLOR32 | ILC_MASK, 1, 1);
        if (!m_pictures)
            return 0;
    }
    int index = ::ImageList_AddIcon(m_pictures, icon);
    if (index < 0)
        return 0;
    // Image i must stay the picture of entry i.
    if (index != m_pictureTable.Count()) {
        ::ImageList_Remove(m_pictures, index);
        return 0;
    }
    m_pictureTable.Add(command);
    return command;
}

const CmdBarItemRecord* CWinCmdBar2::FindRecord(ULONG_PTR itemData) const
{
    if (!itemData)
        return nullptr;
    for (const auto& record : m_records) {
        if (reinterpret_cast<ULONG_PTR>(record.get()) == itemData)
            return record->magic == cmdbar::kItemMagic ? record.get() : nullptr;
    }
    return nullptr;
}

void CWinCmdBar2::PruneRecords()
{
    // A record lives as long as an item of its menu carries it.
    m_records.erase(std::remove_if(m_records.begin(), m_records.end(),
                                   [](const std::unique_ptr<CmdBarItemRecord>& record) {
                                       return !::IsMenu(record->menu) || !ItemCarries(record->menu, record.get());
                                   }),
                    m_records.end());
}

void CWinCmdBar2::PrepareItems(HMENU popup)
{
    PruneRecords();
    int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
        if (!::GetMenuItemInfoW(popup, i, TRUE, &mii) || (mii.fType & MFT_OWNERDRAW))
            continue;

        auto record = std::make_unique<CmdBarItemRecord>();
        ReadMenuItemText(popup, i, record->text);
        record->type = mii.fType;
        record->state = mii.fState;
        record->picture = (mii.fType & MFT_SEPARATOR) ? -1 : m_pictureTable.Find(mii.wID);
        record->menu = popup;

        MENUITEMINFOW set{};
        set.cbSize = sizeof(set);
        set.fMask = MIIM_FTYPE | MIIM_DATA;
        set.fType = mii.fType | MFT_OWNERDRAW;
        set.dwItemData = reinterpret_cast<ULONG_PTR>(record.get());
        if (::SetMenuItemInfoW(popup, i, TRUE, &set))
            m_records.push_back(std::move(record));
    }
}

void CWinCmdBar2::MeasureMenuItem(MEASUREITEMSTRUCT& mis, const CmdBarItemRecord& item)
{
    if (item.type & MFT_SEPARATOR) {
        mis.itemWidth = 0;
        mis.itemHeight = ::GetSystemMetrics(SM_CYMENU) / 2;
        return;
    }
    RECT rc{};
    {
        ScopedWindowDC dc(m_toolbar);
        ScopedSelectObject font(dc.Get(), FontFor((item.state & MFS_DEFAULT) != 0));
        std::wstring shown = cmdbar::HideMnemonics(item.text);
        ::DrawTextW(dc.Get(), shown.c_str(), static_cast<int>(shown.size()), &rc,
                    DT_SINGLELINE | DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX);
    }
    mis.itemHeight = std::max(m_minItemHeight, cmdbar::MeasureItemHeight(m_fontDesc.lfHeight));
    mis.itemWidth = cmdbar::MeasureItemWidth(rc.right - rc.left, ::GetSystemMetrics(SM_CXMENUCHECK));
}

void CWinCmdBar2::DrawMenuItem(const DRAWITEMSTRUCT& dis, const CmdBarItemRecord& item)
{
    HDC dc = dis.hDC;
    RECT r = dis.rcItem;
    bool selected = (dis.itemState & ODS_SELECTED) != 0;
    bool grayed = (dis.itemState & ODS_GRAYED) != 0;
    bool checked = (dis.itemState & ODS_CHECKED) != 0;

    if (selected) {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_MENUHILIGHT));
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_HIGHLIGHT));
    } else if (dis.itemAction & ODA_SELECT) {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_MENU));
    }

    if (item.type & MFT_SEPARATOR) {
        RECT line = r;
        line.top += (r.bottom - r.top) / 2;
        ::DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }

    bool hasPicture = item.picture >= 0 && m_pictures;
    cmdbar::ItemLayout layout = cmdbar::LayoutItem({r.left, r.top, r.right, r.bottom}, hasPicture, checked);
    if (hasPicture && !grayed)
        ::ImageList_Draw(m_pictures, item.picture, dc, layout.picture.x, layout.picture.y, ILD_TRANSPARENT);

    COLORREF colour = TextColour(grayed, selected);
    if (checked) {
        for (int y = 0; y < cmdbar::kCheckGlyphSize; ++y) {
            for (int x = 0; x < cmdbar::kCheckGlyphSize; ++x) {
                if (cmdbar::CheckGlyphPixel(x, y))
                    ::SetPixelV(dc, layout.checkGlyph.x + x, layout.checkGlyph.y + y, colour);
            }
        }
    }

    COLORREF oldColour = ::SetTextColor(dc, colour);
    int oldMode = ::SetBkMode(dc, TRANSPARENT);
    ScopedSelectObject font(dc, FontFor((dis.itemState & ODS_DEFAULT) != 0));
    cmdbar::ItemTextParts parts = cmdbar::SplitAtTab(item.text);
    // Prefixes are hidden by hand: not every DrawText honours DT_HIDEPREFIX.
    std::wstring label = cmdbar::HideMnemonics(parts.label);
    std::wstring shortcut = cmdbar::HideMnemonics(parts.shortcut);
    RECT text = ToRect(layout.text);
    constexpr UINT kLine = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    ::DrawTextW(dc, label.c_str(), static_cast<int>(label.size()), &text, kLine | DT_LEFT);
    if (!shortcut.empty())
        ::DrawTextW(dc, shortcut.c_str(), static_cast<int>(shortcut.size()), &text, kLine | DT_RIGHT);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
}

LRESULT CWinCmdBar2::OnPopupMenuChar(WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    // The system finds no mnemonic in an owner-drawn item: look it up in the records.
    auto menu = reinterpret_cast<HMENU>(lParam);
    auto key = static_cast<wchar_t>(LOWORD(wParam));
    int count = menu ? ::GetMenuItemCount(menu) : 0;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_DATA | MIIM_STATE;
        if (!::GetMenuItemInfoW(menu, i, TRUE, &mii) || (mii.fState & MFS_DISABLED))
            continue;
        const CmdBarItemRecord* record = FindRecord(mii.dwItemData);
        if (record && !(record->type & MFT_SEPARATOR) && cmdbar::HasMnemonic(record->text, key))
            return MAKELRESULT(i, MNC_EXECUTE);
    }
    handled = FALSE;
    return 0;
}

LRESULT CWinCmdBar2::OnToolbarMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled)
{
    switch (msg) {
        case WM_MEASUREITEM: {
            auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mis && mis->CtlType == ODT_MENU) {
                if (const CmdBarItemRecord* record = FindRecord(mis->itemData)) {
                    MeasureMenuItem(*mis, *record);
                    return TRUE;
                }
            }
            break;
        }
        case WM_DRAWITEM: {
            auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (dis && dis->CtlType == ODT_MENU) {
                if (const CmdBarItemRecord* record = FindRecord(dis->itemData))
                    DrawMenuItem(*dis, *record);
            }
            return TRUE;
        }
        case WM_INITMENUPOPUP: {
            // The owner goes first, so that items it adds or changes here are drawn alike.
            LRESULT result = CWinCmdBar::OnToolbarMessage(msg, wParam, lParam, handled);
            if (IsTrackingThis() && !HIWORD(lParam) && m_ownerDraw)
                PrepareItems(reinterpret_cast<HMENU>(wParam));
            return result;
        }
        case WM_MENUCHAR:
            return OnPopupMenuChar(wParam, lParam, handled);
        default:
            break;
    }
    return CWinCmdBar::OnToolbarMessage(msg, wParam, lParam, handled);
}
