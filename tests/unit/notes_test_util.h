// Shared set-up of the note tests: a fresh INI file per test, the rich-edit
// library, the built-in defaults back after each test, and message pumping.
#pragma once

#include "app/Config.h"
#include "app/DefaultSettings.h"
#include "notes/NoteTable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace notes_test {

inline void Pump(DWORD ms = 0)
{
    const DWORD end = ::GetTickCount() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms)
            ::Sleep(5);
    } while (static_cast<int>(end - ::GetTickCount()) > 0);
}

// Pumps until pred holds or about five seconds pass.
inline bool PumpUntil(const std::function<bool()>& pred)
{
    for (int i = 0; i < 500; ++i) {
        if (pred())
            return true;
        Pump(10);
    }
    return pred();
}

// Keys of a section in file order.
inline std::vector<std::wstring> SectionKeys(const wchar_t* section)
{
    std::vector<std::wstring> keys;
    const std::wstring lines = ReadProfileSection(section);
    size_t start = 0;
    while (start < lines.size()) {
        size_t end = lines.find(L"\r\n", start);
        if (end == std::wstring::npos)
            end = lines.size();
        const std::wstring line = lines.substr(start, end - start);
        keys.push_back(line.substr(0, line.find(L'=')));
        start = end + 2;
    }
    return keys;
}

inline void ResetNoteTableForTestingAndPump()
{
    ResetNoteTableForTesting();
    Pump();
}

inline void RestoreBuiltInDefaults()
{
    m_default_note_theme.SetAndStore(1);
    m_default_bg_color.SetAndStore(1);
    m_custom_bg_color.SetAndStore(0x002CFFFF);
    m_default_fg_color.SetAndStore(0);
    m_custom_fg_color.SetAndStore(0x0000002C);
    m_default_transparency.SetAndStore(0);
    m_default_on_top.SetAndStore(0);
    m_hide_bar.SetAndStore(0);
    m_default_font.SetAndStore(L"Segoe Print");
    m_default_font_size.SetAndStore(-21);
    m_default_font_bold.SetAndStore(400);
    m_default_font_italic.SetAndStore(0);
    m_default_note_size.SetAndStore(L"250");
    m_default_note_time_task.SetAndStore(0);
    wd_checked_cur.SetAndStore(1);
}

class NotesFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::LoadLibraryW(L"RICHED20.DLL");
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        wchar_t file[MAX_PATH];
        ::GetTempFileNameW(temp, L"qbn", 0, file);
        m_path = file;
        SetConfigPathForTesting(m_path);
    }
    void TearDown() override
    {
        RestoreBuiltInDefaults();
        ::DeleteFileW(m_path.c_str());
    }
    std::wstring m_path;
};

}  // namespace notes_test
