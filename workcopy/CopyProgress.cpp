#include "workcopy/CopyProgress.h"

namespace sorabako {

CopyProgress::CopyProgress(Opener open, Clock clock)
    : open_(std::move(open)), clock_(std::move(clock)), start_(clock_()) {}

bool CopyProgress::KeepGoing(ULONGLONG done) {
    if (cancelled_) return false;
    const ULONGLONG now = clock_();
    if (!shown_ && open_ && now - start_ >= kShowAfterMs) {
        shown_ = true;  // one attempt: a shell without the dialog is not asked again
        dialog_ = open_();
        lastRefresh_ = now - kRefreshEveryMs;
    }
    if (!dialog_) return true;
    if (now - lastRefresh_ >= kRefreshEveryMs) {
        lastRefresh_ = now;
        dialog_->SetProgress(done, total_);
        ProgressDialog::AnswerSentMessages();
    }
    cancelled_ = dialog_->UserCancelled();
    return !cancelled_;
}

}  // namespace sorabako
