// The record behind a note: position, size, colours, font, flags, and its
// section in the INI file. Load, save and delete go through one key table in
// save order. No window here: the content (rich text) is handed in by the
// window that holds it.
#pragma once

#include <cstdint>
#include <string>

#include "timenotes/TimeNoteSchedule.h"

// Longest font face the record holds, as the stored value is read.
constexpr std::size_t kMaxFaceLength = 244;

class NoteRecord {
public:
    // noteId is the note number as "%03d"; the fields start from the defaults.
    explicit NoteRecord(const wchar_t* noteId);
    virtual ~NoteRecord() = default;

    // Whether the file holds a note with this number (its "m_cx" is there).
    static bool ProbeNote(int number);

    // Every field to its value for a new note; cursorX/Y is the mouse position.
    void ResetFromDefaults(int cursorX, int cursorY);
    // Reads the stored fields; a missing key keeps the field as it is.
    void LoadSettings();
    // Whether a save must be skipped: the note is deleted, or closed while empty and still empty.
    bool SaveSkipped(int textLength) const;
    // Writes the sixteen keys in their order; contentRtf is the whole text as rich text. With
    // keepStoredContent the stored content is written back as it is (shown as plain text for safety).
    void SaveRecord(const std::wstring& contentRtf, bool keepStoredContent = false) const;
    // Removes the legacy text section, then the settings section.
    void DeleteSections() const;
    // Single keys of this note's section; the current value is the default.
    void ReadKeyInt(const wchar_t* key, int& value) const;
    void WriteKeyInt(const wchar_t* key, int value) const;

    const std::wstring& NoteId() const { return m_noteId; }
    const std::wstring& SettingsSection() const { return m_settingsSection; }
    // The note number the id stands for.
    int Number() const;
    bool IsDeleted() const { return m_deleted; }
    bool IsClosedWhileEmpty() const { return m_closedWhileEmpty; }
    int Theme() const { return m_theme; }
    // Whether the fields came from the file rather than from the defaults.
    bool IsLoaded() const { return m_loaded; }

    // Stored fields, in the order the record declares them, named after their keys.
    int m_pos_x = 0;
    std::uint32_t m_color = 0;  // COLORREF
    int m_pos_y = 0;
    int m_transparency = 0;
    int m_ontop = 0;
    int m_closed = 0;
    std::uint32_t m_clrBkgnd = 0;  // COLORREF
    int m_cx = 250;
    int m_cy = 250;
    int m_time_note = 0;  // not stored
    int m_font_h = -21;
    int b_italic = 0;
    int b_bold = 400;
    TimeNoteSchedule m_schedule;  // not stored
    std::wstring m_font_str;
    int m_by_hidden = 0;

protected:
    std::wstring m_noteId;
    std::wstring m_settingsSection;  // id + "_Notice_set"
    std::wstring m_legacySection;    // id + "_Notice", read only as a fallback

    bool m_deleted = false;
    bool m_closedWhileEmpty = false;
    bool m_loaded = false;
    int m_theme = 0;
};
