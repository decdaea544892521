// The built-in language table inside the real program: the main window's title.
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

using namespace e2e;

TEST(LangTitle, GermanAndEnglishShowTheProductNameAndVersion)
{
    // Without administrator rights the title holds two blanks in a row.
    const std::wstring expected = std::wstring(L"Quillboard 1.00 ") + (IsUserAnAdmin() ? L"Admin" : L"") + L" (x64)";
    for (int lng : {0, 1}) {
        const std::wstring ini = NewIniPath();
        IniWrite(ini, L"Program", L"lng", std::to_wstring(lng).c_str());
        QuillProcess p;
        HWND main = p.StartMain(L"-ini:" + ini);
        ASSERT_TRUE(main);
        EXPECT_EQ(expected, WindowText(main)) << "lng=" << lng;
    }
}
