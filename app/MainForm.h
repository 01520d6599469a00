#pragma once
// The main window Form1 of class TForm1. It carries the program's state: the
// work-folder strings, the history (held by ListBox1 alone) and the mode
// (held by the three radio buttons alone), and the open operation that every
// road ends in.
#include "app/BaseWindow.h"
#include "app/MainControls.h"
#include "app/ModalMoments.h"
#include "platform/Platform.h"
#include "platform/UniqueHandle.h"
#include "workcopy/CopyOutcome.h"
#include "workcopy/CopyProgress.h"
#include "workcopy/HistoryList.h"
#include "workcopy/SourcePaths.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sorabako {

using LocalClock = std::function<SYSTEMTIME()>;
SYSTEMTIME LocalTimeNow();

struct FormOptions {
    // Names the marker property of the running instance; empty leaves the window unmarked.
    std::wstring instanceName;
    // The first command-line argument: present means the one-shot road.
    std::optional<std::wstring> commandLineSource;
    LocalClock clock = LocalTimeNow;
    // The settings file; empty: beside the executable.
    std::wstring settingsFile;
    // How long a copy runs before its progress dialog shows.
    ULONGLONG progressDialogAfterMs = CopyProgress::kShowAfterMs;
};

enum class WindowState { Normal = 0, Minimized = 1, Maximized = 2 };
enum FormPage { kPageFile = 0, kPageSettings = 1, kPageLog = 2, kPageHelp = 3 };

class TForm1 : public BaseWindow<TForm1> {
public:
    TForm1(Platform& platform, FormOptions options);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Creates Form1 hidden; the creation sequence runs inside.
    void Create(HINSTANCE instance);

    // The application-wide filter: true marks a message handled.
    bool AppMessageHook(MSG& message);
    // The window's own keys, before the dialog manager: true when taken.
    bool PreTranslateKey(const MSG& message);
    void ApplyStartupShowCommand(int showCommand);
    void ReportError(const AppError& error);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend struct TForm1Probe;  // tests read and drive the private state

    // Creation and layout (MainForm.cpp).
    void FormCreate();
    void CreateControls();
    void UpdateFonts();
    void FormResize();
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    void OnMinMaxInfo(MINMAXINFO& info) const;
    bool OnSetCursor(HWND control);
    LRESULT DefaultButtonId() const;
    void OnCommand(int id, int code, HWND control);
    void RunCommand(int id);
    void OnNotify(const NMHDR& header);
    void OnContextMenu(HWND window, POINT screen);

    // Roads and the open operation.
    void ResolveStartupWorkFolder();
    void TakeOneShotRoad(const std::wstring& argument);
    void TakeWindowRoad();
    bool FormCloseQuery();
    void RequestEnd();
    bool HasLiveControls() const { return window_ && !windowGoing_; }

    // Arrivals that may come while a modal moment is up (MainFormArrivals.cpp).
    void OnCloseRequest();
    void OnDropFiles(HDROP drop);
    void OpenDropFromQueue(HDROP drop);
    void ReplayHeldArrivals();
    BOOL WMQueryEndSession();
    void StopCopyForSessionEnd(CopyProgress& copy);
    std::wstring MakeWorkFileName(const std::wstring& source);
    void OpenWorkCopy(const std::wstring& source, const std::wstring& workPath, bool terminate);

    // The copy of the open operation, with its progress dialog (MainFormCopy.cpp).
    CopyOutcome CopyToWorkPath(const std::wstring& source, const std::wstring& workPath, bool folder);
    void ReportSkipped(const CopyOutcome& outcome);

    // Settings (MainFormSettings.cpp).
    void LoadSettings();
    void SaveSettings();
    std::wstring SettingsFile() const;

    // Pages and controls.
    int ActivePage() const;
    void SetActivePage(int page);
    void ChangePageAsUser(int page);
    void PageControl1Change();
    void AttachMainMenu();

    // Keyboard and focus (MainFormKeyboard.cpp).
    void PressButton(int id, HWND button);
    void ChooseMenuItem(int id);
    void ShowAdjacentPage(int step);
    void MoveFocusInPage(bool backward);
    void MoveAmongModeButtons(HWND focus, bool backward);
    static std::vector<HWND> TabStops(HWND page);
    HWND ActivePageWindow() const;
    bool IsUsableFocus(HWND control) const;
    void FocusFirstControl();
    void FocusControl(HWND control);
    void RestoreFocus();
    void OnControlFocus(HWND control);
    HWND DefaultButtonOfPage(int page) const;
    static void ShowAsDefault(HWND button, bool isDefault);
    void WMDropFiles(HDROP drop);
    void ButtonSelectClick();
    void SetTempFolderClick();
    void ButtonOpenAnotherFolderClick();
    void ButtonOpenSystemTempFolderClick();

    // History page (MainFormHistory.cpp).
    int SelectedEntry() const;
    void PopupMenu1Popup();
    POINT HistoryMenuPoint() const;
    void OpenTempP1Click();
    void OpenLocationP1Click();
    void DeleteP1Click();
    void ClearP1Click();

    // File and Help page buttons (MainFormShell.cpp).
    void ToggleShortcut(int csidl, const std::wstring& folderDisplayName);
    void ButtonSendToClick();
    void ButtonDeskTopClick();
    void ButtonStartMenuClick();
    void ButtonStartUpClick();
    void ButtonHelpClick();
    void ButtonAboutClick();
    void ButtonPropertiesClick();
    void ButtonDonationClick();
    void ButtonHomeSiteClick();
    void RadioButtonSystemFolderClick();
    void RadioButtonSameFolderClick();
    void RadioButtonAnotherFolderClick();
    void CheckModeButton(HWND button);
    void SetModeButtonFromFlag(HWND button, bool checked);
    void SetChecked(HWND button, bool checked);
    void SetCheckBox(HWND checkBox, bool checked);
    std::optional<WorkFolderMode> CheckedMode() const;
    HWND ModeButton(WorkFolderMode mode) const;
    WindowState CurrentWindowState() const;

    Platform& platform_;
    FormOptions options_;
    MainControls controls_;
    AccessibleAnnotations annotations_;  // what readers hear beyond the controls' own texts
    UniqueFont font_;
    UniqueMenu MainMenu1;  // attached only while it has items: an empty bar would take a row
    UniqueMenu PopupMenu1;
    HWND focusedControl_ = nullptr;  // gets the focus back when the window is activated
    UINT dpi_ = 96;
    int captionTextHeight_ = 14;

    HistoryList HistoryList_;
    std::wstring WorkFolder;
    std::wstring AnotherFolderName;
    std::wstring LastFolderName;
    std::wstring WorkFileName;
    std::wstring fileOpenDialogFileName_;  // the dialog starts from the last choice
    BYTE EndSessionFlag = 0;
    WindowState windowState_ = WindowState::Normal;  // while hidden: the state to show in
    bool minimizedRecorded_ = false;  // started minimised without activation, until the next resize
    bool endRequested_ = false;
    bool windowGoing_ = false;  // from WM_DESTROY on: the controls are being destroyed
    // Posted when the last modal moment ends with arrivals held.
    static constexpr UINT kMsgReplayHeld = WM_APP + 1;
    ModalMoments moments_{[this] {
        if (window_) ::PostMessageW(window_, kMsgReplayHeld, 0, 0);
    }};
    CopyProgress* activeCopy_ = nullptr;  // the copy under way, which the end of the session stops
};

}  // namespace sorabako
