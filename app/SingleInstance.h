#pragma once
// One running instance per user session: a named mutex answers "is one
// running?", a window property answers "which window is it?".
#include <windows.h>

#include <string>

namespace sorabako {

// Sorabako.exe → Sorabako; my.tool.exe → my.tool (the last extension goes).
std::wstring InstanceNameFromPath(const std::wstring& executablePath);

// The title before start-up sets one: the file name cut at its first "."
// with every character after the first lowered (CharLowerW).
std::wstring DefaultTitleFromPath(const std::wstring& executablePath);

// Creates the mutex named name, owned and never released: the handle lives
// as long as the process. True when another process created it first.
bool IsAlreadyRunning(const std::wstring& name);

// Restores and brings forward the top-level window marked with name = 1111.
void ActivateRunningInstance(const std::wstring& name);

void MarkRunningInstance(HWND window, const std::wstring& name);
void UnmarkRunningInstance(HWND window, const std::wstring& name);

}  // namespace sorabako
