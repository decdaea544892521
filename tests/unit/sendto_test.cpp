// The Send To shortcut: create, query, remove and open its folder, in the test prefix's own Send To folder.
#include <gtest/gtest.h>

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <string>

#include "shell/SendTo.h"

namespace {

const wchar_t* const kTestName = L"QuillboardUnitTest";

class SendToTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(CSendTo::SendToFolder().empty());
        Cleanup();
    }
    void TearDown() override { Cleanup(); }
    static void Cleanup()
    {
        const std::wstring path = CSendTo::ShortcutPath(kTestName);
        DeleteFileW(path.c_str());
        RemoveDirectoryW(path.c_str());
    }
    CSendTo sendTo;
};

// The target and description a link file holds; empty when it cannot be read.
bool ReadLink(const std::wstring& path, std::wstring& target, std::wstring& description)
{
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    bool ok = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
              SUCCEEDED(file->Load(path.c_str(), STGM_READ));
    wchar_t buf[MAX_PATH] = {};
    ok = ok && SUCCEEDED(link->GetPath(buf, MAX_PATH, nullptr, 0));
    target = buf;
    buf[0] = 0;
    ok = ok && SUCCEEDED(link->GetDescription(buf, MAX_PATH));
    description = buf;
    if (file)
        file->Release();
    link->Release();
    return ok;
}

std::wstring g_verb, g_file;
INT g_show = -1;
HINSTANCE WINAPI RecordShellExecute(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR, INT show)
{
    g_verb = verb ? verb : L"";
    g_file = file ? file : L"";
    g_show = show;
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(42));
}

}  // namespace

TEST_F(SendToTest, ShortcutPathIsNameDotLnkInTheSendToFolder)
{
    const std::wstring path = CSendTo::ShortcutPath(L"Quillboard");
    EXPECT_EQ(CSendTo::SendToFolder() + L"\\Quillboard.lnk", path);
    EXPECT_STREQ(L"Quillboard", kSendToName);
}

TEST_F(SendToTest, CreateExistsRemove)
{
    EXPECT_FALSE(sendTo.ShortcutExists(kTestName));
    ASSERT_EQ(S_OK, sendTo.CreateShortcut(kTestName));
    EXPECT_TRUE(sendTo.ShortcutExists(kTestName));

    std::wstring target, description;
    ASSERT_TRUE(ReadLink(CSendTo::ShortcutPath(kTestName), target, description));
    EXPECT_EQ(0, lstrcmpiW(ModuleFilePath().c_str(), target.c_str())) << "target " << std::string(target.begin(), target.end());
    EXPECT_EQ(kTestName, description);

    // Creating again replaces the file.
    EXPECT_EQ(S_OK, sendTo.CreateShortcut(kTestName));
    EXPECT_TRUE(sendTo.RemoveShortcut(kTestName));
    EXPECT_FALSE(sendTo.ShortcutExists(kTestName));
    EXPECT_FALSE(sendTo.RemoveShortcut(kTestName));
}

TEST_F(SendToTest, ADirectoryOfThatNameIsNoShortcut)
{
    const std::wstring path = CSendTo::ShortcutPath(kTestName);
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_FALSE(sendTo.ShortcutExists(kTestName));
    EXPECT_NE(S_OK, sendTo.CreateShortcut(kTestName));
    EXPECT_FALSE(sendTo.RemoveShortcut(kTestName));
    const DWORD attributes = GetFileAttributesW(path.c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        << "the user's directory stays";
}

TEST_F(SendToTest, ANameTooLongForAPathWritesNothing)
{
    const std::wstring longName(MAX_PATH, L'q');
    EXPECT_TRUE(CSendTo::ShortcutPath(longName.c_str()).empty());
    EXPECT_NE(S_OK, sendTo.CreateShortcut(longName.c_str()));
    EXPECT_FALSE(sendTo.ShortcutExists(longName.c_str()));
    // Cut to MAX_PATH the path would have named this file.
    std::wstring cut = CSendTo::SendToFolder() + L"\\" + longName;
    cut.resize(MAX_PATH - 1);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(cut.c_str()));
    EXPECT_TRUE(CSendTo::ShortcutPath(L"").empty());
    EXPECT_TRUE(CSendTo::ShortcutPath(nullptr).empty());
}

TEST_F(SendToTest, WriteShortcutStepsReportTheirFailure)
{
    EXPECT_EQ(E_FAIL, WriteShortcut(L"", L"d", CSendTo::ShortcutPath(kTestName).c_str()));
    EXPECT_EQ(E_FAIL, WriteShortcut(nullptr, L"d", CSendTo::ShortcutPath(kTestName).c_str()));
    const std::wstring missingFolder = CSendTo::SendToFolder() + L"\\no such folder\\x.lnk";
    EXPECT_TRUE(FAILED(WriteShortcut(ModuleFilePath().c_str(), L"d", missingFolder.c_str())));
    EXPECT_FALSE(sendTo.ShortcutExists(kTestName));
}

TEST_F(SendToTest, OpenFolderOpensTheSendToFolderInANormalWindow)
{
    EXPECT_EQ(42, reinterpret_cast<INT_PTR>(sendTo.OpenFolder(RecordShellExecute)));
    EXPECT_EQ(L"open", g_verb);
    EXPECT_EQ(CSendTo::SendToFolder(), g_file);
    EXPECT_EQ(SW_SHOW, g_show);
}
