#pragma once
namespace sorabako {

class TForm1;

// Applies the process's start-up show command to the main window, then runs
// until the quit message: each message passes AppMessageHook, then dialog
// keyboard handling, then translation and dispatch. Returns the quit code.
int RunMessageLoop(TForm1& form, int startupShowCommand);

}  // namespace sorabako
