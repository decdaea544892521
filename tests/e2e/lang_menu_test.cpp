// The language menu's commands in the running program: switching, export, loading a file through the open-file dialog
// and the report box.
#include "res/resource.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace e2e;

namespace {

bool Has(const std::vector<std::wstring>& texts, const wchar_t* text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::wstring ExportPath()
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"Quillboard_1.00_translate.txt";
}

// The first visible edit control: the open-file dialog's file name.
HWND FirstEdit(HWND window)
{
    for (HWND child : Children(window))
        if (ClassName(child) == L"Edit" && ::IsWindowVisible(child))
            return child;
    return nullptr;
}

// Loads a file through the program's open-file dialog; returns the report's text.
std::wstring LoadThroughDialog(const QuillProcess& p, HWND main, const std::wstring& path)
{
    ::PostMessageW(main, WM_COMMAND, ID_LOAD_LANGUAGE_FILE, 0);
    HWND dialog = WaitForBox(p, main, [](HWND box) { return FirstEdit(box) != nullptr; });
    if (!dialog)
        return L"<no open-file dialog>";
    ::SendMessageW(FirstEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND report = WaitForBox(p, main, [](HWND box) { return WindowText(box) == L"Translate"; });
    if (!report)
        return L"<no report>";
    const std::wstring text = BoxText(report);
    CloseBox(report);
    return text;
}

}  // namespace

// Chosen from the menu, German relabels at once and is stored; a language file exported and loaded back
// through the open-file dialog outlives a later switch.
TEST(LanguageMenu, SwitchExportAndLoadThroughTheOpenDialog)
{
    const std::wstring exported = ExportPath();
    ::DeleteFileW(exported.c_str());
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"lng", L"1");
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Has(ToolbarTexts(main), L"Language"));
    for (const auto& [lng, language, donate] :
         {std::tuple{0, L"Sprache", L"# Spenden"}, std::tuple{1, L"Language", L"# Donate"}}) {
        ::PostMessageW(main, WM_COMMAND, ID_LANGUAGE_FIRST + lng, 0);
        EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, L"Program", L"lng") == std::to_wstring(lng); }));
        const std::vector<std::wstring> texts = ToolbarTexts(main);
        EXPECT_TRUE(Has(texts, language)) << "the bar's Language menu, lng=" << lng;
        EXPECT_TRUE(Has(texts, donate)) << "the bar's Donate button, lng=" << lng;
    }

    ::PostMessageW(main, WM_COMMAND, ID_TRANSLATE, 0);
    ASSERT_TRUE(WaitUntil([&] {
        return FileBytes(exported).find(Utf16File(L"\r\n##=Englisch\tEnglish\r\n").substr(2)) != std::string::npos;
    }));
    // Without an editor for text files the shell may say so in a box of its own.
    if (HWND shellBox = WaitForBox(p, main, nullptr, 1500))
        ::PostMessageW(shellBox, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return WaitForBox(p, main, nullptr, 0) == nullptr; }));

    EXPECT_EQ(L"100 %", LoadThroughDialog(p, main, exported));

    // A built-in language chosen now is stored, but the texts stay the file's.
    ::PostMessageW(main, WM_COMMAND, ID_LANGUAGE_FIRST, 0);
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, L"Program", L"lng") == L"0"; }));
    const std::vector<std::wstring> texts = ToolbarTexts(main);
    EXPECT_TRUE(Has(texts, L"# Donate"));
    EXPECT_FALSE(Has(texts, L"# Spenden"));
}
