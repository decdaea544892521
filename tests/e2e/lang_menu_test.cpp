// The language menu's commands in the running program: switching, export, loading a file through the
// open-file dialog and the report box.
#include "res/resource.h"
#include "tests/e2e/Boxes.h"
#include "tests/e2e/Driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
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

std::wstring ReadUtf16(const std::wstring& path)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
    std::wstring text;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
        text.push_back(wchar_t(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

bool IsOpenDialog(HWND box)
{
    return FirstEdit(box) != nullptr;
}

bool IsReport(HWND box)
{
    return WindowText(box) == L"Translate";
}

// Loads a file through the program's open-file dialog; returns the report's text.
std::wstring LoadThroughDialog(const QuillProcess& p, HWND main, const std::wstring& path)
{
    ::PostMessageW(main, WM_COMMAND, ID_LOAD_LANGUAGE_FILE, 0);
    HWND dialog = WaitForBox(p, main, IsOpenDialog);
    if (!dialog)
        return L"<no open-file dialog>";
    ::SendMessageW(FirstEdit(dialog), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    HWND report = WaitForBox(p, main, IsReport);
    if (!report)
        return L"<no report>";
    std::wstring text = BoxText(report);
    ::PostMessageW(report, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !::IsWindow(report); });
    return text;
}

}  // namespace

TEST(LanguageMenu, GermanRelabelsAtOnceAndIsStored)
{
    const std::wstring ini = NewIniPath();
    IniWrite(ini, L"Program", L"lng", L"1");
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    ASSERT_TRUE(Has(ToolbarTexts(main), L"Language"));
    ::PostMessageW(main, WM_COMMAND, ID_LANGUAGE_FIRST, 0);
    EXPECT_TRUE(WaitUntil([&] { return IniRead(ini, L"Program", L"lng") == L"0"; }));
    const std::vector<std::wstring> texts = ToolbarTexts(main);
    EXPECT_TRUE(Has(texts, L"Sprache")) << "the bar's Language menu";
    EXPECT_TRUE(Has(texts, L"# Spenden")) << "the bar's Donate button";
}

TEST(LanguageMenu, ExportLoadsBackThroughTheOpenDialogAndOutlivesASwitch)
{
    const std::wstring exported = ExportPath();
    ::DeleteFileW(exported.c_str());
    const std::wstring ini = NewIniPath();
    QuillProcess p;
    HWND main = p.StartMain(L"-ini:" + ini);
    ASSERT_TRUE(main);
    ::PostMessageW(main, WM_COMMAND, ID_TRANSLATE, 0);
    ASSERT_TRUE(
        WaitUntil([&] { return ReadUtf16(exported).find(L"\r\n##=Englisch\tEnglish\r\n") != std::wstring::npos; }));
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
