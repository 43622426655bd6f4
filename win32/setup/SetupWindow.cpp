#include "setup/SetupWindow.h"

#include <setupapi.h>

#include "setup/DestinationTest.h"
#include "setup/InfScript.h"
#include "setup/SetupPaths.h"
#include "setup/SetupState.h"
#include "setup/SetupSteps.h"
#include "setup/SetupText.h"
#include "setup/SetupWizard.h"

namespace dv::win::setup {
namespace {

using namespace dv::setup;

void Fail(HWND window, int textId, int captionId, std::string_view suffix = {}) {
  Installer().exitCode = kExitFailed;
  SetupMessage(window, textId, captionId, MB_OK | MB_ICONEXCLAMATION, suffix);
}

// Stretches bitmap 301 into a new bitmap of the banner's size.
HBITMAP StretchBanner(HBITMAP source, int width, int height) {
  BITMAP info;
  if (!GetObjectA(source, sizeof info, &info)) return nullptr;
  HDC screen = GetDC(nullptr);
  HDC from = CreateCompatibleDC(screen);
  HDC to = CreateCompatibleDC(screen);
  HBITMAP banner = CreateCompatibleBitmap(screen, width, height);
  if (banner) {
    HGDIOBJ oldFrom = SelectObject(from, source);
    HGDIOBJ oldTo = SelectObject(to, banner);
    SetStretchBltMode(to, HALFTONE);
    StretchBlt(to, 0, 0, width, height, from, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
  }
  DeleteDC(from);
  DeleteDC(to);
  ReleaseDC(nullptr, screen);
  return banner;
}

// The window's creation: banner, registry values, the script, then command 100.
LRESULT OnCreate(HWND window) {
  auto& state = Installer();
  state.window = window;
  state.banner = MakeBanner(state.instance);
  ReadRegisteredPaths();
  // The uninstaller keeps the samples the user has changed.
  std::vector<std::string> keep;
  if (state.uninstall) keep = ChangedSamples(state.ownFolder);
  if (WriteInfScript(state.ownFolder, keep) != 0) {
    // Nothing can be done without the script: say so and end.
    Fail(window, kScriptNotWritten, kInstallErrorCaption, JoinPath(state.ownFolder, kScriptName));
    PostMessageA(window, WM_CLOSE, 0, 0);
    return 0;
  }
  state.scriptWritten = true;
  PostMessageA(window, WM_COMMAND, kRunCommand, 0);
  return 0;
}

// After the first, every position change keeps the window where it is.
LRESULT OnPositionChanging(HWND window, WPARAM wParam, LPARAM lParam) {
  auto& state = Installer();
  if (state.positionFixed) {
    auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
    position->flags |= SWP_NOSIZE | SWP_NOMOVE | SWP_NOREDRAW | SWP_NOOWNERZORDER;
  }
  state.positionFixed = true;
  return DefWindowProcA(window, WM_WINDOWPOSCHANGING, wParam, lParam);
}

LRESULT OnRun(HWND window) {
  RunMainRoutine(window);
  DestroyWindow(window);
  return 0;
}

LRESULT OnDestroy(HWND window) {
  FinishSetup(window);
  PostQuitMessage(Installer().exitCode);
  return 0;
}

// The folders the unattended install takes from its switches, checked as
// the wizard's pages check them.
bool TakeSwitches(HWND window) {
  auto& state = Installer();
  std::string destination;
  if (TestDestination(state.options.hasDestination ? state.options.destination : state.destination,
                      destination) != 0) {
    Fail(window, kInvalidDirectory, kInstallErrorCaption);
    return false;
  }
  std::string recorded = state.programFolder;
  std::string folder;
  if (CheckProgramFolderName(
          state.options.hasProgramFolder ? state.options.programFolder : state.programFolder,
          folder) != 0 ||
      !ProgramFolderAvailable(folder, state.registered ? recorded : std::string())) {
    Fail(window, kInvalidProgramFolder, kInstallErrorCaption);
    return false;
  }
  state.destination = destination;
  state.programFolder = folder;
  return true;
}

// Runs the wizard; false when it was cancelled.
bool AskUser(HWND window) {
  auto& state = Installer();
  WizardData data;
  data.uninstall = state.uninstall;
  data.destination = state.destination;
  data.programFolder = state.programFolder;
  data.recordedProgramFolder = state.registered ? state.programFolder : std::string();
  data.banner = state.banner;
  if (!RunSetupWizard(window, data)) return false;
  if (!state.uninstall) {
    state.destination = data.destination;
    state.programFolder = data.programFolder;
  }
  return true;
}

// Install, after the files are copied: registry, the uninstaller, shortcuts.
void CompleteInstall(HWND window) {
  auto& state = Installer();
  // Only a program that is there gets registered.
  if (GetFileAttributesA(JoinPath(state.destination, kProgramName).c_str()) ==
          INVALID_FILE_ATTRIBUTES ||
      !WriteInstallRegistry(state.destination, state.programFolder)) {
    Fail(window, kScriptFailed, kInstallErrorCaption);
    return;
  }
  RenameUninstaller(state.destination);
  CreateShortcuts(state.destination, state.programFolder);
  state.succeeded = true;
  SetupMessage(window, kInstallComplete, kSetupCaption, MB_OK | MB_ICONINFORMATION);
}

// Uninstall, after the shortcuts and registry keys are gone: the file
// types, the program folder (when empty), the settings and help folders.
void CompleteUninstall(const PreviousHandlers& previous) {
  auto& state = Installer();
  RemoveAssociations(previous);
  RemoveDirectoryA(JoinPath(ProgramsMenuFolder(), state.programFolder).c_str());
  DeleteFileA(JoinPath(state.destination, kSettingsName).c_str());
  RemoveDirectoryA(JoinPath(state.destination, kHelpFolder).c_str());
  state.succeeded = true;
}

// A reinstall over samples the user has changed leaves them as they are:
// the script is written again without them and opened anew. False (with
// the message shown) when that failed; the script is then closed.
bool KeepChangedSamples(HWND owner, HINF& inf, const std::string& script) {
  auto& state = Installer();
  std::vector<std::string> keep = ChangedSamples(state.destination);
  if (keep.empty()) return true;
  SetupCloseInfFile(inf);
  if (WriteInfScript(state.ownFolder, keep) != 0) {
    Fail(owner, kScriptNotWritten, kInstallErrorCaption, script);
    return false;
  }
  inf = SetupOpenInfFileA(script.c_str(), nullptr, INF_STYLE_WIN4, nullptr);
  if (inf != INVALID_HANDLE_VALUE) return true;
  Fail(owner, kUninstallDataMissing, kInstallErrorCaption);
  return false;
}

}  // namespace

int PrepareSetup(HINSTANCE instance, std::string_view modulePath, std::string_view commandLine) {
  auto& state = Installer();
  state.instance = instance;
  state.ownFolder = FolderOf(modulePath);
  state.uninstall = IsUninstallerPath(modulePath);
  std::string bad;
  if (ParseSetupOptions(commandLine, state.options, bad) != 0) {
    Fail(nullptr, kUnknownOption, kInstallErrorCaption, bad);
    state.exitCode = kExitUsage;
    return kUnknownOption;
  }
  return 0;
}

bool RegisterSetupWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = SetupWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(kIconResource));
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  windowClass.lpszClassName = kSetupWindowClass;
  return RegisterClassA(&windowClass) != 0;
}

