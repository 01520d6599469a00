#include "app/MessageLoop.h"

#include "app/MainForm.h"

namespace sorabako {
namespace {

// The filter first, then the window's own keys; an error raised by either is
// reported like one raised inside a window procedure.
bool TakenBeforeDispatch(TForm1& form, MSG& message) {
    try {
        return form.AppMessageHook(message) || form.PreTranslateKey(message);
    } catch (const AppError& error) {
        form.ReportError(error);
        return true;
    }
}

}  // namespace

int RunMessageLoop(TForm1& form, int startupShowCommand) {
    form.ApplyStartupShowCommand(startupShowCommand);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TakenBeforeDispatch(form, message)) continue;
        if (form.Handle() && ::IsDialogMessageW(form.Handle(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace sorabako
