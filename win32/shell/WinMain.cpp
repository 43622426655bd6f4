// Entry point of dorvane.exe; everything else is in the dorvane_win32 library.
#include <windows.h>

#include "shell/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showState) {
  return dv::win::RunProgram(instance, commandLine ? commandLine : "", showState);
}
