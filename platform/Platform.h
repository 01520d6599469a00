#pragma once
// The operations that leave the program: launches through the shell and
// modal boxes that wait for the user. Everything else in platform/ is a plain
// function; these sit behind an interface so that tests can record launches
// and answer boxes without starting programs or blocking on a modal window.
#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sorabako {

struct FileOpenRequest {
    HWND owner = nullptr;
    std::wstring startFolder;  // empty: the dialog's own choice
    std::wstring fileName;     // preset text of the file-name box
    std::vector<std::pair<std::wstring, std::wstring>> fileTypes;  // display name, mask
};

class Platform {
public:
    virtual ~Platform() = default;

    // ShellExecuteW(owner, "open", target, no parameters, no folder, SW_SHOWNORMAL).
    // The result is not examined by the program.
    virtual void ShellOpen(HWND owner, const std::wstring& target) = 0;
    // Explorer with path selected; owner is the application window.
    virtual void ShowInExplorer(HWND owner, const std::wstring& path) = 0;
    // The shell's Properties sheet of path.
    virtual void ShowFileProperties(HWND owner, const std::wstring& path) = 0;
    // Boxes are modal to the program: owned by its active window, else by
    // mainWindow, which stays disabled until the box closes. While the main
    // window is hidden (or there is none) the box is task-modal and comes to
    // the front on its own.
    // MessageBoxW; returns the button id.
    virtual int ShowMessageBox(HWND mainWindow, const std::wstring& text,
                               const std::wstring& caption, UINT flags) = 0;
    // A modal message: caption, text, one OK button, no icon, centred on the screen.
    virtual void ShowPlainMessage(HWND mainWindow, const std::wstring& text, const std::wstring& caption) = 0;
    // The common item file-open dialog with an empty option set and the first
    // file type selected; the chosen file-system path, or nullopt on Cancel.
    virtual std::optional<std::wstring> ChooseFileToOpen(const FileOpenRequest& request) = 0;
    // The shell's folder-browse dialog for file-system folders, centred on the
    // owner's monitor, with preselected (when not empty) selected; nullopt on Cancel.
    virtual std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& instruction,
                                                        const std::wstring& preselected) = 0;
    // Tells the system why the end of the session waits for window
    // (ShutdownBlockReasonCreate); an empty reason withdraws it.
    virtual void SetShutdownBlockReason(HWND window, const std::wstring& reason) = 0;
};

// Encloses a path in double quotes for the shell's file argument.
inline std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// Who owns a box: the program's active window, else its main window; either
// is disabled while the box is up. A hidden owner (the one-shot road) would
// keep the box out of sight and off the taskbar: the box then has no owner
// and is task-modal, which disables the thread's windows all the same.
struct BoxOwner {
    HWND window;
    UINT extraFlags;
};
BoxOwner ModalBoxOwner(HWND activeWindow, HWND mainWindow);

// Explorer's arguments for a window on path's folder with path selected; the
// quotes keep blanks and commas in the path from splitting it.
inline std::wstring ExplorerSelectParameters(const std::wstring& path) {
    return L"/select," + Quoted(path);
}

class Win32Platform final : public Platform {
public:
    void ShellOpen(HWND owner, const std::wstring& target) override;
    void ShowInExplorer(HWND owner, const std::wstring& path) override;
    void ShowFileProperties(HWND owner, const std::wstring& path) override;
    int ShowMessageBox(HWND mainWindow, const std::wstring& text, const std::wstring& caption,
                       UINT flags) override;
    void ShowPlainMessage(HWND mainWindow, const std::wstring& text, const std::wstring& caption) override;
    std::optional<std::wstring> ChooseFileToOpen(const FileOpenRequest& request) override;
    std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& instruction,
                                                const std::wstring& preselected) override;
    void SetShutdownBlockReason(HWND window, const std::wstring& reason) override;
};

}  // namespace sorabako
