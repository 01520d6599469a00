#pragma once
// What the bench helpers share: the clock and the search for a program's window.
#include <windows.h>

#include <cwchar>

namespace bench {

inline LARGE_INTEGER Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now;
}

inline double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

// The first visible top-level window of the process with that class, or null.
inline HWND VisibleWindowOf(DWORD processId, const wchar_t* windowClass) {
    struct Search {
        DWORD processId;
        const wchar_t* windowClass;
        HWND found;
    } search{processId, windowClass, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) noexcept -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t name[32]{};
            ::GetClassNameW(window, name, 32);
            if (owner != s->processId || !::IsWindowVisible(window) || std::wcscmp(name, s->windowClass) != 0)
                return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace bench
