// Stands in for the programs the shell would start for a work copy: appends
// its command line (UTF-8, one line) to the file named by SORABAKO_LAUNCH_LOG
// and ends at once, so nothing outlives a test or holds its output.
#include "platform/UniqueHandle.h"

#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    wchar_t logPath[32768];
    if (!::GetEnvironmentVariableW(L"SORABAKO_LAUNCH_LOG", logPath, 32768)) return 1;
    const std::wstring line = std::wstring(commandLine) + L"\n";
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), size, nullptr,
                          nullptr);
    sorabako::UniqueFileHandle log(::CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                                 nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!log) return 2;
    DWORD written = 0;
    ::WriteFile(log.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return 0;
}
