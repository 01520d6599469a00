#include "e2e/Keyboard.h"

#include "support/Polling.h"
#include "support/ScratchFolder.h"

#include <stdexcept>

namespace sorabako::test {
namespace {

constexpr DWORD kTimeoutMs = kWaitLimitMs;

// Wine runs Unix programs through CreateProcessW but hands back no process to
// wait for; the command leaves a marker file when it is done instead.
std::string UnixPath(const std::wstring& windowsPath) {
    using Convert = char*(CDECL*)(const wchar_t*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) throw std::runtime_error("not running under Wine");
    char* unix = convert(windowsPath.c_str());
    std::string path(unix ? unix : "");
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return path;
}

void RunXdotool(const std::string& arguments) {
    ScratchFolder scratch;
    const std::wstring marker = scratch / L"done";
    const std::string script = "/usr/bin/xdotool " + arguments + "; : > '" + UnixPath(marker) + "'";
    std::wstring commandLine = L"Z:\\bin\\sh -c \"" + std::wstring(script.begin(), script.end()) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        throw std::runtime_error("cannot start xdotool");
    if (!WaitUntil([&] { return ::GetFileAttributesW(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }, kTimeoutMs))
        throw std::runtime_error("xdotool did not finish");
}

}  // namespace

void PressKeys(const std::string& keys) {
    RunXdotool("key --clearmodifiers --delay 40 " + keys);
}

void ClickAt(POINT screen) {
    RunXdotool("mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) + " click 1");
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

HWND WaitForFocus(HWND window, HWND expected, DWORD timeoutMs) {
    HWND focus = nullptr;
    WaitUntil([&] { return (focus = FocusOf(window)) == expected; }, timeoutMs);
    return focus;
}

bool BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    return WaitUntil([window] { return ::GetForegroundWindow() == window && FocusOf(window); }, kTimeoutMs);
}

}  // namespace sorabako::test
