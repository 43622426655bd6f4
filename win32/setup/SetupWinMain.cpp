// Entry point of setup.exe (and of its installed copy, uninstdv.exe).
#include <windows.h>

#include <commctrl.h>

#include "setup/SetupState.h"
#include "setup/SetupWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  using namespace dv::win::setup;
  char module[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  if (PrepareSetup(instance, module, commandLine ? commandLine : "") != 0)
    return Installer().exitCode;
  InitCommonControls();
  if (!RegisterSetupWindowClass(instance)) return dv::setup::kExitFailed;
  if (!CreateSetupWindow(Installer().options.quiet ? SW_HIDE : SW_SHOWMINIMIZED))
    return dv::setup::kExitFailed;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return Installer().exitCode;
}
