// Figures of a large history, measured side by side in one run:
//   start <exe> <folder-with-10000> <folder-with-none> <rounds>
//       start of the window road until the window shows, alternating both folders;
//   move <rounds>
//       re-opening the top entry of a 10,000-entry history (it moves to the bottom).
// Prints one line per measurement: "<name> <milliseconds>".
#include "platform/UniqueHandle.h"
#include "settings/ProfileReader.h"
#include "workcopy/HistoryList.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return (to.QuadPart - from.QuadPart) * 1000.0 / frequency.QuadPart;
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now;
}

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindVisibleForm(HWND window, LPARAM context) noexcept {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    wchar_t name[32]{};
    ::GetClassNameW(window, name, 32);
    if (owner != search->processId || !::IsWindowVisible(window) || wcscmp(name, L"TForm1") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

double TimeWindowRoad(const std::wstring& folder) {
    std::wstring commandLine = L"\"" + folder + L"\\Sorabako.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    const LARGE_INTEGER start = Now();
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                          &info))
        return -1;
    sorabako::UniqueKernelHandle process(info.hProcess);
    sorabako::UniqueKernelHandle thread(info.hThread);
    Search search{info.dwProcessId, nullptr};
    while (!search.found) {
        ::EnumWindows(FindVisibleForm, reinterpret_cast<LPARAM>(&search));
        if (!search.found) ::Sleep(1);
    }
    const double elapsed = Milliseconds(start, Now());
    ::PostMessageW(search.found, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(process.Get(), 60000);
    return elapsed;
}

void MeasureMove(int rounds) {
    sorabako::UniqueWindow list(::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_HSCROLL, 0, 0, 300, 300, nullptr,
                                                  nullptr, ::GetModuleHandleW(nullptr), nullptr));
    sorabako::HistoryList history(list.Get());
    history.BeginLoad();
    for (int i = 0; i < 10000; ++i)
        history.AppendLoadedEntry(L"C:\\projects\\folder " + std::to_wstring(i % 97) + L"\\document " +
                                  std::to_wstring(i) + L".txt");
    history.ApplyHistoryExtent();
    for (int round = 0; round < rounds; ++round) {
        const std::wstring top = history.At(0);
        const LARGE_INTEGER start = Now();
        history.RecordSource(top);
        std::printf("move %.3f\n", Milliseconds(start, Now()));
    }
}

// The steps of loading a history from a settings file, timed one by one.
void MeasureLoad(const std::wstring& settingsFile) {
    sorabako::UniqueWindow list(::CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_HSCROLL, 0, 0, 300, 300, nullptr,
                                                  nullptr, ::GetModuleHandleW(nullptr), nullptr));
    sorabako::HistoryList history(list.Get());
    const sorabako::ProfileReader reader(settingsFile);
    LARGE_INTEGER mark = Now();
    const auto step = [&mark](const char* name) {
        const LARGE_INTEGER now = Now();
        std::printf("load-%s %.1f\n", name, Milliseconds(mark, now));
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
