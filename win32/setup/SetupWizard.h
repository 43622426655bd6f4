#pragma once
// The installer's wizard ("Dorvane Installation"): Welcome, destination,
// program folder and Install pages, or the Uninstall page alone.

#include <windows.h>

#include <string>

namespace dv::win::setup {

inline constexpr char kWizardCaption[] = "Dorvane Installation";

struct WizardData {
  bool uninstall = false;
  // In: the registered (or default) folders; out: the ones chosen.
  std::string destination;
  std::string programFolder;
  // The program folder an earlier installation recorded (may be reused).
  std::string recordedProgramFolder;
  HBITMAP banner = nullptr;
  // Set by Finish.
  bool finished = false;
  // The sheet is centred once, when its first page starts.
  bool centred = false;
};

// Runs the wizard modally; true when it was finished, false when cancelled.
bool RunSetupWizard(HWND owner, WizardData& data);

// The same wizard as a modeless sheet (tests drive it with PSM_ messages);
// the caller destroys it once PropSheet_GetCurrentPageHwnd returns null.
HWND CreateSetupWizard(HWND owner, WizardData& data);

}  // namespace dv::win::setup
