// The command bar that draws the popup menus it tracks: a 16 x 16 picture per
// command, check marks, separators, highlight, and the shortcut right-aligned.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "controls/CmdBarLogic.h"
#include "controls/WinCmdBar.h"
#include "ui/ScopedHandles.h"

// Attached as item data to every popup item the bar draws.
struct CmdBarItemRecord {
    std::uint32_t magic = cmdbar::kItemMagic;
    wchar_t text[cmdbar::kItemTextChars] = {};
    UINT type = 0;  // the item's type flags before it became owner-drawn
    UINT state = 0;
    int picture = -1;
    HMENU menu = nullptr;  // the menu that carries the item
};

class CWinCmdBar2 : public CWinCmdBar {
public:
    CWinCmdBar2() = default;
    ~CWinCmdBar2() override;

    LRESULT OnToolbarMessage(UINT msg, WPARAM wParam, LPARAM lParam, BOOL& handled) override;
    virtual void DrawMenuItem(const DRAWITEMSTRUCT& dis, const CmdBarItemRecord& item);

    // Appends the icon to the picture list as the picture of `command`. Returns
    // the command, or 0 when the icon is unusable or the table is full.
    UINT AddPicture(HICON icon, UINT command);
    int GetPictureCount() const { return m_pictureTable.Count(); }
    int FindPicture(UINT command) const { return m_pictureTable.Find(command); }
    HIMAGELIST GetPictures() const { return m_pictures; }

    void SetOwnerDraw(bool on) { m_ownerDraw = on; }
    bool GetOwnerDraw() const { return m_ownerDraw; }

    // Makes every item of the popup that is not owner-drawn yet one of ours.
    void PrepareItems(HMENU popup);
    void MeasureMenuItem(MEASUREITEMSTRUCT& mis, const CmdBarItemRecord& item);
    // The record behind an item's data, or null when the data is not one of ours.
    const CmdBarItemRecord* FindRecord(ULONG_PTR itemData) const;
    size_t GetRecordCount() const { return m_records.size(); }
    // Frees the records of items that no longer exist.
    void PruneRecords();
    HFONT GetMenuFont();

private:
    HFONT FontFor(bool defaultItem);
    LRESULT OnPopupMenuChar(WPARAM wParam, LPARAM lParam, BOOL& handled);

    ScopedGdiObject<HFONT> m_menuFont;
    ScopedGdiObject<HFONT> m_defaultItemFont;
    LOGFONTW m_fontDesc = {};
    HIMAGELIST m_pictures = nullptr;
    cmdbar::PictureTable m_pictureTable;
    bool m_ownerDraw = true;
    int m_iconColumnWidth = cmdbar::kIconColumn;
    int m_minItemHeight = cmdbar::kMinItemHeight;
    SIZE m_pictureSize = {cmdbar::kPictureSize, cmdbar::kPictureSize};
    std::vector<std::unique_ptr<CmdBarItemRecord>> m_records;
};

// The one command bar of the process.
extern CWinCmdBar2 g_cmdBar;
