#pragma once
// The main window Form1 of class TForm1. It carries the program's state: the
// work-folder strings, the history (held by ListBox1) and the mode (held by
// the three radio buttons), and the open operation every road ends in.
#include "app/BaseWindow.h"
#include "platform/Platform.h"
#include "platform/UniqueHandle.h"
#include "workcopy/HistoryList.h"
#include "workcopy/SourcePaths.h"

#include <functional>
#include <optional>
#include <string>

namespace sorabako {

using LocalClock = std::function<SYSTEMTIME()>;
SYSTEMTIME LocalTimeNow();

struct FormOptions {
    // Names the marker property of the running instance; empty leaves the window unmarked.
    std::wstring instanceName;
    // The first command-line argument: present means the one-shot road.
    std::optional<std::wstring> commandLineSource;
    LocalClock clock = LocalTimeNow;
};

enum class WindowState { Normal, Minimized, Maximized };
enum class FormPage { File, Settings, Log, Help };

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
    void ApplyStartupShowCommand(int showCommand);
    void ReportError(const AppError& error);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    friend struct TForm1Probe;  // tests read and drive the private state

    void FormCreate();
    void CreateControls();
    void FormResize();
    void LoadSettings();
    void SaveSettings();
    void ResolveStartupWorkFolder();
    void TakeOneShotRoad(const std::wstring& argument);
    void TakeWindowRoad();
    bool FormCloseQuery();
    void RequestEnd();

    std::wstring MakeWorkFileName(const std::wstring& source);
    void OpenWorkCopy(const std::wstring& source, const std::wstring& workPath, bool terminate);

    void RadioButtonSystemFolderClick();
    void CheckModeButton(HWND button);
    std::optional<WorkFolderMode> CheckedMode() const;
    HWND ModeButton(WorkFolderMode mode) const;

    Platform& platform_;
    FormOptions options_;
    UniqueFont font_;

    HWND ListBox1 = nullptr;
    HWND RadioButtonSystemFolder = nullptr;
    HWND RadioButtonSameFolder = nullptr;
    HWND RadioButtonAnotherFolder = nullptr;
    HistoryList HistoryList_;

    std::wstring WorkFolder;
    std::wstring AnotherFolderName;
    std::wstring LastFolderName;
    std::wstring WorkFileName;
    BYTE EndSessionFlag = 0;
    WindowState windowState_ = WindowState::Normal;
    FormPage activePage_ = FormPage::File;
    bool endRequested_ = false;
};

}  // namespace sorabako
