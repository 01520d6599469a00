#include "support/OwnWindows.h"

namespace sorabako::test {
namespace {

struct Search {
    const wchar_t* windowClass;
    const std::function<bool(HWND)>* accept;
    HWND found = nullptr;
};

BOOL CALLBACK Consider(HWND window, LPARAM context) noexcept {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process != ::GetCurrentProcessId() || !::IsWindowVisible(window)) return TRUE;
    wchar_t name[64]{};
    ::GetClassNameW(window, name, 64);
    if (wcscmp(name, search->windowClass) != 0) return TRUE;
    if (*search->accept && !(*search->accept)(window)) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND FindOwnWindow(const wchar_t* windowClass, const std::function<bool(HWND)>& accept) {
    Search search{windowClass, &accept};
    ::EnumWindows(Consider, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring StoredText(HWND window) {
    wchar_t text[4096]{};
    ::InternalGetWindowText(window, text, 4096);
    return text;
}

bool HasChildOfClass(HWND window, const wchar_t* windowClass) {
    struct Child {
        const wchar_t* windowClass;
        bool found = false;
    } child{windowClass};
    ::EnumChildWindows(
        window,
        [](HWND candidate, LPARAM context) noexcept -> BOOL {
            auto* child = reinterpret_cast<Child*>(context);
            wchar_t name[64]{};
            ::GetClassNameW(candidate, name, 64);
            child->found = wcscmp(name, child->windowClass) == 0;
            return !child->found;
        },
        reinterpret_cast<LPARAM>(&child));
    return child.found;
}

bool IsProgressDialog(HWND window) {
    wchar_t name[16]{};
    ::GetClassNameW(window, name, 16);
    return wcscmp(name, L"#32770") == 0 && HasChildOfClass(window, L"msctls_progress32");
}

bool HasChildWithText(HWND window, const std::wstring& text) {
    struct Child {
        const std::wstring* text;
        bool found = false;
    } child{&text};
    ::EnumChildWindows(
        window,
        [](HWND candidate, LPARAM context) noexcept -> BOOL {
            auto* child = reinterpret_cast<Child*>(context);
            child->found = StoredText(candidate) == *child->text;
            return !child->found;
        },
        reinterpret_cast<LPARAM>(&child));
    return child.found;
}

HWND OwnProgressDialog() {
    return FindOwnWindow(L"#32770", IsProgressDialog);
}

HWND OwnMessageBox(const std::wstring& text) {
    return FindOwnWindow(L"#32770", [&text](HWND box) {
        HWND message = ::GetDlgItem(box, 0xFFFF);
        return message && StoredText(message).starts_with(text);
    });
}

bool PumpUntil(HANDLE done, DWORD timeoutMs) {
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return false;
        const DWORD woke = ::MsgWaitForMultipleObjects(1, &done, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        if (woke == WAIT_OBJECT_0) return true;
        MSG message{};
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
    }
}

}  // namespace sorabako::test
