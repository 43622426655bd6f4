#pragma once
// The "Birth Brief" dialog ("BBINDLG"): shows the base individual, runs the
// chart for it ("Run"), hands the chart to the main window ("Print
// Preview"), opens the list of individuals and the printer dialog.

#include <windows.h>

namespace dv::win {

inline constexpr char kBirthBriefTemplate[] = "BBINDLG";
inline constexpr int kHelpBirthBrief = 306;
inline constexpr int kMsgCannotGenerate = 26;  // "Cannot generate chart"

struct BirthBriefDialogSession {
  // Started with a data file on the command line: "Run", then "Print
  // Preview", are pressed by themselves.
  bool automatic = false;
  // Result: "Print Preview" closed the dialog (the chart is ready to show).
  bool printPreview = false;
};

// Shows the dialog modally over owner. True when it was closed by "Print
// Preview"; the caller then shows the chart.
bool RunBirthBriefDialog(HWND owner, bool automatic);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK BirthBriefDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
