#pragma once
// The "Add title" dialog: the full chart's title option (0 "No title", 1
// "Add title subject to space") and its font (titleFont).

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kAddTitleTemplate[] = "TITLEDLG";

struct AddTitleSession {
  int option = 0;       // 0 or 1
  dv::FontRecord font;  // the title font as edited
  bool accepted = false;
};

// Shows the dialog over owner with option and font; on OK stores the
// choice (0 or 1) and the font and returns true.
bool RunAddTitleDialog(HWND owner, int& option, dv::FontRecord& font);

INT_PTR CALLBACK AddTitleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
