#include "notes/NoteRecord.h"

#include "app/Config.h"
#include "app/ConfigRules.h"
#include "app/DefaultSettings.h"
#include "notes/NoteColors.h"
#include "notes/NoteMetrics.h"
#include "notes/NoteText.h"

#include <cstdlib>
#include <ctime>
#include <cwchar>
#include <iterator>
#include <vector>

namespace {

const wchar_t kSettingsSuffix[] = L"_Notice_set";
const wchar_t kLegacySuffix[] = L"_Notice";

enum class KeyKind { Int, Color, Face, Content, Info };

struct RecordKey {
    const wchar_t* name;
    KeyKind kind;
    int NoteRecord::*intField;
    std::uint32_t NoteRecord::*colorField;
};

// Every key of a note's section, in the order a save writes them.
const RecordKey kRecordKeys[] = {
    {L"m_pos_y", KeyKind::Int, &NoteRecord::m_pos_y, nullptr},
    {L"m_pos_x", KeyKind::Int, &NoteRecord::m_pos_x, nullptr},
    {L"m_cy", KeyKind::Int, &NoteRecord::m_cy, nullptr},
    {L"m_cx", KeyKind::Int, &NoteRecord::m_cx, nullptr},
    {L"m_clrBkgnd", KeyKind::Color, nullptr, &NoteRecord::m_clrBkgnd},
    {L"m_by_hidden", KeyKind::Int, &NoteRecord::m_by_hidden, nullptr},
    {L"m_color", KeyKind::Color, nullptr, &NoteRecord::m_color},
    {L"m_transparency", KeyKind::Int, &NoteRecord::m_transparency, nullptr},
    {L"m_ontop", KeyKind::Int, &NoteRecord::m_ontop, nullptr},
    {L"m_closed", KeyKind::Int, &NoteRecord::m_closed, nullptr},
    {L"b_italic", KeyKind::Int, &NoteRecord::b_italic, nullptr},
    {L"b_bold", KeyKind::Int, &NoteRecord::b_bold, nullptr},
    {L"m_font_h", KeyKind::Int, &NoteRecord::m_font_h, nullptr},
    {L"m_font_str", KeyKind::Face, nullptr, nullptr},
    {L"m_note_str", KeyKind::Content, nullptr, nullptr},
    {L"m_note_str_info", KeyKind::Info, nullptr, nullptr},
};

std::wstring CutFace(const std::wstring& face)
{
    return face.size() > kMaxFaceLength ? face.substr(0, kMaxFaceLength) : face;
}

}  // namespace

NoteRecord::NoteRecord(const wchar_t* noteId)
    : m_noteId(noteId ? noteId : L"000"),
      m_settingsSection(m_noteId + kSettingsSuffix),
      m_legacySection(m_noteId + kLegacySuffix)
{
}

bool NoteRecord::ProbeNote(int number)
{
    const std::wstring section = NoteIdText(number) + kSettingsSuffix;
    return ReadProfileInt(section.c_str(), L"m_cx", -1000) != -1000;
}

int NoteRecord::Number() const
{
    return ParseProfileInt(m_noteId.c_str());
}

void NoteRecord::ResetFromDefaults(int cursorX, int cursorY)
{
    m_closedWhileEmpty = false;
    m_by_hidden = 0;
    m_deleted = false;
    m_loaded = false;
    m_transparency = m_default_transparency;
    m_pos_x = SaturateToInt(static_cast<long long>(cursorX) + 100);
    m_pos_y = SaturateToInt(static_cast<long long>(cursorY) + 100);

    b_italic = m_default_font_italic;
    b_bold = m_default_font_bold;
    m_font_h = m_default_font_size;
    m_font_str = CutFace(m_default_font.Get());
    m_ontop = 0;
    m_closed = 0;
    m_cx = m_cy = NoteSizeFromText(m_default_note_size.Get());

    std::srand(static_cast<unsigned>(std::time(nullptr) + std::clock()));
    const NewNoteColorDefaults defaults = {m_default_bg_color, static_cast<ColorRef>(m_custom_bg_color.Get()),
                                           m_default_fg_color, static_cast<ColorRef>(m_custom_fg_color.Get())};
    const NoteColorPair colors = ChooseNewNoteColors(defaults, [] { return std::rand(); });
    m_clrBkgnd = colors.background;
    m_color = colors.text;
    m_theme = m_default_note_theme;
}

void NoteRecord::ReadKeyInt(const wchar_t* key, int& value) const
{
    value = ReadProfileInt(m_settingsSection.c_str(), key, value);
}

void NoteRecord::WriteKeyInt(const wchar_t* key, int value) const
{
    WriteProfileInt(m_settingsSection.c_str(), key, value);
}

void NoteRecord::LoadSettings()
{
    m_transparency = m_default_transparency;
    m_by_hidden = 0;
    for (const RecordKey& key : kRecordKeys) {
        switch (key.kind) {
            case KeyKind::Int:
                ReadKeyInt(key.name, this->*key.intField);
                break;
            case KeyKind::Color: {
                int value = static_cast<int>(this->*key.colorField);
                ReadKeyInt(key.name, value);
                this->*key.colorField = static_cast<std::uint32_t>(value);
                break;
            }
            case KeyKind::Face: {
                wchar_t face[kMaxFaceLength + 1];
                CopyCut(face, m_font_str);
                ReadProfileString(m_settingsSection.c_str(), key.name, face, kMaxFaceLength + 1);
                m_font_str = face;
                break;
            }
            case KeyKind::Content:  // read by the window, into its text area
            case KeyKind::Info:     // for a human reader of the file only
                break;
        }
    }
    m_loaded = true;
}

bool NoteRecord::SaveSkipped(int textLength) const
{
    return (m_closedWhileEmpty && textLength < 1) || m_deleted;
}

void NoteRecord::SaveRecord(const std::wstring& contentRtf, bool keepStoredContent) const
{
    const wchar_t* section = m_settingsSection.c_str();
    // All sixteen keys in one file write: a save costs one rewrite of the file, not sixteen.
    std::vector<ProfileKey> keys;
    keys.reserve(std::size(kRecordKeys));
    for (const RecordKey& key : kRecordKeys) {
        switch (key.kind) {
            case KeyKind::Int:
                keys.push_back({key.name, std::to_wstring(this->*key.intField)});
                break;
            case KeyKind::Color:
                keys.push_back({key.name, std::to_wstring(static_cast<int>(this->*key.colorField))});
                break;
            case KeyKind::Face:
                keys.push_back({key.name, m_font_str});
                break;
            case KeyKind::Content:
                keys.push_back(
                    {key.name, keepStoredContent ? ReadProfileString(section, key.name) : EncodeNoteLine(contentRtf)});
                break;
            case KeyKind::Info:
                keys.push_back({key.name, kNoteStrInfo});
                break;
        }
    }
    WriteProfileKeys(section, keys);
}

void NoteRecord::DeleteSections() const
{
    DeleteProfileSection(m_legacySection.c_str());
    DeleteProfileSection(m_settingsSection.c_str());
}
