// Recommend by mail: simple MAPI with its own dialog, else a "mailto:" link.
#pragma once

#include <windows.h>

#include <string>

#include "setup/MailText.h"

enum class MailResult { Sent, Cancelled, Failed };

// The platform calls the recommendation goes through; tests put fakes here.
struct MailServices {
    MailResult (*send)(HWND owner, const MailContent& mail);
    void (*open)(const std::wstring& target);
};

// MAPISendMailW from mapi32.dll, loaded for each call; ShellExecuteW "open".
MailServices SystemMailServices();

// Composes the mail in the current language and hands it to the mail program;
// without one, opens a "mailto:" link instead, and with an attachment also the
// program's folder so that the file can be attached by hand.
MailResult RecommendByMail(HWND owner, bool attachProgram, const MailServices& services = SystemMailServices());
