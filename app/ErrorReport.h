#pragma once
// The default error report: every AppError that ends a handler is shown here.
#include "platform/AppError.h"
#include "platform/Platform.h"

#include <string>

namespace sorabako {

// The message followed by "." unless it is empty or its last character is "." or below it.
std::wstring ErrorReportText(const std::wstring& message);

// MB_OK | MB_ICONSTOP, captioned with the application title.
void ShowErrorReport(Platform& platform, HWND mainWindow, const AppError& error);

}  // namespace sorabako
