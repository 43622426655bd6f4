#pragma once
// The "Tree" dialog ("INDLG"): shows the base individual and the ancestors
// chosen for lines of descent, opens the "Ancestors" dialog, runs the
// Selective Tree ("Run"), hands it to the main window ("Print Preview"),
// chooses the base individual from all individuals or from its descendants,
// and opens the printer dialog.

#include <windows.h>

namespace dv::win {

inline constexpr char kSelectiveTreeTemplate[] = "INDLG";
inline constexpr int kHelpSelectiveTree = 307;
inline constexpr int kMsgShowDescentFrom = 70;  // "Show descent from: "
inline constexpr int kMsgHintUpTo18 = 41;
inline constexpr int kMsgHintThreeOrFour = 42;

struct SelectiveDialogSession {
  // Result: "Print Preview" closed the dialog (the chart is ready to show).
  bool printPreview = false;
};

// Shows the dialog modally over owner. True when it was closed by "Print
// Preview"; the caller then shows the chart.
bool RunSelectiveDialog(HWND owner);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK SelectiveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Shows the chosen ancestors (names in one static, numbers in the other)
// or, with none chosen, the hint about how many lines fit.
void ShowChosenAncestors(HWND dialog);

}  // namespace dv::win
