#include "platform/Platform.h"

#include "platform/UniqueHandle.h"

#include <shellapi.h>

namespace sorabako {

void Win32Platform::ShellOpen(HWND owner, const std::wstring& target) {
    ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Platform::ShowInExplorer(HWND owner, const std::wstring& path) {
    const std::wstring parameters = L"/select," + Quoted(path);
    ::ShellExecuteW(owner, L"open", L"explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

void Win32Platform::ShowFileProperties(HWND owner, const std::wstring& path) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;
    info.lpVerb = L"properties";
    info.lpFile = path.c_str();
    info.nShow = SW_SHOWNORMAL;
    // SEE_MASK_NOCLOSEPROCESS hands us the process handle; nothing waits on it.
    if (::ShellExecuteExW(&info)) UniqueKernelHandle process(info.hProcess);
}

int Win32Platform::ShowMessageBox(HWND fallbackOwner, const std::wstring& text,
                                  const std::wstring& caption, UINT flags) {
    HWND owner = ::GetActiveWindow();
    if (!owner) owner = fallbackOwner;
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

void Win32Platform::ShowPlainMessage(const std::wstring& text, const std::wstring& caption) {
    // With no owner the box is centred on the screen.
    ::MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_SETFOREGROUND);
}

}  // namespace sorabako
