// The Send To shortcut, in the test prefix's own Send To folder.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "shell/SendTo.h"

TEST(SendTo, CreateExistsRemoveAndADirectoryOfThatName)
{
    const wchar_t* const name = L"QuillboardUnitTest";
    const std::wstring path = CSendTo::ShortcutPath(name);
    ASSERT_FALSE(path.empty());
    DeleteFileW(path.c_str());
    CSendTo sendTo;
    EXPECT_FALSE(sendTo.ShortcutExists(name));
    ASSERT_EQ(S_OK, sendTo.CreateShortcut(name));
    EXPECT_TRUE(sendTo.ShortcutExists(name));

    // The link starts this program.
    wchar_t target[MAX_PATH] = {};
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
        if (SUCCEEDED(link->QueryInterface(IID_PPV_ARGS(&file))) && SUCCEEDED(file->Load(path.c_str(), STGM_READ)))
            link->GetPath(target, MAX_PATH, nullptr, 0);
        if (file)
            file->Release();
        link->Release();
    }
    EXPECT_EQ(0, lstrcmpiW(ModuleFilePath().c_str(), target));

    EXPECT_EQ(S_OK, sendTo.CreateShortcut(name)) << "creating again replaces the file";
    EXPECT_TRUE(sendTo.RemoveShortcut(name));
    EXPECT_FALSE(sendTo.ShortcutExists(name));
    EXPECT_FALSE(sendTo.RemoveShortcut(name));

    // A directory of that name is no shortcut, and it stays the user's.
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
    EXPECT_FALSE(sendTo.ShortcutExists(name));
    EXPECT_NE(S_OK, sendTo.CreateShortcut(name));
    EXPECT_FALSE(sendTo.RemoveShortcut(name));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str()));
    RemoveDirectoryW(path.c_str());
}
