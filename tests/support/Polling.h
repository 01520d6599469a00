#pragma once
// The suite's one way to wait: a bounded poll for the condition itself.
#include <windows.h>

#include <functional>

namespace sorabako::test {

inline constexpr DWORD kWaitLimitMs = 20000;

// Polls condition until it holds; false when it still does not after
// timeoutMs. Answers no messages.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kWaitLimitMs);

}  // namespace sorabako::test
