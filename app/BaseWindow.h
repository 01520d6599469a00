#pragma once
// The window-procedure thunk shared by the program's windows. It stores the
// object at WM_NCCREATE, so no message is lost, and never lets an error cross
// back into Windows: an AppError goes to the window's default error report.
#include "platform/AppError.h"

#include <windows.h>

namespace sorabako {

template <typename Derived>
class BaseWindow {
public:
    HWND Handle() const noexcept { return window_; }

protected:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            self = static_cast<Derived*>(create->lpCreateParams);
            self->window_ = window;
            ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        }
        if (!self) return ::DefWindowProcW(window, message, wParam, lParam);
        if (message == WM_NCDESTROY) {
            ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->window_ = nullptr;
            return ::DefWindowProcW(window, message, wParam, lParam);
        }
        try {
            return self->HandleMessage(message, wParam, lParam);
        } catch (const AppError& error) {
            self->ReportError(error);
            return 0;
        }
    }

    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
        return ::DefWindowProcW(window_, message, wParam, lParam);
    }

    HWND window_ = nullptr;
};

}  // namespace sorabako
