#include "app/ErrorReport.h"

#include "app/AppTitle.h"

namespace sorabako {

std::wstring ErrorReportText(const std::wstring& message) {
    // An empty message stays empty rather than becoming a lone period.
    if (message.empty() || message.back() <= L'.') return message;
    return message + L".";
}

void ShowErrorReport(Platform& platform, HWND mainWindow, const AppError& error) {
    platform.ShowMessageBox(mainWindow, ErrorReportText(error.Message()), ApplicationTitle(),
                            MB_OK | MB_ICONSTOP);
}

}  // namespace sorabako
