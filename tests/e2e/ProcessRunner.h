#pragma once
// Runs a private copy of Sorabako.exe as the shell would, in a folder of its
// own (so its settings file is the test's) with its own temporary folder and
// launch log, and watches the windows it shows.
#include "platform/UniqueHandle.h"
#include "support/Polling.h"
#include "support/ScratchFolder.h"

#include <functional>
#include <string>
#include <vector>

namespace sorabako::test {

class ChildProcess {
public:
    ChildProcess(UniqueKernelHandle process, DWORD id) : process_(std::move(process)), id_(id) {}
    ChildProcess(ChildProcess&&) noexcept = default;
    ChildProcess& operator=(ChildProcess&&) noexcept = default;
    // Nothing a test starts may outlive it: a process still running is ended.
    ~ChildProcess() { Terminate(); }

    DWORD Id() const { return id_; }
    // Waits for the end; false when it is still running after timeoutMs.
    bool WaitForExit(DWORD timeoutMs);
    bool IsRunning() const;
    DWORD ExitCode() const;
    // Polls until the process ends, noting whether any of its windows became
    // visible. The progress dialog does not count: a copy shows it whenever
    // it runs longer than a second, which on a loaded machine any copy may.
    bool WaitForExitWatchingWindows(DWORD timeoutMs, bool& showedWindow);
    // The first visible top-level window of the process with that class, waiting up to timeoutMs;
    // never the progress dialog, which any copy may show on a loaded machine.
    HWND WaitForWindow(const wchar_t* windowClass, DWORD timeoutMs) const;
    HWND WaitForProgressDialog(DWORD timeoutMs) const;
    // A top-level window of the process with that class, shown or not.
    HWND HiddenOrShownWindow(const wchar_t* windowClass) const;
    void Terminate();

private:
    UniqueKernelHandle process_;
    DWORD id_;
};

class Installation {
public:
    Installation();
    explicit Installation(const std::wstring& parent);  // the executable in a folder under parent    // Ends any process still running this installation's executable, such as
    // one the shell started, so that nothing outlives the test.
    ~Installation();

    const std::wstring& Folder() const { return root_.Path(); }
    const std::wstring& Executable() const { return executable_; }
    const std::wstring& TempFolder() const { return temp_; }
    std::wstring operator/(const std::wstring& relative) const { return root_ / relative; }

    // Starts Sorabako.exe with the raw argument text after its quoted path,
    // and the starter's show command when one is given (as a shortcut does).
    // beforeItRuns, when given, is called with the new process's id while
    // the process is still suspended.
    ChildProcess Start(const std::wstring& arguments, int showCommand = -1,
                       const std::function<void(DWORD processId)>& beforeItRuns = {}) const;
    // The command lines the shell handed to launched programs so far.
    std::vector<std::wstring> LaunchedCommandLines() const;
    // Waits until at least count launches are logged.
    std::vector<std::wstring> WaitForLaunches(std::size_t count, DWORD timeoutMs) const;
    // After the program has ended: every launch it made, once each has been logged.
    std::vector<std::wstring> SettledLaunches() const;

private:
    void Install();

    ScratchFolder root_;
    std::wstring executable_;
    std::wstring temp_;
    std::wstring launchLog_;
};

// The folder that holds the test executable, Sorabako.exe and LaunchRecorder.exe.
std::wstring BuildFolder();

// Driving another process's windows as a user would.
std::wstring TextOf(HWND window);
std::wstring MessageText(HWND box);  // the text of a message box
HWND ChildWithText(HWND parent, const wchar_t* text);
// What a click on the button with that caption reports to the form.
void ClickButton(HWND form, const wchar_t* caption);
// The next visible dialog of program other than previous.
HWND NextDialog(ChildProcess& program, HWND previous);
// Presses a button of a box by its id and waits until the box is gone.
void AnswerBox(HWND box, int button);
// Has another process's window and its children paint what they show now.
void PaintNow(HWND window);

}  // namespace sorabako::test
