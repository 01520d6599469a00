#include "app/MessageLoop.h"

#include "app/MainForm.h"

namespace sorabako {
namespace {

bool PassesHook(TForm1& form, MSG& message) {
    try {
        return !form.AppMessageHook(message);
    } catch (const AppError& error) {
        form.ReportError(error);
        return false;
    }
}

}  // namespace

int RunMessageLoop(TForm1& form, int startupShowCommand) {
    form.ApplyStartupShowCommand(startupShowCommand);
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!PassesHook(form, message)) continue;
        if (form.Handle() && ::IsDialogMessageW(form.Handle(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace sorabako