HWND CreateSetupWindow(int show) {
  HWND window = CreateWindowA(kSetupWindowClass, kSetupWindowTitle, WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr,
                              nullptr, Installer().instance, nullptr);
  if (window) ShowWindow(window, show);
  return window;
}

HBITMAP MakeBanner(HINSTANCE instance) {
  HBITMAP source = static_cast<HBITMAP>(
      LoadImageA(instance, MAKEINTRESOURCEA(kBannerResource), IMAGE_BITMAP, 0, 0, 0));
  if (!source) return nullptr;
  LONG units = GetDialogBaseUnits();
  HBITMAP banner = StretchBanner(source, 76 * LOWORD(units) / 4, 140 * HIWORD(units) / 8);
  DeleteObject(source);
  return banner;
}

void RunMainRoutine(HWND window) {
  auto& state = Installer();
  HWND owner = state.options.quiet ? nullptr : window;
  std::string script = JoinPath(state.ownFolder, kScriptName);
  HINF inf = SetupOpenInfFileA(script.c_str(), nullptr, INF_STYLE_WIN4, nullptr);
  // The uninstaller needs the script and the record of the installation.
  if (inf == INVALID_HANDLE_VALUE || (state.uninstall && !state.registered)) {
    if (inf != INVALID_HANDLE_VALUE) SetupCloseInfFile(inf);
    Fail(owner, kUninstallDataMissing, kInstallErrorCaption);
    return;
  }
  bool go = state.options.quiet ? (state.uninstall || TakeSwitches(owner)) : AskUser(window);
  if (!go) {
    if (state.exitCode == kExitDone) state.exitCode = kExitCancelled;
    SetupCloseInfFile(inf);
    return;
  }
  if (!state.uninstall && !KeepChangedSamples(owner, inf, script)) return;
  PreviousHandlers previous;
  if (state.uninstall) {
    previous = ReadPreviousHandlers();
    SetFileAttributesA(JoinPath(state.destination, kSettingsName).c_str(), FILE_ATTRIBUTE_NORMAL);
    SetupSetDirectoryIdA(inf, 65700, JoinPath(ProgramsMenuFolder(), state.programFolder).c_str());
    SetupSetDirectoryIdA(inf, 65800, DesktopFolder().c_str());
  }
  bool done = RunScriptSections(owner, inf, state.uninstall, state.options.quiet);
  SetupCloseInfFile(inf);
  if (!done) {
    Fail(owner, kScriptFailed, kInstallErrorCaption);
    return;
  }
  if (state.uninstall) {
    CompleteUninstall(previous);
  } else {
    CompleteInstall(owner);
  }
}

void FinishSetup(HWND window) {
  auto& state = Installer();
  HWND owner = state.options.quiet ? nullptr : window;
  std::string script = JoinPath(state.ownFolder, kScriptName);
  if (state.uninstall && state.succeeded) {
    // The system removes the files, the script and this program once it has ended.
    if (!StartSelfDelete(state.ownFolder)) Fail(owner, kSelfDeleteFailed, kUninstallErrorCaption);
  } else if (state.scriptWritten) {
    DeleteFileA(script.c_str());
  }
  if (state.banner) DeleteObject(state.banner);
  state.banner = nullptr;
}

LRESULT CALLBACK SetupWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(window);
    case WM_WINDOWPOSCHANGING:
      return OnPositionChanging(window, wParam, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == kRunCommand) return OnRun(window);
      break;
    case WM_DESTROY:
      return OnDestroy(window);
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace dv::win::setup
