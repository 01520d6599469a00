// The copy of the open operation as the user sees it: the progress dialog of
// a long copy and the message about entries that could not be copied.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "app/Strings.h"
#include "platform/AppError.h"
#include "platform/FileOperations.h"
#include "workcopy/FolderTreeCopy.h"
#include "workcopy/SkippedReport.h"
#include "workcopy/WorkFileCopy.h"

namespace sorabako {
namespace {

class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

// The dialog belongs to the window while the window is on screen; on the
// one-shot road the window stays hidden and the dialog stands on its own, as
// it does beside a minimised window, which would hide the windows it owns.
CopyOutcome TForm1::CopyToWorkPath(const std::wstring& source, const std::wstring& workPath, bool folder) {
    const HWND owner = ::IsWindowVisible(window_) && !::IsIconic(window_) ? window_ : nullptr;
    const ProgressDialogText text{ApplicationTitle(), source, workPath};
    CopyProgress progress([owner, &text] { return ProgressDialog::Open(owner, text); });
    Win32FileOperations files;
    const ScopedFlag copying(copying_);
    if (folder) return CopyFolderTree(source, workPath, progress, files);
    return CopyOutcome{CopyWorkFile(source, workPath, progress, files), {}};
}

void TForm1::ReportSkipped(const CopyOutcome& outcome) {
    static constexpr SkippedReportWording kWording{text::kSkippedFiles,    text::kSkippedFolders,
                                                   text::kSkippedJoiner,   text::kSkippedHeadTail,
                                                   text::kSkippedReasonSeparator, text::kSkippedMore};
    const std::wstring report = SkippedReportText(outcome.skipped, kWording, SystemErrorText);
    if (!report.empty()) platform_.ShowPlainMessage(window_, report, ApplicationTitle());
}

}  // namespace sorabako
