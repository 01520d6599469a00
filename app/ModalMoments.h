#pragma once
// The main window's modal moments: a command running (its boxes and dialogs
// included), an open with its copy, the history menu, the close query, an
// error report. Each runs on this thread and most run a message loop of their
// own, which dispatches whatever was posted to the window meanwhile: another
// program's close, a drop, a click. Such arrivals must not act inside a
// moment (a close would destroy the window under the box and save from
// controls that are gone), so the window procedure asks Busy() and holds
// them here; they run in the order they came once the last moment has ended.
#include "platform/UniqueHandle.h"

#include <deque>
#include <functional>
#include <optional>

namespace sorabako {

class ModalMoments {
public:
    enum class Kind { Other, CloseQuery };

    // Entered for the length of one moment; moments nest.
    class Scope {
    public:
        explicit Scope(ModalMoments& moments, Kind kind = Kind::Other) noexcept;
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ModalMoments& moments_;
        Kind kind_;
    };

    struct Arrival {
        bool close = false;  // else a drop
        UniqueDrop drop;
    };

    // Told when the last moment ends while arrivals wait, so that they run
    // from the window's own loop rather than from the moment's unwinding.
    explicit ModalMoments(std::function<void()> whenFreeWithArrivals = {});

    bool Busy() const noexcept { return depth_ > 0; }
    // A close that comes while the close query runs is that same close.
    bool InCloseQuery() const noexcept { return closeQueries_ > 0; }

    // A close while one is already held is the same close.
    void HoldClose();
    void HoldDrop(UniqueDrop drop);

    // The oldest held arrival, if any.
    std::optional<Arrival> TakeNext();
    // Outside every moment with arrivals left: tells the window again.
    void AskAgainIfHeld();
    // The window is gone: drops are released unopened.
    void DiscardAll() noexcept { held_.clear(); }

private:
    std::function<void()> whenFree_;
    std::deque<Arrival> held_;
    int depth_ = 0;
    int closeQueries_ = 0;
};

}  // namespace sorabako
