#include "app/IniFile.h"

#include <utility>

namespace ini {

namespace {

// The profile functions count ^Z (an old end-of-file mark) as white space too.
bool IsSpace(wchar_t c)
{
    return (c >= 0x09 && c <= 0x0d) || c == 0x1a || c == 0x20;
}

wchar_t Fold(wchar_t c)
{
    if (c >= L'A' && c <= L'Z')
        return static_cast<wchar_t>(c + 32);
    // Latin-1, Greek and Cyrillic capitals: enough for names a person types.
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB) || (c >= 0x410 && c <= 0x42F))
        return static_cast<wchar_t>(c + 32);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<wchar_t>(c + 80);
    return c;
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Fold(a[i]) != Fold(b[i]))
            return false;
    return true;
}

// The profile functions keep names and values as C strings: a NUL ends them.
std::wstring UpToNul(std::wstring s)
{
    const size_t nul = s.find(L'\0');
    if (nul != std::wstring::npos)
        s.resize(nul);
    return s;
}

std::wstring SkipLeadingSpace(const std::wstring& s)
{
    size_t i = 0;
    while (i < s.size() && IsSpace(s[i]))
        ++i;
    return s.substr(i);
}

std::wstring TrimTrailingSpace(std::wstring s)
{
    while (!s.empty() && IsSpace(s.back()))
        s.pop_back();
    return s;
}

// A name or value that reads back the same after the file is written and read again.
bool Stable(const std::wstring& s, const wchar_t* breaking)
{
    if (!s.empty() && IsSpace(s.back()))
        return false;
    return s.find_first_of(breaking) == std::wstring::npos;
}

std::string Utf16Bytes(const std::wstring& text, bool bigEndian)
{
    std::string out;
    out.reserve(2 + text.size() * 2);
    auto put = [&](unsigned c) {
        const char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>((c >> 8) & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    put(0xFEFF);
    for (wchar_t c : text)
        put(static_cast<unsigned>(c) & 0xFFFF);
    return out;
}

std::wstring Latin1ToWide(const char* bytes, size_t size)
{
    std::wstring out(size, L'\0');
    for (size_t i = 0; i < size; ++i)
        out[i] = static_cast<unsigned char>(bytes[i]);
    return out;
}

bool WideToLatin1(const std::wstring& text, std::string* out)
{
    out->assign(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned>(text[i]) > 0xFF)
            return false;
        (*out)[i] = static_cast<char>(text[i]);
    }
    return true;
}

std::wstring Utf8ToWide(const char* bytes, size_t size)
{
    std::wstring out;
    for (size_t i = 0; i < size;) {
        const unsigned char b = static_cast<unsigned char>(bytes[i]);
        const int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
        unsigned cp = extra == 0 ? b : extra == 1 ? b & 0x1F : extra == 2 ? b & 0x0F : b & 0x07;
        bool ok = extra >= 0 && i + extra < size;
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char c = static_cast<unsigned char>(bytes[i + k]);
            ok = (c & 0xC0) == 0x80;
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok || cp > 0x10FFFF) {
            out += static_cast<wchar_t>(0xFFFD);
            ++i;
            continue;
        }
        if (cp >= 0x10000 && sizeof(wchar_t) == 2) {
            out += static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<wchar_t>(cp);
        }
        i += extra + 1;
    }
    return out;
}

std::string WideToUtf8(const std::wstring& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned cp = static_cast<unsigned>(text[i]);
        if (sizeof(wchar_t) == 2 && cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() &&
            (static_cast<unsigned>(text[i + 1]) & 0xFC00) == 0xDC00)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<unsigned>(text[++i]) - 0xDC00);
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

}  // namespace

const Codec& PortableCodec()
{
    static const Codec codec = {&Latin1ToWide, &WideToLatin1, &Utf8ToWide, &WideToUtf8};
    return codec;
}

