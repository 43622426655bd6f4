#pragma once
// The "Image options" dialog of a full chart (command 38): the picture
// settings (fparam slots 16, 17 and 18) and the text items' font (font4).

#include <windows.h>

#include "shell/Settings.h"

namespace dv::win {

inline constexpr char kImageOptionsTemplate[] = "OPTIMDLG";
inline constexpr int kHelpImageOptions = 385;

struct ImageOptions {
  bool insertionEnabled = true;  // fparam 16
  int scaling = 1;               // fparam 17: 0 "Scale images to fit", 1 "Scale downwards only"
  bool autoResize = false;       // fparam 18
  dv::FontRecord font;           // font4
  static ImageOptions FromSettings(const dv::Settings& s);
  void ToSettings(dv::Settings& s) const;
};

// Shows the dialog over owner; on OK stores the choices in options and
// returns true. helpContext is 385 while it is open.
bool RunImageOptionsDialog(HWND owner, ImageOptions& options);

INT_PTR CALLBACK ImageOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
