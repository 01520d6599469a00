#pragma once
// This process's windows as another of its threads sees them. Nothing here
// sends a message: the thread that owns the windows may be copying, or
// waiting for the very thread that looks.
#include <windows.h>

#include <functional>
#include <string>

namespace sorabako::test {

// The first visible top-level window of this process with that class that
// accept takes (any, without accept).
HWND FindOwnWindow(const wchar_t* windowClass, const std::function<bool(HWND)>& accept = {});
// The text the system keeps for a window (InternalGetWindowText).
std::wstring StoredText(HWND window);
bool HasChildOfClass(HWND window, const wchar_t* windowClass);
bool HasChildWithText(HWND window, const std::wstring& text);

// The shell's progress dialog: a #32770 with a progress bar (of any process).
bool IsProgressDialog(HWND window);
HWND OwnProgressDialog();
// A message box or plain message whose text begins with text.
HWND OwnMessageBox(const std::wstring& text);

// Runs this thread's messages until done is set, at most timeoutMs: the
// thread it waits for may be sending to this thread's windows.
bool PumpUntil(HANDLE done, DWORD timeoutMs = 20000);

}  // namespace sorabako::test