Document Document::Parse(const std::wstring& text)
{
    Document doc;
    doc.m_sections.emplace_back();
    const Key* previous = nullptr;
    const size_t n = text.size();
    size_t next = 0;
    while (next < n) {
        size_t start = next;
        while (next < n && text[next] != L'\n' && text[next] != L'\r')
            ++next;
        while (next < n && (text[next] == L'\n' || text[next] == L'\r'))
            ++next;
        size_t end = next;
        while (start < end && IsSpace(text[start]))
            ++start;
        while (end > start && IsSpace(text[end - 1]))
            --end;
        if (start >= end)
            continue;

        if (text[start] == L'[') {
            size_t len = end - start;  // up to and with the last ']'
            while (len > 0 && text[start + len - 1] != L']')
                --len;
            if (len > 0) {
                Section section;
                // The name inside the brackets loses its outer blanks too.
                size_t first = start + 1, last = start + len - 1;
                while (first < last && IsSpace(text[first]))
                    ++first;
                while (last > first && IsSpace(text[last - 1]))
                    --last;
                section.name = UpToNul(text.substr(first, last - first));
                doc.m_sections.push_back(std::move(section));
                previous = nullptr;
                continue;
            }
        }

        size_t nameLength = end - start;
        size_t valueStart = start;
        while (valueStart < end && text[valueStart] != L'=')
            ++valueStart;
        const bool hasValue = valueStart < end;
        if (hasValue) {
            size_t nameEnd = valueStart;
            while (nameEnd > start && IsSpace(text[nameEnd - 1]))
                --nameEnd;
            nameLength = nameEnd - start;
            ++valueStart;
            while (valueStart < end && IsSpace(text[valueStart]))
                ++valueStart;
        }
        // Of several lines in a row without a name, only the first is kept.
        if (nameLength || !previous || !previous->name.empty()) {
            Key key;
            key.name = UpToNul(text.substr(start, nameLength));
            key.hasValue = hasValue;
            if (hasValue)
                key.value = UpToNul(text.substr(valueStart, end - valueStart));
            std::vector<Key>& keys = doc.m_sections.back().keys;
            keys.push_back(std::move(key));
            previous = &keys.back();
        }
    }
    return doc;
}

std::wstring Document::Serialize() const
{
    size_t size = 0;
    for (const Section& s : m_sections) {
        size += s.name.size() + 4;
        for (const Key& k : s.keys)
            size += k.name.size() + k.value.size() + 3;
    }
    std::wstring out;
    out.reserve(size);
    for (const Section& s : m_sections) {
        if (!s.name.empty()) {
            out += L'[';
            out += s.name;
            out += L"]\r\n";
        }
        for (const Key& k : s.keys) {
            out += k.name;
            if (k.hasValue) {
                out += L'=';
                out += k.value;
            }
            out += L"\r\n";
        }
    }
    return out;
}

bool Document::Set(const std::wstring& sectionName, const std::wstring& keyName, const std::wstring& rawValue)
{
    // Leading blanks are dropped; trailing ones are kept in a new name (until the file is read
    // again) but do not count when looking a name up.
    const std::wstring section = SkipLeadingSpace(UpToNul(sectionName));
    const std::wstring key = SkipLeadingSpace(UpToNul(keyName));
    const std::wstring value = SkipLeadingSpace(UpToNul(rawValue));
    const std::wstring sectionMatch = TrimTrailingSpace(section), keyMatch = TrimTrailingSpace(key);

    Key* target = nullptr;
    for (Section& s : m_sections) {
        if (!SameName(s.name, sectionMatch))
            continue;
        for (Key& k : s.keys)
            if (SameName(k.name, keyMatch)) {
                target = &k;
                break;
            }
        if (!target) {
            s.keys.push_back(Key{key, false, std::wstring()});
            target = &s.keys.back();
        }
        break;
    }
    if (!target) {
        m_sections.push_back(Section{section, {Key{key, false, std::wstring()}}});
        target = &m_sections.back().keys.back();
    }
    if (target->hasValue && target->value == value)
        return false;
    target->hasValue = true;
    target->value = value;
    return true;
}

const Key* Document::Find(const std::wstring& sectionName, const std::wstring& keyName) const
{
    const std::wstring section = TrimTrailingSpace(SkipLeadingSpace(UpToNul(sectionName)));
    const std::wstring key = TrimTrailingSpace(SkipLeadingSpace(UpToNul(keyName)));
    for (const Section& s : m_sections) {
        if (!SameName(s.name, section))
            continue;
        for (const Key& k : s.keys)
            if (SameName(k.name, key))
                return &k;
        return nullptr;
    }
    return nullptr;
}

bool Document::Holds(const std::wstring& section, const std::wstring& key, const std::wstring& value) const
{
    // Find matches names as Set does, and Set stores the value without its leading blanks.
    const Key* found = Find(section, key);
    return found && found->hasValue && found->value == SkipLeadingSpace(UpToNul(value));
}

std::wstring Document::SectionText(const std::wstring& section) const
{
    std::wstring out;
    for (const Section& s : m_sections) {
        if (!SameName(s.name, UpToNul(section)))
            continue;
        for (const Key& k : s.keys) {
            if ((k.name.empty() && !k.hasValue) || (!k.name.empty() && k.name[0] == L';'))
                continue;
            out += k.name;
            if (k.hasValue) {
                out += L'=';
                out += k.value;
            }
            out += L"\r\n";
        }
        break;
    }
    return out;
}

