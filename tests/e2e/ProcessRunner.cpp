#include "e2e/ProcessRunner.h"

#include "platform/FileSystem.h"
#include "support/OwnWindows.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <stdexcept>

namespace sorabako::test {
namespace {

constexpr DWORD kPollMs = 20;

std::wstring Utf16(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
    return text;
}

// The current environment with some variables replaced, as a CreateProcessW block.
std::wstring EnvironmentWith(const std::vector<std::pair<std::wstring, std::wstring>>& overrides) {
    std::wstring block;
    wchar_t* strings = ::GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        bool replaced = false;
        for (const auto& [name, value] : overrides) {
            if (text.size() > name.size() && text[name.size()] == L'=' &&
                ::CompareStringOrdinal(text.data(), static_cast<int>(name.size()), name.c_str(),
                                       static_cast<int>(name.size()), TRUE) == CSTR_EQUAL)
                replaced = true;
        }
        if (!replaced) block.append(text).push_back(L'\0');
    }
    ::FreeEnvironmentStringsW(strings);
    for (const auto& [name, value] : overrides) block.append(name + L"=" + value).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* windowClass;  // null: any class
    bool visibleOnly;
    bool skipProgressDialogs;
    HWND found;
};

BOOL CALLBACK FindProcessWindow(HWND window, LPARAM context) noexcept {
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId) return TRUE;
    if (search->visibleOnly && !::IsWindowVisible(window)) return TRUE;
    if (search->skipProgressDialogs && IsProgressDialog(window)) return TRUE;
    if (search->windowClass) {
        wchar_t name[256]{};
        ::GetClassNameW(window, name, 256);
        if (wcscmp(name, search->windowClass) != 0) return TRUE;
    }
    search->found = window;
    return FALSE;
}

HWND FindWindowOf(DWORD processId, const wchar_t* windowClass, bool visibleOnly = true,
                  bool skipProgressDialogs = false) {
    WindowSearch search{processId, windowClass, visibleOnly, skipProgressDialogs, nullptr};
    ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND VisibleProgressDialogOf(DWORD processId) {
    struct Search {
        DWORD process;
        HWND found = nullptr;
    } search{processId};
    ::EnumWindows(
        [](HWND window, LPARAM context) noexcept -> BOOL {
            auto* search = reinterpret_cast<Search*>(context);
            DWORD process = 0;
            ::GetWindowThreadProcessId(window, &process);
            if (process != search->process || !::IsWindowVisible(window) || !IsProgressDialog(window)) return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

bool ChildProcess::WaitForExit(DWORD timeoutMs) {
    return ::WaitForSingleObject(process_.Get(), timeoutMs) == WAIT_OBJECT_0;
}

bool ChildProcess::IsRunning() const {
    return ::WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(process_.Get(), &code);
    return code;
}

bool ChildProcess::WaitForExitWatchingWindows(DWORD timeoutMs, bool& showedWindow) {
    showedWindow = false;
    for (DWORD waited = 0; waited < timeoutMs; waited += kPollMs) {
        if (FindWindowOf(id_, nullptr, true, true)) showedWindow = true;
        if (WaitForExit(kPollMs)) return true;
    }
    return false;
}

HWND ChildProcess::HiddenOrShownWindow(const wchar_t* windowClass) const {
    return FindWindowOf(id_, windowClass, false);
}

HWND ChildProcess::WaitForWindow(const wchar_t* windowClass, DWORD timeoutMs) const {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindWindowOf(id_, windowClass, true, true)) != nullptr; }, timeoutMs);
    return window;
}

HWND ChildProcess::WaitForProgressDialog(DWORD timeoutMs) const {
    HWND dialog = nullptr;
    WaitUntil([&] { return (dialog = VisibleProgressDialogOf(id_)) != nullptr; }, timeoutMs);
    return dialog;
}

void ChildProcess::Terminate() {
    if (process_ && IsRunning()) {
        ::TerminateProcess(process_.Get(), 99);
        ::WaitForSingleObject(process_.Get(), 5000);
    }
}

std::wstring BuildFolder() {
    const std::wstring self = ModuleFileName(nullptr);
    return self.substr(0, self.find_last_of(L'\\'));
}

Installation::Installation() {
    Install();
}

Installation::Installation(const std::wstring& parent) : root_(parent) {
    Install();
}

void Installation::Install() {
    executable_ = root_ / L"Sorabako.exe";
    temp_ = root_ / L"temp";
    launchLog_ = root_ / L"launches.log";
    if (!::CopyFileW((BuildFolder() + L"\\Sorabako.exe").c_str(), executable_.c_str(), FALSE))
        throw std::runtime_error("cannot copy Sorabako.exe");
    CreateFolderTree(temp_);
}

namespace {

// Calls act for every running process whose executable is image.
void ForEachProcessOf(const std::wstring& image, const std::function<void(HANDLE)>& act) {
    UniqueKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry)) {
        UniqueKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE,
                                                 FALSE, entry.th32ProcessID));
        if (!process) continue;
        wchar_t path[32768]{};
        DWORD size = 32768;
        if (!::QueryFullProcessImageNameW(process.Get(), 0, path, &size)) continue;
        if (::CompareStringOrdinal(path, -1, image.c_str(), -1, TRUE) == CSTR_EQUAL) act(process.Get());
    }
}

}  // namespace

