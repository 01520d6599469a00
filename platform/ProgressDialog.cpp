#include "platform/ProgressDialog.h"

#include <oleidl.h>

namespace sorabako {
namespace {

void BringToFront(IProgressDialog& dialog) {
    Microsoft::WRL::ComPtr<IOleWindow> window;
    HWND handle = nullptr;
    if (SUCCEEDED(dialog.QueryInterface(IID_PPV_ARGS(&window))) && SUCCEEDED(window->GetWindow(&handle)) && handle)
        ::SetForegroundWindow(handle);
}

}  // namespace

std::unique_ptr<ProgressDialog> ProgressDialog::Open(HWND owner, const ProgressDialogText& text) {
    Microsoft::WRL::ComPtr<IProgressDialog> dialog;
    // By its IID: not every SDK's headers attach one to the interface type.
    if (FAILED(::CoCreateInstance(CLSID_ProgressDialog, nullptr, CLSCTX_INPROC_SERVER, IID_IProgressDialog,
                                  reinterpret_cast<void**>(dialog.GetAddressOf()))))
        return nullptr;
    // Title and lines before the start, so that the dialog never shows without them.
    dialog->SetTitle(text.title.c_str());
    dialog->SetLine(1, text.firstLine.c_str(), TRUE, nullptr);
    dialog->SetLine(2, text.secondLine.c_str(), TRUE, nullptr);
    const DWORD flags = PROGDLG_NORMAL | PROGDLG_AUTOTIME | (owner ? PROGDLG_MODAL : 0);
    const bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (FAILED(dialog->StartProgressDialog(owner, nullptr, flags, nullptr))) return nullptr;
    if (!owner) BringToFront(*dialog.Get());
    return std::unique_ptr<ProgressDialog>(
        new ProgressDialog(std::move(dialog), owner, ownerWasEnabled, text.removingLine));
}

// A modal dialog disables its owner; not every implementation enables it
// again when the dialog ends, so the owner gets back the state it had, before
// the dialog goes: the system then hands the activation back to the owner.
ProgressDialog::~ProgressDialog() {
    if (ownerWasEnabled_) ::EnableWindow(owner_, TRUE);
    dialog_->StopProgressDialog();
}

void ProgressDialog::SetProgress(ULONGLONG done, ULONGLONG total) {
    dialog_->SetProgress64(done, total);
}

bool ProgressDialog::UserCancelled() const {
    return dialog_->HasUserCancelled() != FALSE;
}

void ProgressDialog::ShowRemoving() {
    dialog_->SetLine(1, removingLine_.c_str(), FALSE, nullptr);
}

}  // namespace sorabako
