#pragma once
#include "platform/Platform.h"

#include <windows.h>

#include <string_view>

namespace sorabako {

// The program from entry to exit: the single-instance guard, the main window
// and its message loop. Returns the process's exit code.
int RunProgram(HINSTANCE instance, std::wstring_view commandLine, int showCommand, Platform& platform);

}  // namespace sorabako
