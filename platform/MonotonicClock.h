#pragma once
#include <windows.h>

namespace sorabako {

// Milliseconds since the system started; never goes back.
inline ULONGLONG MonotonicMilliseconds() {
    return ::GetTickCount64();
}

}  // namespace sorabako
