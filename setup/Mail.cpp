#include "setup/Mail.h"

#include <shellapi.h>

#include <vector>

#include "app/Config.h"
#include "app/ProgramMenu.h"
#include "lang/LanguageTable.h"

namespace {

// The wide-character simple-MAPI structures; the toolchain's mapi.h has only the ANSI ones.
struct MapiRecipDescW {
    ULONG ulReserved;
    ULONG ulRecipClass;
    PWSTR lpszName;
    PWSTR lpszAddress;
    ULONG ulEIDSize;
    LPVOID lpEntryID;
};

struct MapiFileDescW {
    ULONG ulReserved;
    ULONG flFlags;
    ULONG nPosition;
    PWSTR lpszPathName;
    PWSTR lpszFileName;
    LPVOID lpFileType;
};

struct MapiMessageW {
    ULONG ulReserved;
    PWSTR lpszSubject;
    PWSTR lpszNoteText;
    PWSTR lpszMessageType;
    PWSTR lpszDateReceived;
    PWSTR lpszConversationID;
    ULONG flFlags;
    MapiRecipDescW* lpOriginator;
    ULONG nRecipCount;
    MapiRecipDescW* lpRecips;
    ULONG nFileCount;
    MapiFileDescW* lpFiles;
};

using SendMailW =
    ULONG(WINAPI*)(ULONG_PTR session, ULONG_PTR uiParam, MapiMessageW* message, ULONG flags, ULONG reserved);

constexpr ULONG kMapiLogonUi = 0x1;
constexpr ULONG kMapiDialog = 0x8;
constexpr ULONG kMapiSuccess = 0;
constexpr ULONG kMapiUserAbort = 1;

// MAPI takes non-const strings.
std::vector<wchar_t> Buffer(const std::wstring& s)
{
    std::vector<wchar_t> b(s.begin(), s.end());
    b.push_back(0);
    return b;
}

MailResult SendThroughMapi(HWND owner, const MailContent& mail)
{
    HMODULE mapi = ::LoadLibraryW(L"mapi32.dll");
    if (!mapi)
        return MailResult::Failed;
    auto send = reinterpret_cast<SendMailW>(reinterpret_cast<void*>(::GetProcAddress(mapi, "MAPISendMailW")));
    MailResult result = MailResult::Failed;
    if (send) {
        std::vector<wchar_t> subject = Buffer(mail.subject);
        std::vector<wchar_t> body = Buffer(mail.body);
        std::vector<wchar_t> path = Buffer(mail.attachmentPath);
        std::vector<wchar_t> name = Buffer(mail.attachmentName);
        MapiFileDescW file = {};
        file.nPosition = static_cast<ULONG>(-1);
        file.lpszPathName = path.data();
        file.lpszFileName = name.data();
        MapiMessageW message = {};
        message.lpszSubject = subject.data();
        message.lpszNoteText = body.data();
        if (!mail.attachmentPath.empty()) {
            message.nFileCount = 1;
            message.lpFiles = &file;
        }
        ULONG code = send(0, reinterpret_cast<ULONG_PTR>(owner), &message, kMapiDialog | kMapiLogonUi, 0);
        result = code == kMapiSuccess     ? MailResult::Sent
                 : code == kMapiUserAbort ? MailResult::Cancelled
                                          : MailResult::Failed;
    }
    ::FreeLibrary(mapi);
    return result;
}

void ShellOpen(const std::wstring& target)
{
    ::ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOW);
}

std::wstring Lang(int id)
{
    const wchar_t* text = GetLangString(id);
    return text ? text : L"";
}

}  // namespace

MailServices SystemMailServices()
{
    return {&SendThroughMapi, &ShellOpen};
}

MailResult RecommendByMail(HWND owner, bool attachProgram, const MailServices& services)
{
    const wchar_t* page = GetHeaderString(GetCurrentLanguage() == 0 ? 23 : 24);
    const MailContent mail = ComposeRecommendation(kProgramName, ReplaceProgramName(Lang(242), kProgramName),
                                                   page ? page : L"", attachProgram ? GetProgramPath() : L"");
    const MailResult result = services.send(owner, mail);
    if (result == MailResult::Failed) {
        services.open(MailtoUrl(mail));
        if (attachProgram)
            services.open(GetProgramFolder());
    }
    return result;
}
