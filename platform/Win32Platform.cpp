#include "platform/Platform.h"

#include "platform/UniqueHandle.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

namespace sorabako {
namespace {

// Centres window in the work area of the monitor that shows reference.
void CentreOnMonitorOf(HWND window, HWND reference) {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    if (!::GetMonitorInfoW(::MonitorFromWindow(reference, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT r{};
    ::GetWindowRect(window, &r);
    const RECT& area = monitor.rcWork;
    const int left = area.left + ((area.right - area.left) - (r.right - r.left)) / 2;
    const int top = area.top + ((area.bottom - area.top) - (r.bottom - r.top)) / 2;
    ::SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int ShowModalBox(HWND mainWindow, const std::wstring& text, const std::wstring& caption, UINT flags) {
    const BoxOwner owner = ModalBoxOwner(::GetActiveWindow(), mainWindow);
    return ::MessageBoxW(owner.window, text.c_str(), caption.c_str(), flags | owner.extraFlags);
}

// A message box places itself over its owner; a plain message stands in the
// middle of the owner's monitor instead. The hook lives for one box.
class CentredOnScreen {
public:
    CentredOnScreen() noexcept
        : hook_(::SetWindowsHookExW(WH_CBT, Centre, nullptr, ::GetCurrentThreadId())) {
        active_ = hook_.Get();
    }
    CentredOnScreen(const CentredOnScreen&) = delete;
    CentredOnScreen& operator=(const CentredOnScreen&) = delete;
    ~CentredOnScreen() { active_ = nullptr; }

private:
    static LRESULT CALLBACK Centre(int code, WPARAM wParam, LPARAM lParam) noexcept {
        if (code == HCBT_ACTIVATE && active_) {
            active_ = nullptr;  // the box itself is the first window activated
            HWND box = reinterpret_cast<HWND>(wParam);
            CentreOnMonitorOf(box, box);
        }
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }

    UniqueHook hook_;
    static inline thread_local HHOOK active_ = nullptr;
};

}  // namespace

BoxOwner ModalBoxOwner(HWND activeWindow, HWND mainWindow) {
    HWND owner = activeWindow ? activeWindow : mainWindow;
    if (owner && ::IsWindowVisible(owner)) return {owner, 0};
    return {nullptr, MB_TASKMODAL | MB_SETFOREGROUND};
}

void Win32Platform::ShellOpen(HWND owner, const std::wstring& target) {
    ::ShellExecuteW(owner, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Win32Platform::ShowInExplorer(HWND owner, const std::wstring& path) {
    const std::wstring parameters = ExplorerSelectParameters(path);
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

int Win32Platform::ShowMessageBox(HWND mainWindow, const std::wstring& text, const std::wstring& caption,
                                  UINT flags) {
    return ShowModalBox(mainWindow, text, caption, flags);
}

void Win32Platform::SetShutdownBlockReason(HWND window, const std::wstring& reason) {
    if (reason.empty()) ::ShutdownBlockReasonDestroy(window);
    else ::ShutdownBlockReasonCreate(window, reason.c_str());
}

void Win32Platform::ShowPlainMessage(HWND mainWindow, const std::wstring& text, const std::wstring& caption) {
    CentredOnScreen centred;
    ShowModalBox(mainWindow, text, caption, MB_OK);
}

}  // namespace sorabako

namespace sorabako {

std::optional<std::wstring> Win32Platform::ChooseFileToOpen(const FileOpenRequest& request) {
    using Microsoft::WRL::ComPtr;
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog))))
        return std::nullopt;
    std::vector<COMDLG_FILTERSPEC> types;
    for (const auto& [name, mask] : request.fileTypes) types.push_back({name.c_str(), mask.c_str()});
    dialog->SetOptions(0);
    dialog->SetFileTypes(static_cast<UINT>(types.size()), types.data());
    dialog->SetFileTypeIndex(1);
    dialog->SetFileName(request.fileName.c_str());
    if (!request.startFolder.empty()) {
        ComPtr<IShellItem> folder;
        if (SUCCEEDED(::SHCreateItemFromParsingName(request.startFolder.c_str(), nullptr, IID_PPV_ARGS(&folder))))
            dialog->SetFolder(folder.Get());
    }
    if (FAILED(dialog->Show(request.owner))) return std::nullopt;
    ComPtr<IShellItem> result;
    if (FAILED(dialog->GetResult(&result))) return std::nullopt;
    wchar_t* rawPath = nullptr;
    if (FAILED(result->GetDisplayName(SIGDN_FILESYSPATH, &rawPath))) return std::nullopt;
    UniqueCoTaskString path(rawPath);
    return std::wstring(path.Get());
}

}  // namespace sorabako

namespace sorabako {
namespace {

struct BrowseContext {
    HWND owner;
    const std::wstring* preselected;
};

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) noexcept {
    if (message != BFFM_INITIALIZED) return 0;
    const auto* context = reinterpret_cast<const BrowseContext*>(data);
    CentreOnMonitorOf(dialog, context->owner);
    if (!context->preselected->empty())
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(context->preselected->c_str()));
    return 0;
}

// Suppresses the system's critical-error boxes (a drive without a medium) for one scope.
class CriticalErrorsSuppressed {
public:
    CriticalErrorsSuppressed() noexcept : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS)) {}
    CriticalErrorsSuppressed(const CriticalErrorsSuppressed&) = delete;
    CriticalErrorsSuppressed& operator=(const CriticalErrorsSuppressed&) = delete;
    ~CriticalErrorsSuppressed() { ::SetErrorMode(previous_); }

private:
    UINT previous_;
};

}  // namespace

std::optional<std::wstring> Win32Platform::BrowseForFolder(HWND owner, const std::wstring& instruction,
                                                           const std::wstring& preselected) {
    BrowseContext context{owner, &preselected};
    wchar_t displayName[MAX_PATH]{};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.pszDisplayName = displayName;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&context);

    UniqueItemIdList chosen;
    {
        CriticalErrorsSuppressed suppressed;
        chosen.Reset(::SHBrowseForFolderW(&info));
    }
    if (!chosen) return std::nullopt;
    std::wstring path(32768, L'\0');
    if (!::SHGetPathFromIDListEx(chosen.Get(), path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT))
        return std::nullopt;
    path.resize(wcslen(path.c_str()));
    return path;
}

}  // namespace sorabako
