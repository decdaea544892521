// The default settings for new notes: process-wide values that each carry
// their configuration key and are written the moment they change.
#pragma once

#include <string>

// A 32-bit value stored in the main section "Quillboard".
class IntSetting {
public:
    IntSetting(const wchar_t* key, int builtInDefault);

    const wchar_t* Key() const { return m_key; }
    int Get() const { return m_value; }
    operator int() const { return m_value; }

    // Takes the stored value when the file holds one; no range is applied.
    void Load();
    // Assigns and writes at once.
    void SetAndStore(int value);

private:
    wchar_t m_key[64];
    int m_value;
};

// A text stored in the section "Program".
class StringSetting {
public:
    StringSetting(const wchar_t* key, const wchar_t* builtInDefault);

    const wchar_t* Key() const { return m_key; }
    const std::wstring& Get() const { return m_value; }

    // Reads up to 1023 characters, the current value being the default.
    void Load();
    // Assigns and writes only when the text differs (case-sensitive).
    void SetAndStore(const std::wstring& value);

private:
    wchar_t m_key[64];
    std::wstring m_value;
};

extern IntSetting m_default_note_theme;  // 0 plain, 1 shadow, 2 shadow in the note's colour
extern IntSetting m_default_bg_color;    // colour kind: 0 dark, 1 light, 2 any, 3 custom
extern IntSetting m_custom_bg_color;
extern IntSetting m_default_fg_color;  // colour kind, as above
extern IntSetting m_custom_fg_color;
extern IntSetting m_default_transparency;  // percent, 0..50 from the slider
extern IntSetting m_default_on_top;
extern IntSetting m_hide_bar;
extern StringSetting m_default_font;
extern IntSetting m_default_font_size;  // LOGFONT height
extern IntSetting m_default_font_bold;  // LOGFONT weight
extern IntSetting m_default_font_italic;
extern StringSetting m_default_note_size;  // edge length of a new note, as text

// Choices of the time-note dialog, read by that dialog itself.
extern IntSetting m_default_note_time_task;
extern IntSetting wd_checked_cur;

// Reads every default setting of a new note from the file, in the fixed order.
void LoadDefaultSettings();
