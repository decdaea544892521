#include <windows.h>

#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR commandLine, int showCommand)
{
    return QuillboardMain(hInstance, commandLine, showCommand);
}
