// The main window's program commands: the menu texts the toolbar's tooltips take and
// the Send To shortcut with its check mark.
#include "app/ProgramCommands.h"
#include "app/ProgramMenu.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "shell/SendTo.h"
#include "tests/unit/LangState.h"

#include <gtest/gtest.h>
#include <shlobj.h>

using ProgramCommands = LangStateTest;

TEST_F(ProgramCommands, MenuItemTextSearchesSubmenusAndTurnsTheTabIntoALineFeed)
{
    ProgramMenuOptions options;
    options.programName = L"Quillboard";
    HMENU menu = BuildProgramMenu(options);
    ASSERT_TRUE(menu);
    EXPECT_EQ(L"FAQ\n(# ?)", MenuItemText(menu, ID_FAQ));
    EXPECT_EQ(L"Quillboard.ini/..", MenuItemText(menu, ID_OPEN_INI_FOLDER)) << "two levels down";
    EXPECT_EQ(L"", MenuItemText(menu, ID_NEW_NOTE));
    HMENU popup = ::GetSubMenu(menu, 0);
    ::AppendMenuW(popup, MF_STRING, ID_PIN_MAIN, std::wstring(120, L'x').c_str());
    EXPECT_EQ(79u, MenuItemText(menu, ID_PIN_MAIN).size()) << "a tooltip holds at most 80 characters";
    ::DestroyMenu(menu);
}

// The shortcut lies in the test prefix's own Send To folder. (Only notification code zero is a command: checked
// end to end.)
TEST_F(ProgramCommands, SendToShortcutAndItsMarkInTheMenus)
{
    CProgramCommands commands([] {});
    LRESULT result = 0;
    EXPECT_FALSE(commands.ProcessWindowMessage(nullptr, WM_COMMAND, ID_APP_EXIT, 0, result)) << "not ours";
    EXPECT_FALSE(commands.ProcessWindowMessage(nullptr, WM_COMMAND, ID_LANGUAGE_LAST + 1, 0, result));
    const std::wstring path = CSendTo::ShortcutPath(kSendToName);
    ASSERT_FALSE(path.empty());
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_SENDTO_TOGGLE, L"Send To");
    for (bool exists : {true, false}) {
        if (exists)
            ASSERT_EQ(S_OK, g_sendTo.CreateShortcut(kSendToName)) << "creating again replaces the file";
        else
            EXPECT_TRUE(g_sendTo.RemoveShortcut(kSendToName));
        EXPECT_EQ(exists, g_sendTo.ShortcutExists(kSendToName));
        EXPECT_FALSE(
            commands.ProcessWindowMessage(nullptr, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, result))
            << "the default handling goes on";
        EXPECT_EQ(exists, (::GetMenuState(menu, ID_SENDTO_TOGGLE, MF_BYCOMMAND) & MF_CHECKED) != 0);
    }
    ::DestroyMenu(menu);
    EXPECT_FALSE(g_sendTo.RemoveShortcut(kSendToName));

    // The link starts this program.
    ASSERT_EQ(S_OK, g_sendTo.CreateShortcut(kSendToName));
    wchar_t target[MAX_PATH] = {};
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) && SUCCEEDED(file->Load(path.c_str(), STGM_READ)))
            link->GetPath(target, MAX_PATH, nullptr, 0);
        if (file)
            file->Release();
        link->Release();
    }
    EXPECT_EQ(0, lstrcmpiW(ModuleFilePath().c_str(), target));
    EXPECT_TRUE(g_sendTo.RemoveShortcut(kSendToName));

    // A directory of that name is no shortcut, and it stays the user's.
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_FALSE(g_sendTo.ShortcutExists(kSendToName));
    EXPECT_NE(S_OK, g_sendTo.CreateShortcut(kSendToName));
    EXPECT_FALSE(g_sendTo.RemoveShortcut(kSendToName));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
    RemoveDirectoryW(path.c_str());
}
