// The reference for start-up cost: a Win32 GUI program that starts, creates
// one hidden window and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"MinimalWin32";
    ::RegisterClassExW(&windowClass);
    HWND window = ::CreateWindowExW(0, L"MinimalWin32", L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    instance, nullptr);
    ::DestroyWindow(window);
    return 0;
}
