#include "app/DefaultSettings.h"

#include "app/Config.h"

#include <cwchar>

namespace {

void CopyKey(wchar_t (&dest)[64], const wchar_t* key)
{
    std::wcsncpy(dest, key ? key : L"", 63);
    dest[63] = L'\0';
}

}  // namespace

IntSetting::IntSetting(const wchar_t* key, int builtInDefault) : m_value(builtInDefault)
{
    CopyKey(m_key, key);
}

void IntSetting::Load()
{
    m_value = ReadProfileInt(kProgramName, m_key, m_value);
}

void IntSetting::SetAndStore(int value)
{
    m_value = value;
    WriteProfileInt(kProgramName, m_key, value);
}

StringSetting::StringSetting(const wchar_t* key, const wchar_t* builtInDefault)
    : m_value(builtInDefault ? builtInDefault : L"")
{
    CopyKey(m_key, key);
}

void StringSetting::Load()
{
    wchar_t buffer[1024];
    std::wcsncpy(buffer, m_value.c_str(), 1023);
    buffer[1023] = L'\0';
    ReadProfileString(kProgramSection, m_key, buffer, 1024);
    m_value = buffer;
}

void StringSetting::SetAndStore(const std::wstring& value)
{
    if (value == m_value)
        return;
    m_value = value;
    WriteProfileString(kProgramSection, m_key, m_value.c_str());
}

IntSetting m_default_note_theme(L"m_default_note_theme", 1);
IntSetting m_default_bg_color(L"m_default_bg_color", 1);
IntSetting m_custom_bg_color(L"m_custom_bg_color", 0x002CFFFF);
IntSetting m_default_fg_color(L"m_default_fg_color", 0);
IntSetting m_custom_fg_color(L"m_custom_fg_color", 0x0000002C);
IntSetting m_default_transparency(L"m_default_transparency", 0);
IntSetting m_default_on_top(L"m_default_on_top", 0);
IntSetting m_hide_bar(L"m_hide_bar", 0);
StringSetting m_default_font(L"m_default_font", L"Segoe Print");
IntSetting m_default_font_size(L"m_default_font_size", -21);
IntSetting m_default_font_bold(L"m_default_font_bold", 400);
IntSetting m_default_font_italic(L"m_default_font_italic", 0);
StringSetting m_default_note_size(L"m_default_note_size", L"250");

IntSetting m_default_note_time_task(L"m_default_note_time_task", 0);
IntSetting wd_checked_cur(L"wd_checked_cur", 1);

void LoadDefaultSettings()
{
    m_custom_fg_color.Load();
    m_custom_bg_color.Load();
    m_hide_bar.Load();
    m_default_on_top.Load();
    m_default_bg_color.Load();
    m_default_fg_color.Load();
    m_default_note_theme.Load();
    m_default_font.Load();
    m_default_note_size.Load();
    m_default_font_italic.Load();
    m_default_font_bold.Load();
    m_default_font_size.Load();
    m_default_transparency.Load();
}
