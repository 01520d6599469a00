#pragma once
// The real keyboard and mouse, through the X server that shows the Wine
// desktop (xdotool), and where another process's keyboard focus is.
#include <windows.h>

#include <string>

namespace sorabako::test {

// Types keys as xdotool names them ("Tab", "ctrl+shift+Tab", "Return") and
// waits until the X server has taken them.
void PressKeys(const std::string& keys);
// A real click of the left mouse button at a screen point.
void ClickAt(POINT screen);

// The keyboard focus of the thread that owns window.
HWND FocusOf(HWND window);
// Polls until the focus of window's thread is expected; the last focus seen.
HWND WaitForFocus(HWND window, HWND expected, DWORD timeoutMs = 20000);
// Brings window to the front and waits until its thread is the active one.
bool BringToFront(HWND window);

}  // namespace sorabako::test
