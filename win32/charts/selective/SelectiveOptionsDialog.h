#pragma once
// The "Selective Tree Options" dialog ("OPT1DLG"): the fifteen options of the
// Selective Tree (settings dparam 0-14; "All capitals" is one setting with
// the Birth Brief's, eparam 1) and the graphics line width shared by all
// charts (bparam 0).

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kSelectiveOptionsTemplate[] = "OPT1DLG";
inline constexpr int kHelpSelectiveOptions = 312;
inline constexpr int kMsgEqualsWarning = 86;  // "You have chosen to display marriages by '='..."

// One opening of the dialog. The edit field writes through to settings while
// the dialog is open; Cancel puts the line width back.
struct SelectiveOptionsSession {
  dv::Settings* settings = nullptr;
  bool accepted = false;
  int keptLineWidth = 6;
  bool equalsBefore = false;
};

// Shows the dialog modally over owner with the help context 312. On OK the
// options are stored in inOut and true is returned.
bool RunSelectiveOptionsDialog(HWND owner, dv::Settings& inOut);

INT_PTR CALLBACK SelectiveOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);

}  // namespace dv::win
