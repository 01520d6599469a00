#include "app/Program.h"
#include "platform/Platform.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    sorabako::Win32Platform platform;
    return sorabako::RunProgram(instance, commandLine, showCommand, platform);
}
