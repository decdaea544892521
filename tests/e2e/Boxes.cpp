#include "tests/e2e/Boxes.h"

#include <commctrl.h>

namespace e2e {

namespace {

BOOL CALLBACK CollectChildren(HWND hWnd, LPARAM out)
{
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(hWnd);
    return TRUE;
}

std::vector<HWND> Descendants(HWND window)
{
    std::vector<HWND> all;
    ::EnumChildWindows(window, CollectChildren, reinterpret_cast<LPARAM>(&all));
    return all;
}

// Toolbar texts live in the other process: read them through a buffer allocated there.
std::vector<std::wstring> RemoteButtonTexts(HWND toolbar)
{
    std::vector<std::wstring> texts;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(toolbar, &pid);
    HANDLE process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return texts;
    constexpr SIZE_T kBytes = 4096;
    auto* remote = static_cast<char*>(::VirtualAllocEx(process, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE));
    const int count = remote ? int(::SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; i++) {
        TBBUTTON button = {};
        ::SendMessageW(toolbar, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(remote));
        ::ReadProcessMemory(process, remote, &button, sizeof(button), nullptr);
        wchar_t text[512] = {};
        if (::SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(remote + 1024)) > 0)
            ::ReadProcessMemory(process, remote + 1024, text, sizeof(text) - sizeof(wchar_t), nullptr);
        texts.push_back(text);
    }
    if (remote)
        ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    ::CloseHandle(process);
    return texts;
}

}  // namespace

HWND WaitForBox(const QuillProcess& p, HWND except, bool (*pred)(HWND), DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND hWnd : p.Windows()) {
                if (hWnd != except && ::IsWindowVisible(hWnd) && ClassName(hWnd) == L"#32770" &&
                    (!pred || pred(hWnd))) {
                    found = hWnd;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

std::wstring BoxText(HWND box)
{
    std::wstring longest;
    for (HWND child : Descendants(box)) {
        if (ClassName(child) != L"Static")
            continue;
        wchar_t text[4096] = {};
        ::SendMessageW(child, WM_GETTEXT, 4096, reinterpret_cast<LPARAM>(text));
        if (std::wstring(text).size() > longest.size())
            longest = text;
    }
    return longest;
}

HWND FirstEdit(HWND window)
{
    for (HWND child : Descendants(window)) {
        if (ClassName(child) == L"Edit" && ::IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

std::vector<std::wstring> ToolbarTexts(HWND window)
{
    std::vector<std::wstring> texts;
    for (HWND child : Descendants(window)) {
        if (ClassName(child) != TOOLBARCLASSNAMEW)
            continue;
        for (std::wstring& text : RemoteButtonTexts(child))
            texts.push_back(std::move(text));
    }
    return texts;
}

}  // namespace e2e
