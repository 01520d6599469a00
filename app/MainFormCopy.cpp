// The copy of the open operation as the user sees it: the progress dialog of
// a long copy and the message about entries that could not be copied.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "app/Strings.h"
#include "platform/AppError.h"
#include "platform/CopyGate.h"
#include "platform/FileOperations.h"
#include "platform/MessageQueue.h"
#include "workcopy/FolderTreeCopy.h"
#include "workcopy/SkippedReport.h"
#include "workcopy/WorkFileCopy.h"

namespace sorabako {
namespace {

void KeepQueueMoving() {
    AnswerSentMessages();
    DiscardQueuedInput();
}

// The copy that the window procedure may stop while it runs. Input given to
// the window during it is thrown away when it ends, as it was during it.
class ActiveCopy {
public:
    ActiveCopy(CopyProgress*& slot, CopyProgress& progress) : slot_(slot) { slot_ = &progress; }
    ~ActiveCopy() {
        slot_ = nullptr;
        DiscardQueuedInput();
    }
    ActiveCopy(const ActiveCopy&) = delete;
    ActiveCopy& operator=(const ActiveCopy&) = delete;

private:
    CopyProgress*& slot_;
};

}  // namespace

// The dialog belongs to the window while the window is on screen; on the
// one-shot road the window stays hidden and the dialog stands on its own, as
// it does beside a minimised window, which would hide the windows it owns.
CopyOutcome TForm1::CopyToWorkPath(const std::wstring& source, const std::wstring& workPath, bool folder) {
    const HWND owner = ::IsWindowVisible(window_) && !::IsIconic(window_) ? window_ : nullptr;
    const ProgressDialogText text{ApplicationTitle(), source, workPath, text::kRemovingPartialCopy};
    CopyProgress progress([owner, &text] { return ProgressDialog::Open(owner, text); }, MonotonicMilliseconds,
                          KeepQueueMoving, options_.progressDialogAfterMs);
    Win32FileOperations system;
    const std::unique_ptr<FileOperations> gate = GatedFileOperations::Open(system);
    FileOperations& files = gate ? *gate : system;
    CopyOutcome outcome;
    {
        const ActiveCopy active(activeCopy_, progress);
        if (folder) outcome = CopyFolderTree(source, workPath, progress, files);
        else outcome = CopyWorkFile(source, workPath, progress, files);
    }
    return outcome;
}

// What the copy left out after a launch, or what a Cancel left behind.
void TForm1::ReportSkipped(const CopyOutcome& outcome) {
    static constexpr SkippedReportWording kSkipped{text::kSkippedFiles,    text::kSkippedFolders,
                                                   text::kSkippedJoiner,   text::kSkippedHeadTail,
                                                   text::kSkippedReasonSeparator, text::kSkippedMore};
    static constexpr SkippedReportWording kLeft{text::kSkippedFiles,    text::kSkippedFolders,
                                                text::kSkippedJoiner,   text::kNotRemovedHeadTail,
                                                text::kSkippedReasonSeparator, text::kSkippedMore};
    const std::wstring report = outcome.cancelled ? SkippedReportText(outcome.notRemoved, kLeft, SystemErrorText)
                                                  : SkippedReportText(outcome.skipped, kSkipped, SystemErrorText);
    if (!report.empty()) platform_.ShowPlainMessage(window_, report, ApplicationTitle());
}

}  // namespace sorabako
