// The program's outermost control flow: prepare the process, keep to one
// instance, read the command line, run the main window's message loop.
#pragma once

#include <windows.h>

// Exit code after the user's Exit command.
constexpr int kExitCodeAfterExit = 0xAFFE;

// The window message registered as "Quillboard"; a first instance answers it
// with its number, which is how a second instance recognises it.
extern UINT g_instanceMessage;

int QuillboardMain(HINSTANCE hInstance, const wchar_t* commandLine, int showCommand);