Installation::~Installation() {
    ForEachProcessOf(executable_, [](HANDLE process) {
        ::TerminateProcess(process, 99);
        ::WaitForSingleObject(process, 5000);
    });
}

// A launch is a recorder process started before the program ended; once
// none runs, every launch the program made is in the log.
std::vector<std::wstring> Installation::SettledLaunches() const {
    const std::wstring recorder = BuildFolder() + L"\\LaunchRecorder.exe";
    WaitUntil([&] {
        bool running = false;
        ForEachProcessOf(recorder, [&](HANDLE process) { running |= ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT; });
        return !running;
    }, 20000);
    return LaunchedCommandLines();
}

ChildProcess Installation::Start(const std::wstring& arguments, int showCommand,
                                 const std::function<void(DWORD processId)>& beforeItRuns) const {
    std::wstring commandLine = L"\"" + executable_ + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::wstring environment =
        EnvironmentWith({{L"TMP", temp_}, {L"TEMP", temp_}, {L"SORABAKO_LAUNCH_LOG", launchLog_}});
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (showCommand >= 0) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    PROCESS_INFORMATION info{};
    const DWORD flags = CREATE_UNICODE_ENVIRONMENT | (beforeItRuns ? CREATE_SUSPENDED : 0);
    if (!::CreateProcessW(executable_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                          environment.data(), root_.Path().c_str(), &startup, &info))
        throw std::runtime_error("cannot start Sorabako.exe");
    UniqueKernelHandle thread(info.hThread);
    if (beforeItRuns) {
        beforeItRuns(info.dwProcessId);
        ::ResumeThread(thread.Get());
    }
    return ChildProcess(UniqueKernelHandle(info.hProcess), info.dwProcessId);
}

std::vector<std::wstring> Installation::LaunchedCommandLines() const {
    std::vector<std::wstring> lines;
    if (!Exists(launchLog_)) return lines;
    const std::wstring text = Utf16(ReadTextFile(launchLog_));
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

std::vector<std::wstring> Installation::WaitForLaunches(std::size_t count, DWORD timeoutMs) const {
    std::vector<std::wstring> lines;
    WaitUntil([&] { return (lines = LaunchedCommandLines()).size() >= count; }, timeoutMs);
    return lines;
}

}  // namespace sorabako::test

namespace sorabako::test {
namespace {

constexpr DWORD kDialogTimeoutMs = 20000;

struct ChildSearch {
    const wchar_t* text;
    HWND found;
};

BOOL CALLBACK FindChildByText(HWND child, LPARAM context) noexcept {
    auto* search = reinterpret_cast<ChildSearch*>(context);
    if (TextOf(child) != search->text) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

std::wstring TextOf(HWND window) {
    wchar_t text[4096]{};
    ::GetWindowTextW(window, text, 4096);
    return text;
}

std::wstring MessageText(HWND box) {
    return TextOf(::GetDlgItem(box, 0xFFFF));
}

HWND ChildWithText(HWND parent, const wchar_t* text) {
    ChildSearch search{text, nullptr};
    ::EnumChildWindows(parent, FindChildByText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void ClickButton(HWND form, const wchar_t* caption) {
    HWND button = ChildWithText(form, caption);
    ASSERT_TRUE(button) << Utf8(caption);
    ::PostMessageW(form, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

HWND NextDialog(ChildProcess& program, HWND previous) {
    HWND box = nullptr;
    const bool found = WaitUntil([&] {
        box = program.WaitForWindow(L"#32770", 0);
        return box && box != previous;
    }, kDialogTimeoutMs);
    return found ? box : nullptr;
}

void AnswerBox(HWND box, int button) {
    ::PostMessageW(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitUntil([box] { return !::IsWindow(box); }, kDialogTimeoutMs);
}

void PaintNow(HWND window) {
    // UpdateWindow on another thread's window waits until its WM_PAINT is handled.
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace sorabako::test
