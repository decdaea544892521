#include "setup/Mail.h"

#include <gtest/gtest.h>

#include "app/Config.h"
#include "lang/LanguageTable.h"

namespace {

TEST(MailText, SubjectBodyAndAttachment)
{
    MailContent m = ComposeRecommendation(L"Quillboard", L"Recommend Quillboard ", L"https://example/q",
                                          L"C:\\Apps\\Quillboard.exe");
    EXPECT_EQ(L"Quillboard", m.subject);
    EXPECT_EQ(L"Recommend Quillboard\r\nhttps://example/q", m.body);
    EXPECT_EQ(L"C:\\Apps\\Quillboard.exe", m.attachmentPath);
    EXPECT_EQ(L"Quillboard.exe", m.attachmentName);

    m = ComposeRecommendation(L"Quillboard", L"", L"https://example/q", L"");
    EXPECT_EQ(L"https://example/q", m.body);
    EXPECT_TRUE(m.attachmentName.empty());
}

TEST(MailText, MailtoLinkEncodesUtf8)
{
    MailContent m;
    m.subject = L"Quill board";
    m.body = L"Empfehlung: \x00FC\r\n&=?#\xD83D\xDE00";
    EXPECT_EQ(L"mailto:?subject=Quill%20board&body=Empfehlung%3A%20%C3%BC%0D%0A%26%3D%3F%23%F0%9F%98%80", MailtoUrl(m));
    EXPECT_EQ(L"%EF%BF%BD", PercentEncode(std::wstring(1, wchar_t(0xD800))));
}

// What the fake platform saw.
struct Seen {
    int sends = 0;
    MailContent mail;
    HWND owner = nullptr;
    std::vector<std::wstring> opened;
    MailResult answer = MailResult::Sent;
} g_seen;

MailResult FakeSend(HWND owner, const MailContent& mail)
{
    ++g_seen.sends;
    g_seen.owner = owner;
    g_seen.mail = mail;
    return g_seen.answer;
}

void FakeOpen(const std::wstring& target)
{
    g_seen.opened.push_back(target);
}

TEST(RecommendByMail, MapiFirstThenMailtoAndTheFolderForTheAttachment)
{
    ASSERT_TRUE(LoadLanguageTable());
    const int language = GetCurrentLanguage();
    SetCurrentLanguage(1);
    const MailServices fake = {&FakeSend, &FakeOpen};
    const HWND owner = reinterpret_cast<HWND>(0x1234);

    struct Case {
        MailResult answer;
        bool attach;
        size_t opened;
    } cases[] = {
        {MailResult::Sent, false, 0},     {MailResult::Sent, true, 0},
        {MailResult::Cancelled, true, 0},  // the user closed the mail program's dialog
        {MailResult::Failed, false, 1},   {MailResult::Failed, true, 2},
    };
    for (const Case& c : cases) {
        g_seen = Seen();
        g_seen.answer = c.answer;
        EXPECT_EQ(c.answer, RecommendByMail(owner, c.attach, fake));
        EXPECT_EQ(1, g_seen.sends);
        EXPECT_EQ(owner, g_seen.owner);
        EXPECT_EQ(L"Quillboard", g_seen.mail.subject);
        EXPECT_EQ(std::wstring(L"Recommend Quillboard\r\n") + GetHeaderString(24), g_seen.mail.body);
        EXPECT_EQ(c.attach ? GetProgramPath() : L"", g_seen.mail.attachmentPath);
        ASSERT_EQ(c.opened, g_seen.opened.size());
        if (c.opened > 0) {
            EXPECT_EQ(MailtoUrl(g_seen.mail), g_seen.opened[0]);
        }
        if (c.opened > 1) {
            EXPECT_EQ(GetProgramFolder(), g_seen.opened[1]);
        }
    }

    // German: the German sentence and product page.
    SetCurrentLanguage(0);
    g_seen = Seen();
    RecommendByMail(owner, false, fake);
    EXPECT_EQ(std::wstring(L"Quillboard weiterempfehlen\r\n") + GetHeaderString(23), g_seen.mail.body);
    SetCurrentLanguage(language);
}

}  // namespace
