#pragma once
// The program's one error type: a message for the user, shown by the default
// error report. Raised by the path and settings routines; nothing else throws.
#include <windows.h>

#include <string>

namespace sorabako {

class AppError {
public:
    explicit AppError(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& Message() const noexcept { return message_; }

private:
    std::wstring message_;
};

// The system's own description of an error code, without trailing blanks,
// line breaks and periods.
std::wstring SystemErrorText(DWORD error);

[[noreturn]] void ThrowSystemError(DWORD error);

}  // namespace sorabako
