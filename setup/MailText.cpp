#include "setup/MailText.h"

#include "app/ConfigRules.h"

namespace {

std::wstring Trimmed(const std::wstring& s)
{
    size_t b = s.find_first_not_of(L" \t");
    if (b == std::wstring::npos)
        return std::wstring();
    size_t e = s.find_last_not_of(L" \t");
    return s.substr(b, e - b + 1);
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string Utf8(const std::wstring& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = static_cast<char16_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char16_t>(text[i + 1]) - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;  // a lone surrogate has no UTF-8 form
        }
        AppendUtf8(out, c);
    }
    return out;
}

}  // namespace

MailContent ComposeRecommendation(const std::wstring& programName,
                                  const std::wstring& sentence,
                                  const std::wstring& productPage,
                                  const std::wstring& attachmentPath)
{
    MailContent mail;
    mail.subject = programName;
    mail.body = Trimmed(sentence);
    if (!productPage.empty())
        mail.body += (mail.body.empty() ? L"" : L"\r\n") + productPage;
    mail.attachmentPath = attachmentPath;
    if (!attachmentPath.empty())
        mail.attachmentName = FileNameOf(attachmentPath);
    return mail;
}

std::wstring PercentEncode(const std::wstring& text)
{
    static const char kHex[] = "0123456789ABCDEF";
    std::wstring out;
    for (unsigned char b : Utf8(text)) {
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' || b == '.' ||
            b == '_' || b == '~') {
            out += static_cast<wchar_t>(b);
        } else {
            out += L'%';
            out += static_cast<wchar_t>(kHex[b >> 4]);
            out += static_cast<wchar_t>(kHex[b & 15]);
        }
    }
    return out;
}

std::wstring MailtoUrl(const MailContent& mail)
{
    return L"mailto:?subject=" + PercentEncode(mail.subject) + L"&body=" + PercentEncode(mail.body);
}
