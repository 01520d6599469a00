#pragma once
// Watches one copy of the open operation. A copy that ends within about a
// second shows nothing; one that runs longer opens the progress dialog,
// keeps its bar and remaining time current and carries the user's Cancel
// back to the copy.
#include "platform/MonotonicClock.h"
#include "platform/ProgressDialog.h"

#include <functional>
#include <memory>

namespace sorabako {

class CopyProgress {
public:
    using Clock = std::function<ULONGLONG()>;  // milliseconds
    using Opener = std::function<std::unique_ptr<ProgressDialog>()>;
    static constexpr ULONGLONG kShowAfterMs = 1000;
    static constexpr ULONGLONG kRefreshEveryMs = 50;

    // An empty opener never shows anything (a copy on its own, in tests).
    explicit CopyProgress(Opener open = {}, Clock clock = MonotonicMilliseconds);

    // The units of the whole copy (for a tree: bytes plus one per entry).
    void SetTotal(ULONGLONG total) { total_ = total; }
    // Called between and inside files with the units done; false once the
    // user has cancelled, and from then on.
    bool KeepGoing(ULONGLONG done);
    bool Cancelled() const { return cancelled_; }
    // One more look at an open dialog, for a Cancel pressed after the last
    // call of KeepGoing; it opens none.
    bool CancelPressed() {
        if (!cancelled_ && dialog_) cancelled_ = dialog_->UserCancelled();
        return cancelled_;
    }
    bool Shown() const { return shown_; }
    // Closes the dialog; a cancelled copy cleans up after this.
    void Close() { dialog_.reset(); }

private:
    Opener open_;
    Clock clock_;
    ULONGLONG start_;
    ULONGLONG lastRefresh_ = 0;
    ULONGLONG total_ = 0;
    std::unique_ptr<ProgressDialog> dialog_;
    bool shown_ = false;
    bool cancelled_ = false;
};

}  // namespace sorabako
