#pragma once
// The Preferences dialog ("PREFDLG"): the name-instance rule (fparam slot
// 20) and four switches (fparam slots 0, 1, 2 and 19).

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kPreferencesTemplate[] = "PREFDLG";
inline constexpr int kCombineSourcesText = 251;
inline constexpr int kReloadWarning = 253;

struct PreferencesSession {
  dv::Settings* settings = nullptr;
  bool sourceOpen = false;  // a data source is open: a new name rule needs a reload
  bool modal = false;
  int namesAtOpen = 0;  // fparam[20] when the dialog opened
  bool accepted = false;
};

// Runs the dialog modally; true on OK.
bool RunPreferencesDialog(HWND owner, PreferencesSession& session);

INT_PTR CALLBACK PreferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
