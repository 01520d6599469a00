#pragma once
// Watches one copy of the open operation. A copy that ends within about a
// second shows nothing; one that runs longer opens the progress dialog,
// keeps its bar and remaining time current and carries the user's Cancel
// back to the copy. From its start the copy keeps the thread's queue moving:
// messages sent from other threads are answered and input aimed at the
// program's windows is thrown away, so nothing the user did meanwhile is
// carried out once the copy is over.
#include "platform/MonotonicClock.h"
#include "platform/ProgressDialog.h"

#include <functional>
#include <memory>

namespace sorabako {

class CopyProgress {
public:
    using Clock = std::function<ULONGLONG()>;  // milliseconds
    using Opener = std::function<std::unique_ptr<ProgressDialog>()>;
    using Pump = std::function<void()>;
    static constexpr ULONGLONG kShowAfterMs = 1000;
    static constexpr ULONGLONG kRefreshEveryMs = 50;

    // An empty opener never shows anything and an empty pump leaves the
    // queue alone (a copy on its own, in tests).
    explicit CopyProgress(Opener open = {}, Clock clock = MonotonicMilliseconds, Pump pump = {},
                          ULONGLONG showAfterMs = kShowAfterMs);

    // The units of the whole copy (for a tree: bytes plus one per entry).
    void SetTotal(ULONGLONG total) { total_ = total; }
    // Called between and inside files with the units done; false once the
    // copy is cancelled, and from then on.
    bool KeepGoing(ULONGLONG done);
    bool Cancelled() const { return cancelled_; }
    // One more look at an open dialog, for a Cancel pressed after the last
    // call of KeepGoing; it opens none. A request that came in with a sent
    // message counts at once.
    bool CancelPressed() {
        if (!cancelled_) cancelled_ = cancelRequested_ || (dialog_ && dialog_->UserCancelled());
        return cancelled_;
    }
    bool Shown() const { return shown_; }

    // Stops the copy at its next look, as the dialog's Cancel does. When the
    // session is ending the clean-up that follows answers no messages: the
    // system may end the process once it has been answered again, so the
    // removal must be over by then.
    void RequestCancel(bool sessionEnding);
    bool SessionEnding() const { return sessionEnding_; }
    // During the clean-up of a cancelled copy: the dialog stays up and says
    // that the copy is being removed; the queue keeps moving, unless the
    // session is ending; a held entry is tried again after a short pause.
    void ShowRemoving();
    void KeepQueueMoving();
    void PauseBeforeRetry();
    static constexpr ULONGLONG kRetryPauseMs = 100;

    // The copy's way to remove what it has made so far, while it runs. The
    // end of the session cannot wait for the copy to unwind: the process may
    // be ended as soon as the system has its answer.
    class UndoScope {
    public:
        UndoScope(CopyProgress& progress, std::function<void()> undo) : progress_(progress) {
            progress_.undo_ = std::move(undo);
        }
        ~UndoScope() { progress_.undo_ = nullptr; }
        UndoScope(const UndoScope&) = delete;
        UndoScope& operator=(const UndoScope&) = delete;

    private:
        CopyProgress& progress_;
    };
    void RemoveWhatWasMade() {
        if (undo_) undo_();
    }

    // Closes the dialog; a cancelled copy cleans up after this.
    void Close() { dialog_.reset(); }

private:
    void Refresh(ULONGLONG done, ULONGLONG now);

    Opener open_;
    Clock clock_;
    Pump pump_;
    ULONGLONG showAfterMs_;
    ULONGLONG start_;
    ULONGLONG lastRefresh_;
    ULONGLONG total_ = 0;
    std::unique_ptr<ProgressDialog> dialog_;
    std::function<void()> undo_;
    bool shown_ = false;
    bool cancelRequested_ = false;
    bool sessionEnding_ = false;
    bool cancelled_ = false;
};

}  // namespace sorabako
