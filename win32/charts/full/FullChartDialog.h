#pragma once
// The "Full Chart" dialog ("FULLDLG"): shows the base individual and the
// Format, runs the chart ("Run") and shows its size, pages and counts,
// hands the chart to the main window ("Print Preview" or "View"), opens the
// list of individuals and the printer dialog.

#include <windows.h>

namespace dv::win {

inline constexpr char kFullChartTemplate[] = "FULLDLG";
inline constexpr int kHelpFullChart = 308;

struct FullChartDialogSession {
  bool printPreview = false;  // result: closed by "Print Preview" / "View"
};

// Shows the dialog modally over owner; true when the chart is to be shown.
bool RunFullChartDialog(HWND owner);

INT_PTR CALLBACK FullChartDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
