#pragma once
// The shell's standard progress dialog (IProgressDialog, as Explorer shows
// for its copies). The dialog runs on a thread of its own, so it paints and
// takes the Cancel click while the copy keeps this thread busy.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <memory>
#include <string>

namespace sorabako {

struct ProgressDialogText {
    std::wstring title;
    std::wstring firstLine;   // shown compacted to the dialog's width
    std::wstring secondLine;  // likewise; the third line tells the remaining time
    std::wstring removingLine;  // the first line while a cancelled copy is removed
};

class ProgressDialog {
public:
    // Shows the dialog: owned by owner and modal to it when owner is given,
    // else on its own in front of the other windows. Null when the shell
    // cannot provide one; the copy then simply runs without it.
    static std::unique_ptr<ProgressDialog> Open(HWND owner, const ProgressDialogText& text);
    ~ProgressDialog();
    ProgressDialog(const ProgressDialog&) = delete;
    ProgressDialog& operator=(const ProgressDialog&) = delete;

    void SetProgress(ULONGLONG done, ULONGLONG total);
    bool UserCancelled() const;
    // The dialog stays up while a cancelled copy is removed, and says so.
    void ShowRemoving();

private:
    ProgressDialog(Microsoft::WRL::ComPtr<IProgressDialog> dialog, HWND owner, bool ownerWasEnabled,
                   std::wstring removingLine)
        : dialog_(std::move(dialog)), owner_(owner), ownerWasEnabled_(ownerWasEnabled),
          removingLine_(std::move(removingLine)) {}
    Microsoft::WRL::ComPtr<IProgressDialog> dialog_;
    HWND owner_;
    bool ownerWasEnabled_;
    std::wstring removingLine_;
};

}  // namespace sorabako
