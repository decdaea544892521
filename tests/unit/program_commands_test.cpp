// The main window's program commands: the addresses they open, the menu texts the toolbar's tooltips take and
// the Send To check mark.
#include "app/ProgramCommands.h"
#include "app/ProgramMenu.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "shell/SendTo.h"
#include "tests/unit/LangState.h"

#include <gtest/gtest.h>

using ProgramCommands = LangStateTest;

TEST_F(ProgramCommands, WebPagesFollowTheLanguage)
{
    EXPECT_EQ(L"https://brightmoor.example/de?seite=faq-Quillboard", WebPageAddress(ID_FAQ, 0));
    EXPECT_EQ(L"https://brightmoor.example/en?seite=faq-Quillboard", WebPageAddress(ID_FAQ, 1));
    EXPECT_EQ(L"", WebPageAddress(ID_INFO, 1)) << "a command without a page";
}

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

// (Only notification code zero is a command: checked end to end.)
TEST_F(ProgramCommands, OnlyItsOwnCommandsAndPopupsShowTheSendToMark)
{
    CProgramCommands commands([] {});
    LRESULT result = 0;
    EXPECT_FALSE(commands.ProcessWindowMessage(nullptr, WM_COMMAND, ID_APP_EXIT, 0, result)) << "not ours";
    EXPECT_FALSE(commands.ProcessWindowMessage(nullptr, WM_COMMAND, ID_LANGUAGE_LAST + 1, 0, result));
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuW(menu, MF_STRING, ID_SENDTO_TOGGLE, L"Send To");
    for (bool exists : {true, false}) {
        if (exists)
            ASSERT_EQ(S_OK, g_sendTo.CreateShortcut(kSendToName));
        else
            g_sendTo.RemoveShortcut(kSendToName);
        EXPECT_FALSE(
            commands.ProcessWindowMessage(nullptr, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0, result))
            << "the default handling goes on";
        EXPECT_EQ(exists, (::GetMenuState(menu, ID_SENDTO_TOGGLE, MF_BYCOMMAND) & MF_CHECKED) != 0);
    }
    ::DestroyMenu(menu);
}
