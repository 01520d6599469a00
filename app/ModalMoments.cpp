#include "app/ModalMoments.h"

#include <algorithm>

namespace sorabako {

ModalMoments::Scope::Scope(ModalMoments& moments, Kind kind) noexcept : moments_(moments), kind_(kind) {
    ++moments_.depth_;
    if (kind_ == Kind::CloseQuery) ++moments_.closeQueries_;
}

ModalMoments::Scope::~Scope() {
    if (kind_ == Kind::CloseQuery) --moments_.closeQueries_;
    --moments_.depth_;
    moments_.AskAgainIfHeld();
}

ModalMoments::ModalMoments(std::function<void()> whenFreeWithArrivals) : whenFree_(std::move(whenFreeWithArrivals)) {}

void ModalMoments::HoldClose() {
    const bool held = std::any_of(held_.begin(), held_.end(), [](const Arrival& arrival) { return arrival.close; });
    if (!held) held_.push_back(Arrival{true, {}});
}

void ModalMoments::HoldDrop(UniqueDrop drop) {
    held_.push_back(Arrival{false, std::move(drop)});
}

std::optional<ModalMoments::Arrival> ModalMoments::TakeNext() {
    if (held_.empty()) return std::nullopt;
    Arrival next = std::move(held_.front());
    held_.pop_front();
    return next;
}

void ModalMoments::AskAgainIfHeld() {
    if (depth_ == 0 && !held_.empty() && whenFree_) whenFree_();
}

}  // namespace sorabako
