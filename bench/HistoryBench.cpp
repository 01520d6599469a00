// Figures of a large history, measured side by side in one run:
//   start <exe> <folder-with-10000> <folder-with-none> <rounds>
//       start of the window road until the window shows, alternating both folders;
//   move <rounds>
//       re-opening the top entry of a 10,000-entry history (it moves to the bottom).
// Prints one line per measurement: "<name> <milliseconds>".
#include "bench/BenchSupport.h"
#include "platform/UniqueHandle.h"
#include "settings/ProfileReader.h"
#include "workcopy/HistoryList.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

double TimeWindowRoad(const std::wstring& folder) {
    std::wstring commandLine = L"\"" + folder + L"\\Sorabako.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const LARGE_INTEGER start = bench::Now();
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info))
        return -1;
    sorabako::UniqueKernelHandle process(info.hProcess);
    sorabako::UniqueKernelHandle thread(info.hThread);
    HWND form = nullptr;
    while (!(form = bench::VisibleWindowOf(info.dwProcessId, L"TForm1"))) ::Sleep(1);
    const double elapsed = bench::Milliseconds(start, bench::Now());
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(process.Get(), 60000);
    return elapsed;
}

void MeasureMove(int rounds) {
    sorabako::UniqueWindow list(::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_HSCROLL, 0, 0, 300, 300, nullptr,
                                                  nullptr, ::GetModuleHandleW(nullptr), nullptr));
    sorabako::HistoryList history(list.Get());
    history.BeginLoad();
    std::vector<std::wstring> entries;
    for (int i = 0; i < 10000; ++i)
        entries.push_back(L"C:\\projects\\folder " + std::to_wstring(i % 97) + L"\\document " +
                          std::to_wstring(i) + L".txt");
    history.AppendLoadedEntries(entries);
    history.ApplyHistoryExtent();
    for (int round = 0; round < rounds; ++round) {
        const std::wstring top = history.At(0);
        const LARGE_INTEGER start = bench::Now();
        history.RecordSource(top);
        std::printf("move %.3f\n", bench::Milliseconds(start, bench::Now()));
    }
}

// The steps of loading a history from a settings file, timed one by one.
void MeasureLoad(const std::wstring& settingsFile) {
    sorabako::UniqueWindow list(::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_HSCROLL, 0, 0, 300, 300, nullptr,
                                                  nullptr, ::GetModuleHandleW(nullptr), nullptr));
    sorabako::HistoryList history(list.Get());
    const sorabako::ProfileReader reader(settingsFile);
    LARGE_INTEGER mark = bench::Now();
    const auto step = [&mark](const char* name) {
        const LARGE_INTEGER now = bench::Now();
        std::printf("load-%s %.1f\n", name, bench::Milliseconds(mark, now));
        mark = now;
    };
    history.BeginLoad();
    const std::vector<std::wstring> values = reader.ReadSection(L"LOG").Values();
    step("section");
    // Each call of the system's reader costs a pass over the whole file, a small section too.
    reader.ReadSection(L"POSITION");
    step("small-section");
    history.AppendLoadedEntries(values);
    step("list");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 6 && std::wstring(argv[1]) == L"start") {
        const int rounds = _wtoi(argv[5]);
        for (int round = 0; round < rounds; ++round) {
            std::printf("start-10000 %.1f\n", TimeWindowRoad(argv[3]));
            std::printf("start-empty %.1f\n", TimeWindowRoad(argv[4]));
            std::fflush(stdout);
        }
        return 0;
    }
    if (argc >= 3 && std::wstring(argv[1]) == L"load") {
        MeasureLoad(argv[2]);
        return 0;
    }
    if (argc >= 3 && std::wstring(argv[1]) == L"move") {
        MeasureMove(_wtoi(argv[2]));
        return 0;
    }
    std::fprintf(stderr, "usage: HistoryBench start <exe folder> <history folder> <empty folder> <rounds> | move <rounds>\n");
    return 2;
}
