#pragma once
// "Edit File" (File > Edit with a chart file open): asks for the file to
// open in the text editor, prefilled with the current data source, and on OK
// leaves the editor's command line in pathBuffer and posts the command that
// starts it.

#include <windows.h>

namespace dv::win {

inline constexpr char kEditFileTemplate[] = "EDITDLG";
inline constexpr int kHelpEditFile = 326;

// Shows the dialog over owner (modal).
void RunEditFileDialog(HWND owner);

INT_PTR CALLBACK EditFileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
