#include "notes/RtfRuns.h"

#include <map>
#include <vector>

namespace {

// Set in a twin's pitch and family; font mappers read only the two low bits and the family.
const char kTwinPitch[] = "\\fprq4";

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads a number at pos; false when there is none or it is out of range.
bool ReadNumber(const std::string& s, size_t& pos, int& value)
{
    const size_t start = pos;
    long long v = 0;
    while (pos < s.size() && IsDigit(s[pos]) && pos - start < 6)
        v = v * 10 + (s[pos++] - '0');
    value = static_cast<int>(v);
    return pos > start && (pos >= s.size() || !IsDigit(s[pos]));
}

// The index of the brace that closes the group opening at pos, or npos.
size_t GroupEnd(const std::string& s, size_t pos)
{
    int depth = 0;
    for (size_t i = pos; i < s.size(); ++i) {
        if (s[i] == '\\')
            ++i;
        else if (s[i] == '{')
            ++depth;
        else if (s[i] == '}' && --depth == 0)
            return i;
    }
    return std::string::npos;
}

struct FontTable {
    size_t end = 0;             // index of the table's closing brace
    std::string twins;          // entries to add before it
    std::map<int, int> twinOf;  // font number -> twin number
};

bool ReadFontTable(const std::string& rtf, FontTable& table)
{
    const size_t start = rtf.find("{\\fonttbl");
    if (start == std::string::npos)
        return false;
    struct Entry {
        int number;
        std::string rest;
    };
    std::vector<Entry> entries;
    int highest = -1;
    size_t i = start + 9;
    for (;;) {
        while (i < rtf.size() && (rtf[i] == ' ' || rtf[i] == '\r' || rtf[i] == '\n'))
            ++i;
        if (i >= rtf.size())
            return false;
        if (rtf[i] == '}')
            break;
        if (rtf.compare(i, 3, "{\\f") != 0)
            return false;
        const size_t end = GroupEnd(rtf, i);
        if (end == std::string::npos)
            return false;
        size_t pos = i + 3;
        Entry entry;
        if (!ReadNumber(rtf, pos, entry.number))
            return false;
        entry.rest = rtf.substr(pos, end + 1 - pos);
        // A pitch of its own would make the twin differ in more than the unused bit.
        if (entry.rest.find("\\fprq") != std::string::npos)
            return false;
        highest = entry.number > highest ? entry.number : highest;
        entries.push_back(entry);
        i = end + 1;
    }
    if (entries.empty())
        return false;
    table.end = i;
    for (size_t k = 0; k < entries.size(); ++k) {
        const int twin = highest + 1 + static_cast<int>(k);
        table.twinOf[entries[k].number] = twin;
        table.twins += "{\\f" + std::to_string(twin) + kTwinPitch + entries[k].rest;
    }
    return true;
}

int DefaultFont(const std::string& rtf, size_t tableStart)
{
    size_t pos = rtf.rfind("\\deff", tableStart);
    int font = 0;
    if (pos != std::string::npos) {
        pos += 5;
        if (!ReadNumber(rtf, pos, font))
            font = 0;
    }
    return font;
}

}  // namespace

std::string SplitLongTextRuns(const std::string& rtf, size_t maxRun)
{
    if (rtf.compare(0, 5, "{\\rtf") != 0 || rtf.find("\\bin") != std::string::npos)
        return rtf;
    // Raw bytes of a multi-byte code page may look like braces or backslashes; the control escapes them.
    for (char c : rtf)
        if (static_cast<unsigned char>(c) >= 0x80)
            return rtf;
    FontTable table;
    if (!ReadFontTable(rtf, table))
        return rtf;

    std::string body;
    body.reserve(rtf.size() + rtf.size() / maxRun * 8);
    int depth = 1;
    int font = DefaultFont(rtf, table.end);
    bool onTwin = false;
    size_t run = 0;
    int guard = 0;  // text units after \u that belong to its fallback
    bool split = false;
    for (size_t i = table.end + 1; i < rtf.size(); ++i) {
        const char c = rtf[i];
        if (c == '{' || c == '}') {
            depth += c == '{' ? 1 : -1;
            run = 0;
            body += c;
            continue;
        }
        if (c == '\r' || c == '\n') {
            body += c;
            continue;
        }
        if (c == '\\' && i + 1 < rtf.size()) {
            const char next = rtf[i + 1];
            if (IsLetter(next)) {
                size_t pos = i + 1;
                while (pos < rtf.size() && IsLetter(rtf[pos]))
                    ++pos;
                const std::string word = rtf.substr(i + 1, pos - i - 1);
                int param = 0;
                bool hasParam = false;
                if (pos < rtf.size() && (IsDigit(rtf[pos]) || rtf[pos] == '-')) {
                    const bool negative = rtf[pos] == '-';
                    pos += negative ? 1 : 0;
                    hasParam = ReadNumber(rtf, pos, param);
                    param = negative ? -param : param;
                }
                if (pos < rtf.size() && rtf[pos] == ' ')
                    ++pos;
                body.append(rtf, i, pos - i);
                i = pos - 1;
                if (word == "u") {
                    guard = 4;
                    ++run;
                    continue;
                }
                if (depth == 1 && word == "f" && hasParam) {
                    font = param;
                    onTwin = false;
                }
                run = 0;
                continue;
            }
            const size_t length = next == '\'' ? 4 : 2;
            body.append(rtf, i, length);
            i += length - 1;
            run = (next == '\r' || next == '\n') ? 0 : run + 1;
            guard -= guard > 0 ? 1 : 0;
            continue;
        }
        body += c;
        ++run;
        if (guard > 0) {
            --guard;
            continue;
        }
        if (c != ' ' || depth != 1 || run < maxRun)
            continue;
        const auto twin = table.twinOf.find(font);
        if (twin == table.twinOf.end())
            continue;
        body += "\\f" + std::to_string(onTwin ? font : twin->second) + " ";
        onTwin = !onTwin;
        run = 0;
        split = true;
    }
    if (!split)
        return rtf;
    return rtf.substr(0, table.end) + table.twins + "}" + body;
}
