// The main window's program commands: the addresses they open, the Info text, the menu texts the
// toolbar's tooltips take, the notification-code rule and the Send To check mark.
#include "app/ProgramCommands.h"
#include "app/ProgramMenu.h"
#include "lang/LanguageTable.h"
#include "res/resource.h"
#include "shell/SendTo.h"

#include <gtest/gtest.h>

namespace {

class ProgramCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        TheLanguageTable().fileMode = 0;
        ASSERT_TRUE(LoadLanguageTable());
    }
    void TearDown() override { g_lang_index = m_savedLang; }
    int m_savedLang = g_lang_index;
};

}  // namespace

TEST_F(ProgramCommands, WebPagesFollowTheLanguage)
{
    const struct {
        UINT command;
        int lang;
        const wchar_t* address;
    } cases[] = {
        {ID_FAQ, 0, L"https://brightmoor.example/de?seite=faq-Quillboard"},
        {ID_FAQ, 1, L"https://brightmoor.example/en?seite=faq-Quillboard"},
        {ID_DONATE, 1, L"https://brightmoor.example/en/?seite=paypal&Program=Quillboard"},
        {ID_HOMEPAGE, 0, L"https://brightmoor.example/de/quillboard"},
        {ID_HISTORY, 1, L"https://brightmoor.example/en/quillboard/History"},
        {ID_INFO, 1, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.address, WebPageAddress(c.command, c.lang)) << c.command << " in " << c.lang;
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

TEST_F(ProgramCommands, OnlyNotificationCodeZeroIsACommandAndPopupsShowTheSendToMark)
{
    int applied = 0;
    CProgramCommands commands([&] { applied++; });
    const int saved = GetCurrentLanguage();
    LRESULT result = 0;
    EXPECT_FALSE(commands.ProcessWindowMessage(nullptr, WM_COMMAND, MAKEWPARAM(ID_LANGUAGE_FIRST, 1), 0, result));
    EXPECT_EQ(0, applied);
    EXPECT_EQ(saved, GetCurrentLanguage());
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
