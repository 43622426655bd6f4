#pragma once
// The "Full Chart Options" dialog ("OPT3DLG"): edits the full chart's
// settings (dparam 4, 6, 31, 32, 36-38, 41; bparam 0, 1, 3; the page-number
// font font2 and, through "Add title...", the title and its font). The
// controls write through to the settings while the dialog is open; Cancel
// puts every value back as it was at opening.

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kFullChartOptionsTemplate[] = "OPT3DLG";
inline constexpr int kHelpFullChartOptions = 313;
inline constexpr int kFullChartEditLimit = 29;

struct FullChartOptionsSession {
  dv::Settings* settings = nullptr;
  dv::Settings kept;  // the settings at opening
  bool accepted = false;
};

// Shows the dialog modally over owner; true on OK (settings changed).
bool RunFullChartOptionsDialog(HWND owner, dv::Settings& settings);

INT_PTR CALLBACK FullChartOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam);

// What OK stores: the page-number setting with "Add to blank pages" (2
// more, not for "None"), the line width clamped to 1..10, each maximum to
// 1..199.
int PageNumberSetting(int radio, bool blankPages);

}  // namespace dv::win
