// The recommendation mail: subject, body, attachment and the "mailto:" link
// that stands in when no mail program takes it. No Windows here.
#pragma once

#include <string>

struct MailContent {
    std::wstring subject;
    std::wstring body;
    std::wstring attachmentPath;  // empty: no attachment
    std::wstring attachmentName;
};

// sentence is the recommendation text with the program's name in it; the body
// is that sentence and the product page, one per line.
MailContent ComposeRecommendation(const std::wstring& programName,
                                  const std::wstring& sentence,
                                  const std::wstring& productPage,
                                  const std::wstring& attachmentPath);

// "mailto:?subject=...&body=..." with both parts percent-encoded as UTF-8.
std::wstring MailtoUrl(const MailContent& mail);

// Percent-encoding of the UTF-8 bytes; letters, digits and "-._~" stay.
std::wstring PercentEncode(const std::wstring& text);
