// The configuration file as bytes: read it the way the platform's profile
// functions do, apply writes, and give back the bytes those functions would
// have written. No Windows here, so that it is unit tested and fuzzed natively;
// the code-page conversions come from the caller.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ini {

enum class Encoding { Ansi, Utf8, Utf16LE, Utf16BE };

// Conversions between the file's bytes and text. toAnsi returns false when a
// character has no exact counterpart in the code page.
struct Codec {
    std::wstring (*ansiToWide)(const char* bytes, size_t size);
    bool (*wideToAnsi)(const std::wstring& text, std::string* out);
    std::wstring (*utf8ToWide)(const char* bytes, size_t size);
    std::string (*wideToUtf8)(const std::wstring& text);
};

// Latin-1 and a plain UTF-8 coder: for native tests and fuzzing.
const Codec& PortableCodec();

struct Key {
    std::wstring name;
    bool hasValue = false;  // a line without "=" keeps its place but has no value
    std::wstring value;
};

struct Section {
    std::wstring name;  // empty for the lines before the first section header
    std::vector<Key> keys;
};

// The file as the profile functions hold it in memory.
class Document {
public:
    static Document Parse(const std::wstring& text);
    std::wstring Serialize() const;

    // Each returns true when the document changed.
    bool Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    bool DeleteKey(const std::wstring& section, const std::wstring& key);
    bool DeleteSection(const std::wstring& section);

    const std::vector<Section>& Sections() const { return m_sections; }

    // Lookups as the profile functions answer them: the key of the first section of that
    // name (outer blanks of both names ignored), or null.
    const Key* Find(const std::wstring& section, const std::wstring& key) const;
    // True when Set with these arguments would change nothing.
    bool Holds(const std::wstring& section, const std::wstring& key, const std::wstring& value) const;
    // Every line of the first section named exactly so (case aside), each followed by "\r\n":
    // "key=value", or "key" for a line without "="; comments (";") left out.
    std::wstring SectionText(const std::wstring& section) const;

private:
    std::vector<Section> m_sections;
};

Encoding DetectEncoding(const std::string& bytes, size_t* markLength);
std::wstring Decode(const std::string& bytes, Encoding* encoding, const Codec& codec);
// An ANSI text that the code page cannot hold is written as UTF-16 with its
// byte-order mark instead, so that no character is lost; *encoding tells which.
std::string Encode(const std::wstring& text, Encoding* encoding, const Codec& codec);

// A value as a read hands it back in a buffer of `size` characters: cut to size - 1,
// one pair of enclosing quotes (" or ') removed when the buffer holds the closing one.
std::wstring ReadValue(const std::wstring& value, size_t size);

struct Change {
    enum Kind { SetValue, RemoveKey, RemoveSection } kind = SetValue;
    std::wstring section, key, value;
};

// Applies the changes in order, as that many profile-function calls would.
// Returns false when nothing changed (the file is then left as it is).
bool Rewrite(const std::string& oldBytes,
             const std::vector<Change>& changes,
             const Codec& codec,
             std::string* newBytes);

}  // namespace ini
