#include "support/Polling.h"

namespace sorabako::test {

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= end) return false;
        ::Sleep(10);
    }
    return true;
}

}  // namespace sorabako::test
