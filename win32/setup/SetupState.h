#pragma once
// The installer's process-wide state: its mode, the destination and
// program-folder buffers, the banner bitmap, the command-line switches, the
// outcome, and hooks that tests use instead of message boxes and the
// user's real shell folders.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "setup/SetupOptions.h"

namespace dv::win::setup {

struct SetupHooks {
  // When set, shows a message instead of MessageBoxA (tests record it).
  std::function<int(HWND owner, const char* text, const char* caption, UINT type)> messageBox;
  // When not empty, used instead of the user's Programs menu and Desktop folders.
  std::string programsFolder;
  std::string desktopFolder;
};

struct SetupState {
  HINSTANCE instance = nullptr;
  HWND window = nullptr;
  bool uninstall = false;
  // The folder setup.exe (or uninstdv.exe) runs from, without a trailing "\".
  std::string ownFolder;
  // Up to 259 characters each (260-character buffers with the NUL).
  std::string destination;
  std::string programFolder;
  // True when the registry held a destination (the uninstall data exists).
  bool registered = false;
  HBITMAP banner = nullptr;
  dv::setup::SetupOptions options;
  bool scriptWritten = false;
  // The main routine ran every step successfully.
  bool succeeded = false;
  int exitCode = dv::setup::kExitDone;
  // The host window lets its first position change through, no later one.
  bool positionFixed = false;
  SetupHooks hooks;
};

SetupState& Installer();
void ResetInstaller();

// A text of the installer's string table as the resource holds it.
std::string SetupString(int id);

// Shows a message box with string-table texts (and a suffix after the
// text). In quiet mode no box is shown: the message goes to standard error
// as "id<TAB>text" (C escapes) and IDOK is returned.
int SetupMessage(HWND owner, int textId, int captionId, UINT type, std::string_view suffix = {});

// The user's Programs menu folder and Desktop folder (or the test overrides).
std::string ProgramsMenuFolder();
std::string DesktopFolder();

}  // namespace dv::win::setup