std::wstring ReadValue(const std::wstring& value, size_t size)
{
    if (size == 0)
        return std::wstring();
    std::wstring v = UpToNul(value);
    const bool quoted = v.size() >= 2 && (v[0] == L'"' || v[0] == L'\'') && v.back() == v[0];
    if (quoted)
        v.erase(0, 1);
    std::wstring out = v.substr(0, size - 1);
    if (quoted && size >= v.size() && !out.empty())
        out.pop_back();
    return out;
}

bool Document::DeleteKey(const std::wstring& section, const std::wstring& key)
{
    for (Section& s : m_sections) {
        if (!SameName(s.name, section))
            continue;
        for (auto k = s.keys.begin(); k != s.keys.end(); ++k)
            if (SameName(k->name, key)) {
                s.keys.erase(k);
                return true;
            }
    }
    return false;
}

bool Document::DeleteSection(const std::wstring& section)
{
    for (auto s = m_sections.begin(); s != m_sections.end(); ++s)
        if (SameName(s->name, section)) {
            m_sections.erase(s);
            return true;
        }
    return false;
}

Encoding DetectEncoding(const std::string& bytes, size_t* markLength)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    *markLength = 0;
    if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        *markLength = 3;
        return Encoding::Utf8;
    }
    if (bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE) {
        *markLength = 2;
        return Encoding::Utf16LE;
    }
    if (bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF) {
        *markLength = 2;
        return Encoding::Utf16BE;
    }
    return Encoding::Ansi;
}

std::wstring Decode(const std::string& bytes, Encoding* encoding, const Codec& codec)
{
    size_t mark = 0;
    *encoding = DetectEncoding(bytes, &mark);
    const char* p = bytes.data() + mark;
    const size_t size = bytes.size() - mark;
    switch (*encoding) {
        case Encoding::Ansi:
            return codec.ansiToWide(p, size);
        case Encoding::Utf8:
            return codec.utf8ToWide(p, size);
        case Encoding::Utf16LE:
        case Encoding::Utf16BE: {
            const bool big = *encoding == Encoding::Utf16BE;
            std::wstring out(size / 2, L'\0');
            for (size_t i = 0; i < out.size(); ++i) {
                const unsigned a = static_cast<unsigned char>(p[2 * i]), b = static_cast<unsigned char>(p[2 * i + 1]);
                out[i] = static_cast<wchar_t>(big ? (a << 8) | b : (b << 8) | a);
            }
            return out;
        }
    }
    return std::wstring();
}

std::string Encode(const std::wstring& text, Encoding* encoding, const Codec& codec)
{
    switch (*encoding) {
        case Encoding::Ansi: {
            std::string out;
            if (codec.wideToAnsi(text, &out))
                return out;
            *encoding = Encoding::Utf16LE;
            return Utf16Bytes(text, false);
        }
        case Encoding::Utf8:
            return "\xEF\xBB\xBF" + codec.wideToUtf8(text);
        case Encoding::Utf16LE:
            return Utf16Bytes(text, false);
        case Encoding::Utf16BE:
            return Utf16Bytes(text, true);
    }
    return std::string();
}

bool Rewrite(const std::string& oldBytes, const std::vector<Change>& changes, const Codec& codec, std::string* newBytes)
{
    Encoding encoding = Encoding::Ansi;
    Document doc = Document::Parse(Decode(oldBytes, &encoding, codec));

    // Each profile call writes the file and the next one reads it back. Reading back changes
    // the document only in rare cases (a section header without a name, a value that ends in
    // blanks or holds a line break); only then is that round trip made here too.
    bool reread = false;
    for (size_t i = 1; i < doc.Sections().size() && !reread; ++i)
        reread = doc.Sections()[i].name.empty();

    bool changed = false;
    for (const Change& c : changes) {
        if (changed && reread)
            doc = Document::Parse(doc.Serialize());
        bool did = false;
        switch (c.kind) {
            case Change::SetValue:
                did = doc.Set(c.section, c.key, c.value);
                if (did &&
                    !(Stable(SkipLeadingSpace(c.section), L"\r\n[]") && Stable(SkipLeadingSpace(c.key), L"\r\n=[]") &&
                      !SkipLeadingSpace(c.key).empty() && Stable(c.value, L"\r\n")))
                    reread = true;
                break;
            case Change::RemoveKey:
                did = doc.DeleteKey(c.section, c.key);
                break;
            case Change::RemoveSection:
                did = doc.DeleteSection(c.section);
                break;
        }
        changed = changed || did;
    }
    if (!changed)
        return false;
    *newBytes = Encode(doc.Serialize(), &encoding, codec);
    return true;
}

}  // namespace ini
