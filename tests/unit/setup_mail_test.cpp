#include "setup/Mail.h"

#include <gtest/gtest.h>

#include "app/Config.h"
#include "lang/LanguageTable.h"
#include "tests/unit/LangState.h"

namespace {

TEST(MailText, AttachmentNameAndTheMailtoLink)
{
    MailContent m = ComposeRecommendation(L"Quillboard", L"Recommend Quillboard ", L"https://example/q",
                                          L"C:\\Apps\\Quillboard.exe");
    EXPECT_EQ(L"Quillboard.exe", m.attachmentName);

    m = {};
    m.subject = L"Quill board";
    m.body = L"Empfehlung: \x00FC\r\n&=?#\xD83D\xDE00";
    EXPECT_EQ(L"mailto:?subject=Quill%20board&body=Empfehlung%3A%20%C3%BC%0D%0A%26%3D%3F%23%F0%9F%98%80", MailtoUrl(m));
    EXPECT_EQ(L"%EF%BF%BD", PercentEncode(std::wstring(1, wchar_t(0xD800)))) << "a lone surrogate";
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
    g_seen.mail = mail;
    g_seen.owner = owner;
    return g_seen.answer;
}

void FakeOpen(const std::wstring& target)
{
    g_seen.opened.push_back(target);
}

using Recommendation = LangStateTest;

TEST_F(Recommendation, MapiFirstThenMailtoAndTheFolderForTheAttachment)
{
    const HWND owner = reinterpret_cast<HWND>(0x1234);
    const struct {
        int language;
        MailResult answer;
        bool attach;
        std::vector<std::wstring> opened;  // "mailto", then the folder
    } cases[] = {
        {1, MailResult::Sent, true, {}},
        {1, MailResult::Cancelled, true, {}},  // the user closed the mail program's dialog
        {1, MailResult::Failed, false, {L"mailto"}},
        {0, MailResult::Failed, true, {L"mailto", GetProgramFolder()}},
    };
    for (const auto& c : cases) {
        SetCurrentLanguage(c.language);
        g_seen = Seen();
        g_seen.answer = c.answer;
        EXPECT_EQ(c.answer, RecommendByMail(owner, c.attach, {&FakeSend, &FakeOpen}));
        EXPECT_TRUE(g_seen.sends == 1 && g_seen.owner == owner && g_seen.mail.subject == L"Quillboard");
        EXPECT_EQ(c.language ? L"Recommend Quillboard\r\n" + std::wstring(GetHeaderString(24))
                             : L"Quillboard weiterempfehlen\r\n" + std::wstring(GetHeaderString(23)),
                  g_seen.mail.body);
        EXPECT_EQ(c.attach ? GetProgramPath() : L"", g_seen.mail.attachmentPath);
        std::vector<std::wstring> expected = c.opened;
        if (!expected.empty())
            expected[0] = MailtoUrl(g_seen.mail);
        EXPECT_EQ(expected, g_seen.opened);
    }
}

}  // namespace
