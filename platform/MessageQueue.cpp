#include "platform/MessageQueue.h"

#include <windows.h>

namespace sorabako {
namespace {

void DiscardRange(UINT first, UINT last) {
    MSG message{};
    while (::PeekMessageW(&message, nullptr, first, last, PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE)) {
    }
}

}  // namespace

void AnswerSentMessages() {
    MSG message{};
    ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void DiscardQueuedInput() {
    DiscardRange(WM_KEYFIRST, WM_KEYLAST);
    DiscardRange(WM_MOUSEFIRST, WM_MOUSELAST);
    DiscardRange(WM_NCMOUSEMOVE, WM_NCXBUTTONDBLCLK);
}

}  // namespace sorabako
