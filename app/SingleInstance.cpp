#include "app/SingleInstance.h"

#include "app/Strings.h"
#include "settings/SettingsPath.h"

namespace sorabako {
namespace {

struct ActivationSearch {
    const std::wstring* name;
};

BOOL CALLBACK ActivateIfMarked(HWND window, LPARAM context) noexcept {
    const auto* search = reinterpret_cast<const ActivationSearch*>(context);
    if (reinterpret_cast<UINT_PTR>(::GetPropW(window, search->name->c_str())) != names::kInstanceMarker)
        return TRUE;
    if (::IsIconic(window)) ::ShowWindow(window, SW_RESTORE);
    // A box that is up keeps the disabled window behind it: the box takes
    // the keyboard, and a screen reader names the window the user can use.
    const HWND popup = ::GetLastActivePopup(window);
    ::SetForegroundWindow(popup && ::IsWindowVisible(popup) && ::IsWindowEnabled(popup) ? popup : window);
    return FALSE;
}

}  // namespace

std::wstring InstanceNameFromPath(const std::wstring& executablePath) {
    std::wstring name = FileNameOf(executablePath);
    const std::size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.resize(dot);
    return name;
}

std::wstring DefaultTitleFromPath(const std::wstring& executablePath) {
    std::wstring title = FileNameOf(executablePath);
    const std::size_t dot = title.find(L'.');
    if (dot != std::wstring::npos) title.resize(dot);
    if (title.size() > 1) ::CharLowerW(title.data() + 1);
    return title;
}

bool IsAlreadyRunning(const std::wstring& name) {
    // Deliberately never closed: the mutex marks this process until it ends.
    const HANDLE mutex = ::CreateMutexW(nullptr, TRUE, name.c_str());
    const DWORD error = ::GetLastError();
    (void)mutex;
    return error == ERROR_ALREADY_EXISTS;
}

void ActivateRunningInstance(const std::wstring& name) {
    ActivationSearch search{&name};
    ::EnumWindows(ActivateIfMarked, reinterpret_cast<LPARAM>(&search));
}

void MarkRunningInstance(HWND window, const std::wstring& name) {
    ::SetPropW(window, name.c_str(), reinterpret_cast<HANDLE>(names::kInstanceMarker));
}

void UnmarkRunningInstance(HWND window, const std::wstring& name) {
    ::RemovePropW(window, name.c_str());
}

}  // namespace sorabako
