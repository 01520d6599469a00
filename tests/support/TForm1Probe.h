#pragma once
// Lets tests read and drive the private state of the real main window.
#include "app/AppTitle.h"
#include "app/MainForm.h"

#include <memory>
#include <string>

namespace sorabako {

struct TForm1Probe {
    TForm1& form;

    std::wstring& WorkFolder() { return form.WorkFolder; }
    std::wstring& AnotherFolderName() { return form.AnotherFolderName; }
    std::wstring& LastFolderName() { return form.LastFolderName; }
    std::wstring& WorkFileName() { return form.WorkFileName; }
    HistoryList& History() { return form.HistoryList_; }
    const MainControls& Controls() { return form.controls_; }
    WindowState State() { return form.CurrentWindowState(); }
    int Page() { return form.ActivePage(); }
    void SetPage(int page) { form.SetActivePage(page); }
    HWND SystemFolderButton() { return form.controls_.RadioButtonSystemFolder; }
    std::wstring MakeWorkFileName(const std::wstring& source) { return form.MakeWorkFileName(source); }
    void OpenWorkCopy(const std::wstring& source, const std::wstring& workPath) {
        form.OpenWorkCopy(source, workPath, false);
    }
    void SaveSettings() { form.SaveSettings(); }
    HMENU PopupMenu() { return form.PopupMenu1.Get(); }
    HMENU MainMenu() { return form.MainMenu1.Get(); }
    bool Hook(MSG& message) { return form.AppMessageHook(message); }
    BYTE EndSessionFlag() { return form.EndSessionFlag; }
    void PopupMenu1Popup() { form.PopupMenu1Popup(); }
    void Command(int id) { ::SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void Select(int index) { ::SendMessageW(form.controls_.ListBox1, LB_SETCURSEL, index, 0); }
};

// Takes every queued message; true when a quit message was among them.
inline bool DrainQueueSawQuit() {
    bool quit = false;
    MSG message{};
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) quit = true;
        else ::DispatchMessageW(&message);
    }
    return quit;
}

// The real main window on the window road, with a queue emptied first.
inline std::unique_ptr<TForm1> CreateTestForm(Platform& platform, const std::wstring& settingsFile) {
    DrainQueueSawQuit();
    SetApplicationTitle(L"ソラバコ");
    auto form = std::make_unique<TForm1>(platform, FormOptions{L"", std::nullopt, LocalTimeNow, settingsFile});
    form->Create(::GetModuleHandleW(nullptr));
    return form;
}

}  // namespace sorabako
