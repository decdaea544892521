#include "controls/ToolbarRes.h"

#include <commctrl.h>

#include <vector>

#include "controls/CmdBarLogic.h"
#include "controls/ToolbarResFormat.h"
#include "res/toolbars.h"

namespace {

int FontHeight(HWND toolbar)
{
    auto font = reinterpret_cast<HFONT>(::SendMessageW(toolbar, WM_GETFONT, 0, 0));
    if (!font)
        font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW lf{};
    if (!font || !::GetObjectW(font, sizeof(lf), &lf))
        return 0;
    return lf.lfHeight;
}

bool ReadToolbarResource(HINSTANCE instance, UINT id, ToolbarResource& out)
{
    HRSRC info = ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(QB_RT_TOOLBAR));
    if (!info)
        return false;
    HGLOBAL data = ::LoadResource(instance, info);
    const void* bytes = data ? ::LockResource(data) : nullptr;
    return bytes && ParseToolbarResource(bytes, ::SizeofResource(instance, info), out);
}

// Image list or toolbar bitmap, whichever the depth of the bitmap calls for.
void AddImages(HWND toolbar, HINSTANCE instance, UINT id, int imageWidth, int imageCount)
{
    int depth = BitmapResourceDepth(instance, id);
    if (depth == 0)
        return;
    if (depth > 4) {
        COLORREF mask = depth == 32 ? CLR_NONE : CLR_DEFAULT;
        HIMAGELIST images = ::ImageList_LoadImageW(instance, MAKEINTRESOURCEW(id), imageWidth, 1, mask, IMAGE_BITMAP,
                                                   LR_CREATEDIBSECTION);
        if (images)
            ::SendMessageW(toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
        return;
    }
    TBADDBITMAP add{instance, id};
    ::SendMessageW(toolbar, TB_ADDBITMAP, imageCount, reinterpret_cast<LPARAM>(&add));
}

}  // namespace

int BitmapResourceDepth(HINSTANCE instance, UINT id)
{
    HRSRC info = ::FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    if (!info)
        return 0;
    HGLOBAL data = ::LoadResource(instance, info);
    const auto* bytes = data ? static_cast<const BYTE*>(::LockResource(data)) : nullptr;
    DWORD size = ::SizeofResource(instance, info);
    if (!bytes || size < sizeof(BITMAPCOREHEADER))
        return 0;
    DWORD headerSize = *reinterpret_cast<const DWORD*>(bytes);
    if (headerSize == sizeof(BITMAPCOREHEADER))
        return reinterpret_cast<const BITMAPCOREHEADER*>(bytes)->bcBitCount;
    if (size < sizeof(BITMAPINFOHEADER))
        return 0;
    return reinterpret_cast<const BITMAPINFOHEADER*>(bytes)->biBitCount;
}

bool LoadToolbarResource(HWND toolbar, HINSTANCE instance, UINT id, bool leadingSeparator)
{
    ToolbarResource res;
    if (!::IsWindow(toolbar) || !ReadToolbarResource(instance, id, res))
        return false;

    std::vector<TBBUTTON> buttons;
    if (leadingSeparator)
        buttons.push_back(TBBUTTON{0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0});
    int image = 0;
    for (std::uint16_t command : res.commands) {
        if (command == 0)
            buttons.push_back(TBBUTTON{0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0});
        else
            buttons.push_back(TBBUTTON{image++, command, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0});
    }

    cmdbar::ToolbarSizes sizes = cmdbar::ComputeToolbarSizes(res.imageWidth, res.imageHeight, FontHeight(toolbar));
    ::SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(sizes.bitmapWidth, sizes.bitmapHeight));
    AddImages(toolbar, instance, id, res.imageWidth, image);
    ::SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(sizes.buttonWidth, sizes.buttonHeight));
    if (!buttons.empty())
        ::SendMessageW(toolbar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    return true;
}

HWND CreateToolbarFromResource(HWND parent,
                               HINSTANCE instance,
                               UINT id,
                               DWORD style,
                               DWORD exStyle,
                               UINT controlId,
                               bool leadingSeparator)
{
    HWND toolbar = ::CreateWindowExW(exStyle, TOOLBARCLASSNAMEW, nullptr, style | WS_CHILD, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(controlId)), instance, nullptr);
    if (toolbar)
        LoadToolbarResource(toolbar, instance, id, leadingSeparator);
    return toolbar;
}

bool SetToolbarButtonText(HWND toolbar, int command, const wchar_t* text, BYTE extraStyle)
{
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STYLE;
    if (::SendMessageW(toolbar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) < 0)
        return false;
    info.dwMask = TBIF_STYLE | TBIF_TEXT;
    info.fsStyle = static_cast<BYTE>(info.fsStyle | BTNS_AUTOSIZE | extraStyle);
    info.pszText = const_cast<wchar_t*>(text ? text : L"");
    return ::SendMessageW(toolbar, TB_SETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) != 0;
}

SIZE MeasureToolbar(HWND toolbar)
{
    int count = static_cast<int>(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    RECT rc{};
    if (count <= 0 || !::SendMessageW(toolbar, TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&rc)))
        return SIZE{0, 22};
    return SIZE{rc.right, rc.bottom - rc.top};
}
