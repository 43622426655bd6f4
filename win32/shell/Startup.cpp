#include "shell/Startup.h"

#include <string>

#include "shell/AppState.h"
#include "shell/GasGauge.h"
#include "shell/MainWindow.h"
#include "shell/StartupFile_tmp.h"

namespace dv::win {
namespace {

// TEMPORARY: switch to the engine's dv::InterpretStartupFile and
// dv::ClampBirthBriefWidth (shell/StartupFile.h) when it is merged.
using tmp::ClampBirthBriefWidth;
using tmp::InterpretStartupFile;

// The folder of the executable without a trailing backslash; the current
// directory if the module's path cannot be had.
std::string ProgramDirectory(const ShellHooks& hooks) {
  if (!hooks.programDirOverride.empty()) return hooks.programDirOverride;
  std::array<char, kDirBufferSize> path{};
  const auto size = static_cast<DWORD>(path.size());
  const DWORD n = GetModuleFileNameA(nullptr, path.data(), size);
  if (n > 0 && n < size) {
    const std::string_view exe(path.data(), n);
    const std::size_t slash = exe.rfind('\\');
    if (slash != std::string_view::npos) return std::string(exe.substr(0, slash));
  }
  const DWORD m = GetCurrentDirectoryA(size, path.data());
  return std::string(path.data(), m < size ? m : 0);
}

void LocateProgram(ProgramState& state) {
  auto& work = state.work;
  CopyText(work.programDir, ProgramDirectory(state.hooks));
  SetCurrentDirectoryA(work.programDir.data());
  CopyText(work.helpFilePath, TextOf(work.programDir));
  AppendText(work.helpFilePath, "\\help");
  CopyText(work.pathBuffer, SettingsPath());
}

void ReadSettings(ProgramState& state) {
  state.settings.window = {0, 0, static_cast<std::int32_t>(CW_USEDEFAULT),
                           static_cast<std::int32_t>(CW_USEDEFAULT)};
  dv::LoadSettings(state.settings, SettingsPath());
  auto& width = state.settings.dparam[39];
  width = ClampBirthBriefWidth(width);
  state.app.birthBriefWidth = width;
}

void ReadCommandLine(ProgramState& state, std::string_view commandLine) {
  auto& app = state.app;
  app.currentSource[0] = '\0';
  const auto file = InterpretStartupFile(commandLine, state.settings.fparam[0] != 0,
                                         state.settings.recentFiles[0]);
  app.startupKind = file.kind;
  if (file.kind == kNoStartupFile) return;
  CopyText(app.currentSource, file.path);
  app.sourceOpen = 1;
  // Opening a GEDCOM file resumes view mode afterwards when auto-load is on
  // (command 1). A chart file must not leave a mode behind that cancelling
  // its chart would then "resume".
  app.resumeMode = file.kind == kStartupGedcom ? 1 : 0;
}

void ClearWorkBuffers(ProgramState& state) {
  state.work.textBuffer.fill('\0');
  state.work.pathBuffer.fill('\0');
  state.work.spareBuffer.fill('\0');
  state.app.viewEditDialog = nullptr;
}

}  // namespace

void PrepareStartup(HINSTANCE instance, std::string_view commandLine) {
  auto& state = State();
  state.app.instance = instance;
  state.settings.setDefaultColours();
  LocateProgram(state);
  ReadSettings(state);
  ReadCommandLine(state, commandLine);
}

HWND CreateMainWindow(int showState) {
  auto& state = State();
  const auto& rect = state.settings.window;
  HWND window =
      CreateWindowExA(WS_EX_CLIENTEDGE, kMainWindowClass, "Dorvane",
                      WS_OVERLAPPEDWINDOW | WS_HSCROLL | WS_VSCROLL | WS_MAXIMIZE, rect[0], rect[1],
                      rect[2], rect[3], nullptr, nullptr, state.app.instance, nullptr);
  if (window && state.app.windowReady) {
    ShowWindow(window, showState);
    UpdateWindow(window);
  }
  return window;
}

bool PreTranslate(MSG& msg) {
  auto& state = State();
  if (state.ui.accelerators &&
      TranslateAcceleratorA(state.app.mainWindow, state.ui.accelerators, &msg))
    return true;
  if (state.app.viewEditMode && state.app.viewEditDialog &&
      IsDialogMessageA(state.app.viewEditDialog, &msg))
    return true;
  if (state.ui.scannerFilter && state.ui.scannerFilter(msg)) return true;
  return false;
}

int RunMessageLoop() {
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslate(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int RunProgram(HINSTANCE instance, std::string_view commandLine, int showState) {
  if (!RegisterMainWindowClass(instance)) return 0;
  if (!RegisterGasGauge(instance)) return static_cast<int>(GetLastError());
  PrepareStartup(instance, commandLine);
  // Without a window no quit message would ever end the loop.
  if (!CreateMainWindow(showState)) return 0;
  ClearWorkBuffers(State());
  return RunMessageLoop();
}

}  // namespace dv::win
