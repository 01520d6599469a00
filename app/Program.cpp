#include "app/Program.h"

#include "app/AppTitle.h"
#include "app/CommandLine.h"
#include "app/MainForm.h"
#include "app/MessageLoop.h"
#include "app/SingleInstance.h"
#include "app/Strings.h"
#include "platform/ComApartment.h"
#include "platform/FileSystem.h"

#include <commctrl.h>

namespace sorabako {

int RunProgram(HINSTANCE instance, std::wstring_view commandLine, int showCommand, Platform& platform) {
    const std::wstring executable = ModuleFileName(nullptr);
    SetApplicationTitle(DefaultTitleFromPath(executable));
    const std::wstring instanceName = InstanceNameFromPath(executable);

    if (IsAlreadyRunning(instanceName)) {
        // The argument, if any, is neither opened nor passed on.
        platform.ShowPlainMessage(nullptr, text::kAlreadyRunning, ApplicationTitle());
        ActivateRunningInstance(instanceName);
        return 0;
    }

    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    ComApartment com;
    SetApplicationTitle(text::kTitle);

    // No toolkit application window here: the main window carries the marker.
    TForm1 form(platform, FormOptions{instanceName, FirstArgument(commandLine), LocalTimeNow, {}});
    form.Create(instance);
    // The marker goes with the window (WM_DESTROY), on both roads.
    return RunMessageLoop(form, showCommand);
}

}  // namespace sorabako
