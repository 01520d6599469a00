// The time from Cancel in the progress dialog to the end of the copy:
//   CancelBench <exe> <source folder>
// starts the one-shot road on a tree large enough for the dialog, presses
// Cancel as soon as the dialog shows and prints
//   "cancel-dialog <ms>"  until the dialog is gone (the copy has stopped), and
//   "cancel-exit <ms>"    until the process has ended (its partial copy removed).
#include "bench/BenchSupport.h"
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <cstdio>
#include <string>

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) return 2;
    std::wstring commandLine = L"\"" + std::wstring(argv[1]) + L"\" \"" + argv[2] + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(argv[1], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 1;
    sorabako::UniqueKernelHandle process(info.hProcess), thread(info.hThread);

    HWND dialog = nullptr;
    for (int waited = 0; !dialog && waited < 30000; ++waited) {
        dialog = bench::VisibleWindowOf(info.dwProcessId, L"#32770");
        if (!dialog && ::WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0) break;
    }
    if (!dialog) {
        std::printf("no-dialog 0\n");
        ::TerminateProcess(process.Get(), 1);
        return 1;
    }
    const LARGE_INTEGER pressed = bench::Now();
    ::PostMessageW(::GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    while (::IsWindow(dialog) && ::IsWindowVisible(dialog)) ::Sleep(1);
    const LARGE_INTEGER closed = bench::Now();
    ::WaitForSingleObject(process.Get(), 30000);
    const LARGE_INTEGER ended = bench::Now();
    std::printf("cancel-dialog %.1f\ncancel-exit %.1f\n", bench::Milliseconds(pressed, closed), bench::Milliseconds(pressed, ended));
    return 0;
}
