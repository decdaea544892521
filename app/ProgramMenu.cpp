#include "app/ProgramMenu.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include "controls/WinCmdBar2.h"
#include "lang/LanguageTable.h"
#include "res/toolbars.h"
#include "shell/UniSysIco.h"
#include "ui/MessageLoop.h"

namespace {

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

void AppendItem(HMENU menu, UINT command, const std::wstring& text)
{
    ::AppendMenuW(menu, MF_STRING, command, text.c_str());
}

void AppendSeparator(HMENU menu)
{
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
}

void AppendPopup(HMENU menu, HMENU popup, const std::wstring& text)
{
    if (popup && !::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text.c_str()))
        ::DestroyMenu(popup);
}

HMENU BuildPathsMenu(const ProgramMenuOptions& options)
{
    HMENU paths = ::CreatePopupMenu();
    if (!paths)
        return nullptr;
    const std::wstring& name = options.programName;
    if (options.uninstallCommand == ID_UNINSTALL_ALL_USERS || options.uninstallCommand == ID_UNINSTALL_USER)
        AppendItem(paths, options.uninstallCommand, Lang(202) + L" (" + name + L")");
    AppendItem(paths, ID_OPEN_PROGRAM_FOLDER, name + L"/..");
    AppendItem(paths, ID_OPEN_INI_FOLDER, name + L".ini/..");
    AppendItem(paths, ID_OPEN_INI, name + L".ini");
    return paths;
}

HMENU BuildProgramSubmenu(const ProgramMenuOptions& options)
{
    HMENU program = ::CreatePopupMenu();
    if (!program)
        return nullptr;
    AppendPopup(program, BuildPathsMenu(options), Lang(26));
    AppendSeparator(program);
    AppendItem(program, ID_START_NOTEPAD, Lang(80));
    AppendItem(program, ID_START_WORDPAD, Lang(81));
    AppendSeparator(program);
    AppendItem(program, ID_RECOMMEND, ReplaceProgramName(Lang(242), options.programName));
    AppendItem(program, ID_SEND_BY_MAIL, ReplaceProgramName(Lang(243), options.programName));
    AppendSeparator(program);
    AppendItem(program, ID_APP_EXIT, Lang(7));
    return program;
}

HMENU BuildInfoSubmenu(const ProgramMenuOptions& options)
{
    HMENU info = ::CreatePopupMenu();
    if (!info)
        return nullptr;
    AppendItem(info, ID_INFO, Lang(90));
    AppendSeparator(info);
    AppendItem(info, ID_FAQ, ReplaceProgramName(Lang(244) + L"\t(# ?)", options.programName));
    AppendItem(info, ID_HOMEPAGE, Lang(246));
    AppendItem(info, ID_HISTORY, Lang(245));
    AppendSeparator(info);
    AppendItem(info, ID_DONATE, Lang(78));
    return info;
}

// Where a picture comes from.
enum class Source { Shell, NewNote, NotePad, WordPad, ProgramIcon };

struct PictureEntry {
    UINT command;
    Source source;
    UINT shellIcon;
};

const PictureEntry kPictures[] = {
    {ID_APP_EXIT, Source::Shell, 28},
    {ID_RECOMMEND, Source::Shell, 265},
    {ID_SEND_BY_MAIL, Source::Shell, 265},
    {ID_FAQ, Source::Shell, 14},
    {ID_DONATE, Source::Shell, 14},
    {ID_HOMEPAGE, Source::Shell, 14},
    {ID_HISTORY, Source::Shell, 14},
    {ID_INFO, Source::Shell, 1001},
    {ID_NEW_NOTE, Source::NewNote, 0},
    {ID_START_NOTEPAD, Source::NotePad, 0},
    {ID_START_WORDPAD, Source::WordPad, 0},
    {ID_PICTURE_HELP, Source::Shell, 24},
    {ID_PICTURE_FOLDER_1, Source::Shell, 4},
    {ID_PICTURE_FOLDER_2, Source::Shell, 4},
    {ID_OPEN_PROGRAM_FOLDER, Source::Shell, 4},
    {ID_PICTURE_FOLDER_3, Source::Shell, 4},
    {ID_UNINSTALL_USER, Source::Shell, 192},
    {ID_PICTURE_32920, Source::Shell, 151},
    {ID_TRANSLATE, Source::Shell, 133},
    {ID_RUN_AS_ADMIN, Source::Shell, 16747},
    {ID_UNINSTALL_ALL_USERS, Source::Shell, 16747},
    {ID_PICTURE_44932, Source::Shell, 270},
    {ID_BRING_TO_FRONT, Source::ProgramIcon, 0},
    {ID_SENDTO_OPEN, Source::Shell, 5},
    {ID_SENDTO_REMOVE, Source::Shell, 240},
};

// Our own picture for a shell icon that the system's shell library lacks, or -1.
int FallbackPicture(UINT shellIcon)
{
    switch (shellIcon) {
        case 265:
            return MENU_PICTURE_MAIL;
        case 1001:
            return MENU_PICTURE_INFO;
        case 16747:
            return MENU_PICTURE_SHIELD;
        default:
            return -1;
    }
}

// An icon of the caller's own, destroyed after use; a shared one is left alone.
struct Icon {
    HICON handle = nullptr;
    bool owned = false;
    ~Icon()
    {
        if (owned && handle)
            ::DestroyIcon(handle);
    }
};

HIMAGELIST LoadStrip(UINT id, int width)
{
    return ::ImageList_LoadImageW(g_module.GetInstance(), MAKEINTRESOURCEW(id), width, 0, CLR_DEFAULT, IMAGE_BITMAP,
                                  LR_CREATEDIBSECTION);
}

