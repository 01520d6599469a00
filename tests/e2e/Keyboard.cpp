#include "e2e/Keyboard.h"

#include "support/ScratchFolder.h"

#include <stdexcept>

namespace sorabako::test {
namespace {

constexpr DWORD kPollMs = 20;
constexpr DWORD kTimeoutMs = 20000;

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
    for (DWORD waited = 0; ::GetFileAttributesW(marker.c_str()) == INVALID_FILE_ATTRIBUTES; waited += kPollMs) {
        if (waited > kTimeoutMs) throw std::runtime_error("xdotool did not finish");
        ::Sleep(kPollMs);
    }
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
    HWND focus = FocusOf(window);
    for (DWORD waited = 0; focus != expected && waited < timeoutMs; waited += kPollMs) {
        ::Sleep(kPollMs);
        focus = FocusOf(window);
    }
    return focus;
}

bool BringToFront(HWND window) {
    ::SetForegroundWindow(window);
    for (DWORD waited = 0; waited < kTimeoutMs; waited += kPollMs) {
        if (::GetForegroundWindow() == window && FocusOf(window)) return true;
        ::Sleep(kPollMs);
    }
    return false;
}

}  // namespace sorabako::test
