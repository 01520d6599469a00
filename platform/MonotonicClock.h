#pragma once
#include <windows.h>

namespace sorabako {

// Milliseconds since the system started; never goes back.
inline ULONGLONG MonotonicMilliseconds() {
    return ::GetTickCount64();
}

// Lets the time pass on this thread, answering nothing.
inline void PauseFor(ULONGLONG milliseconds) {
    ::Sleep(static_cast<DWORD>(milliseconds));
}

}  // namespace sorabako
