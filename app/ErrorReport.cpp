#include "app/ErrorReport.h"

#include "app/AppTitle.h"

namespace sorabako {

std::wstring ErrorReportText(const std::wstring& message) {
    if (!message.empty() && message.back() <= L'.') return message;
    return message + L".";
}

void ShowErrorReport(Platform& platform, HWND fallbackOwner, const AppError& error) {
    platform.ShowMessageBox(fallbackOwner, ErrorReportText(error.Message()), ApplicationTitle(),
                            MB_OK | MB_ICONSTOP);
}

}  // namespace sorabako
