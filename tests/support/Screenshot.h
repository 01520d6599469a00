#pragma once
#include <windows.h>

#include <string>

namespace sorabako::test {

// Saves what the screen shows of window (frame included) as a 24-bit BMP.
// Nothing is invalidated: the window is taken as its program last painted it.
bool SaveWindowScreenshot(HWND window, const std::wstring& bmpPath);

}  // namespace sorabako::test