HICON IconFromStrip(UINT id, int width, int index)
{
    HIMAGELIST strip = LoadStrip(id, width);
    if (!strip)
        return nullptr;
    HICON icon = ::ImageList_GetIcon(strip, index, ILD_NORMAL);
    ::ImageList_Destroy(strip);
    return icon;
}

HICON FirstIconOfFile(const std::wstring& path)
{
    if (path.empty())
        return nullptr;
    HICON large = nullptr;
    HICON smallIcon = nullptr;
    if (::ExtractIconExW(path.c_str(), 0, &large, &smallIcon, 1) == 0)
        return nullptr;
    if (large) {
        if (smallIcon)
            ::DestroyIcon(smallIcon);
        return large;
    }
    return smallIcon;
}

std::wstring NotePadPath()
{
    wchar_t path[MAX_PATH] = {};
    DWORD n = ::SearchPathW(nullptr, L"notepad.exe", nullptr, MAX_PATH, path, nullptr);
    return n > 0 && n < MAX_PATH ? path : L"";
}

std::wstring WordPadPath()
{
    wchar_t folder[MAX_PATH] = {};
    if (!::SHGetSpecialFolderPathW(nullptr, folder, CSIDL_PROGRAM_FILES, FALSE))
        return L"";
    return std::wstring(folder) + L"\\Windows NT\\Accessories\\wordpad.exe";
}

void LoadPicture(const PictureEntry& entry, HWND mainToolbar, Icon& icon)
{
    switch (entry.source) {
        case Source::Shell:
            icon.handle = CUniSysIco().LoadShellIcon(entry.shellIcon, false);
            if (!icon.handle && FallbackPicture(entry.shellIcon) >= 0) {
                icon.handle = IconFromStrip(IDB_MENU_PICTURES, 16, FallbackPicture(entry.shellIcon));
                icon.owned = true;
            }
            return;
        case Source::NewNote: {
            auto images = mainToolbar ? reinterpret_cast<HIMAGELIST>(::SendMessageW(mainToolbar, TB_GETIMAGELIST, 0, 0))
                                      : nullptr;
            icon.handle = images ? ::ImageList_GetIcon(images, 0, ILD_NORMAL) : IconFromStrip(IDR_TOOLBAR_MAIN, 16, 0);
            icon.owned = true;
            return;
        }
        case Source::NotePad:
            icon.handle = FirstIconOfFile(NotePadPath());
            icon.owned = true;
            return;
        case Source::WordPad:
            icon.handle = FirstIconOfFile(WordPadPath());
            if (!icon.handle)
                icon.handle = FirstIconOfFile(NotePadPath());
            icon.owned = true;
            return;
        case Source::ProgramIcon:
            icon.handle =
                static_cast<HICON>(::LoadImageW(g_module.GetInstance(), MAKEINTRESOURCEW(128), IMAGE_ICON,
                                                ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
            icon.owned = true;
            return;
    }
}

}  // namespace

std::wstring ReplaceProgramName(std::wstring text, const std::wstring& programName)
{
    static const std::wstring kMarker = L"#AP#";
    for (size_t at = text.find(kMarker); at != std::wstring::npos; at = text.find(kMarker, at + programName.size()))
        text.replace(at, kMarker.size(), programName);
    return text;
}

void AppendBasicLanguageMenu(HMENU menu)
{
    HMENU language = ::CreatePopupMenu();
    if (!language)
        return;
    AppendItem(language, ID_TRANSLATE, L"Translate");
    AppendItem(language, ID_LOAD_LANGUAGE_FILE, L"Load from File (Unicode)");
    AppendPopup(menu, language, Lang(77));
}

HMENU BuildProgramMenu(const ProgramMenuOptions& options)
{
    HMENU menu = ::CreateMenu();
    if (!menu)
        return nullptr;
    AppendPopup(menu, BuildProgramSubmenu(options), Lang(67));
    AppendPopup(menu, BuildInfoSubmenu(options), Lang(90));
    (options.appendLanguageMenu ? options.appendLanguageMenu : AppendBasicLanguageMenu)(menu);
    return menu;
}

int RegisterCommandPictures(CWinCmdBar2& bar, HWND mainToolbar)
{
    if (bar.GetPictureCount() > 0)
        return 0;
    int added = 0;
    for (const PictureEntry& entry : kPictures) {
        Icon icon;
        LoadPicture(entry, mainToolbar, icon);
        if (bar.AddPicture(icon.handle, entry.command))
            ++added;
    }
    return added;
}

namespace {

std::wstring ItemText(HMENU menu, int position)
{
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!::GetMenuItemInfoW(menu, UINT(position), TRUE, &info))
        return std::wstring();
    if (info.fType & MFT_OWNERDRAW) {
        const CmdBarItemRecord* record = g_cmdBar.FindRecord(info.dwItemData);
        return record ? record->text : L"";
    }
    wchar_t text[256] = {};
    ::GetMenuStringW(menu, UINT(position), text, 256, MF_BYPOSITION);
    return text;
}

bool FindItemText(HMENU menu, UINT command, int depth, std::wstring& text)
{
    const int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            // Menus are shallow; the bound only guards against a menu that holds itself.
            if (depth < 8 && FindItemText(sub, command, depth + 1, text))
                return true;
            continue;
        }
        if (::GetMenuItemID(menu, i) == command) {
            text = ItemText(menu, i);
            return true;
        }
    }
    return false;
}

}  // namespace

std::wstring MenuItemText(HMENU menu, UINT command)
{
    std::wstring text;
    if (!menu || !FindItemText(menu, command, 0, text))
        return std::wstring();
    for (wchar_t& c : text) {
        if (c == L'\t')
            c = L'\n';
    }
    if (text.size() > 79)
        text.resize(79);
    return text;
}
