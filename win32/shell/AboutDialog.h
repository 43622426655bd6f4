#pragma once
// The About box ("ABOUTDLG"): "Dorvane v4.07", "Genealogy Chart Program", OK.

#include <windows.h>

namespace dv::win {

inline constexpr char kAboutTemplate[] = "ABOUTDLG";

// Shows the box modally over owner.
void RunAboutDialog(HWND owner);

// Its dialog procedure (also used by tests on a modeless copy).
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
