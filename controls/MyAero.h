// Whether the desktop window manager composes the desktop, asked only of an already loaded dwmapi.dll.
#pragma once

#include <windows.h>

class CMyAero {
public:
    // The first one in the process looks the function up; none ever loads the library.
    CMyAero();
    virtual ~CMyAero() = default;

    bool IsCompositionEnabled() const;
};
