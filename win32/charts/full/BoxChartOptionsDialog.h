#pragma once
// The "Boxchart Options" dialog: the data lines of the BoxChart's boxes
// (gparam 1-11) and its choices (dparam 30, 33-35, 40, 43), with the custom
// colours the coloured boxes are filled with. The checks are read on OK;
// Cancel puts back the settings and colours as they were at opening.

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kBoxChartOptionsTemplate[] = "BOXOPTDLG";
// "The default colours have been \nrestored."
inline constexpr int kMsgDefaultColoursRestored = 212;

struct BoxChartOptionsSession {
  dv::Settings* settings = nullptr;
  dv::Settings kept;  // the settings at opening
  bool accepted = false;
};

// Shows the dialog modally over owner; true on OK.
bool RunBoxChartOptionsDialog(HWND owner, dv::Settings& settings);

INT_PTR CALLBACK BoxChartOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
