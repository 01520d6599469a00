#include "workcopy/CopyProgress.h"

namespace sorabako {

CopyProgress::CopyProgress(Opener open, Clock clock, Pump pump, ULONGLONG showAfterMs)
    : open_(std::move(open)),
      clock_(std::move(clock)),
      pump_(std::move(pump)),
      showAfterMs_(showAfterMs),
      start_(clock_()),
      lastRefresh_(start_) {}

bool CopyProgress::KeepGoing(ULONGLONG done) {
    if (cancelled_) return false;
    const ULONGLONG now = clock_();
    if (!shown_ && open_ && now - start_ >= showAfterMs_) {
        shown_ = true;  // one attempt: a shell without the dialog is not asked again
        dialog_ = open_();
        lastRefresh_ = now - kRefreshEveryMs;
    }
    if (now - lastRefresh_ >= kRefreshEveryMs) Refresh(done, now);
    return !CancelPressed();
}

void CopyProgress::Refresh(ULONGLONG done, ULONGLONG now) {
    lastRefresh_ = now;
    if (dialog_) dialog_->SetProgress(done, total_);
    if (pump_) pump_();
}

void CopyProgress::RequestCancel(bool sessionEnding) {
    cancelRequested_ = true;
    sessionEnding_ = sessionEnding_ || sessionEnding;
}

void CopyProgress::ShowRemoving() {
    if (dialog_) dialog_->ShowRemoving();
}

// As often as during the copy, not once per entry removed.
void CopyProgress::KeepQueueMoving() {
    const ULONGLONG now = clock_();
    if (!pump_ || sessionEnding_ || now - lastRefresh_ < kRefreshEveryMs) return;
    lastRefresh_ = now;
    pump_();
}

void CopyProgress::PauseBeforeRetry() {
    constexpr ULONGLONG kSliceMs = 10;
    for (ULONGLONG paused = 0; paused < kRetryPauseMs; paused += kSliceMs) {
        KeepQueueMoving();
        PauseFor(kSliceMs);
    }
}

}  // namespace sorabako
