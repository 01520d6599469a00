// What may arrive while the window is inside one of its modal moments: a
// close (from the user, another program, the Restart Manager), a drop, the
// end of the session. None of them may act inside a box's loop; the end of
// the session cannot wait, so it stops a copy as Cancel does.
#include "app/AppTitle.h"
#include "app/MainForm.h"
#include "app/Strings.h"

namespace sorabako {

// The one-shot road is ending already, and a close while the close question
// is up is that same close, not another question.
void TForm1::OnCloseRequest() {
    if (endRequested_ || moments_.InCloseQuery()) return;
    if (moments_.Busy()) {
        moments_.HoldClose();
        return;
    }
    if (FormCloseQuery()) ::DestroyWindow(window_);
}

// A drop that reaches the window procedure itself (not through the filter).
void TForm1::OnDropFiles(HDROP drop) {
    if (moments_.Busy()) moments_.HoldDrop(UniqueDrop(drop));
    else WMDropFiles(drop);
}

// A drop taken from the queue opens its first item and then restores a
// minimised program; a drop that fails leaves the program as it is.
void TForm1::OpenDropFromQueue(HDROP drop) {
    WMDropFiles(drop);
    if (::IsIconic(window_)) {
        ::ShowWindow(window_, SW_RESTORE);
        ::SetForegroundWindow(window_);
    }
}

// In the order they came. A newer moment that is already up (this message
// was dispatched inside its loop) asks again when it ends.
void TForm1::ReplayHeldArrivals() {
    while (window_ && !moments_.Busy()) {
        std::optional<ModalMoments::Arrival> next = moments_.TakeNext();
        if (!next) return;
        if (next->close) OnCloseRequest();
        else OpenDropFromQueue(next->drop.Release());
    }
}

// During a copy (this runs inside it) the copy stops as on Cancel and what it
// has made is removed before the answer: the process may be ended as soon as
// the system has it. Meanwhile the system is told why the session waits.
BOOL TForm1::WMQueryEndSession() {
    if (activeCopy_) StopCopyForSessionEnd(*activeCopy_);
    EndSessionFlag = 1;
    return FormCloseQuery() ? TRUE : FALSE;
}

void TForm1::StopCopyForSessionEnd(CopyProgress& copy) {
    class WithdrawReason {
    public:
        WithdrawReason(Platform& platform, HWND window) : platform_(platform), window_(window) {}
        ~WithdrawReason() { platform_.SetShutdownBlockReason(window_, L""); }
        WithdrawReason(const WithdrawReason&) = delete;
        WithdrawReason& operator=(const WithdrawReason&) = delete;

    private:
        Platform& platform_;
        HWND window_;
    } withdraw(platform_, window_);
    platform_.SetShutdownBlockReason(window_, text::kRemovingPartialCopy);
    copy.RequestCancel(true);
    copy.RemoveWhatWasMade();
}

}  // namespace sorabako
