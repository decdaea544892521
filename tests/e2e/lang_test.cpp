// The built-in language table inside the real program: the main window's title.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <string>

using namespace e2e;

namespace {

// The same question the program asks: may this process write below HKEY_LOCAL_MACHINE?
bool ProcessIsAdmin()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_WRITE, &key) !=
        ERROR_SUCCESS)
        return false;
    const wchar_t kValue[] = L"_________ADMIN_TEST_qb_e2e_lang";
    DWORD data = 1;
    bool ok = ::RegSetValueExW(key, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data), sizeof data) ==
              ERROR_SUCCESS;
    if (ok)
        ::RegDeleteValueW(key, kValue);
    ::RegCloseKey(key);
    return ok;
}

std::string Narrow(const std::wstring& s)
{
    return std::string(s.begin(), s.end());
}

std::wstring TitleFor(const std::wstring& program, const wchar_t* lng)
{
    std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"lng", lng);
    QuillProcess p(program);
    if (!p.Start(L"-ini:" + ini))
        return L"<not started>";
    HWND main = p.WaitForMainWindow();
    if (!main)
        return L"<no main window>";
    p.WaitIdle();
    std::wstring title = WindowText(main);
    ::PostMessageW(main, WM_COMMAND, 32916, 0);
    DWORD code = 0;
    EXPECT_TRUE(p.WaitForExit(15000, &code));
    return title;
}

}  // namespace

TEST(LangTitle, GermanAndEnglishShowTheProductNameAndVersion)
{
    // Without administrator rights the title holds two blanks in a row.
    const std::wstring expected = std::wstring(L"Quillboard 1.00 ") + (ProcessIsAdmin() ? L"Admin" : L"") + L" (x64)";
    for (const wchar_t* lng : {L"0", L"1"}) {
        std::wstring title = TitleFor(ProgramPath(), lng);
        EXPECT_EQ(expected, title) << "lng=" << Narrow(lng) << ": got \"" << Narrow(title) << "\"";
    }
}

TEST(LangTitle, PortableCopyAddsPortable)
{
    std::wstring program = CopyProgram(NewFolder(true), L"Quillboard_portable.exe");
    const std::wstring expected =
        std::wstring(L"Quillboard 1.00 ") + (ProcessIsAdmin() ? L"Admin" : L"") + L" (x64) Portable";
    std::wstring title = TitleFor(program, L"0");
    EXPECT_EQ(expected, title) << "got \"" << Narrow(title) << "\"";
}
