#pragma once
// The "Extract data" dialog ("EXDLG", command 2): writes the current chart
// selection as a Birth Brief chart file (.DVA) or a Selective Tree chart
// file (.DVB) from the GEDCOM file's text, and can then open the written
// file in the external editor (command 33). The output path is kept for the
// next time the dialog opens.

#include <windows.h>

#include <string>

namespace dv::win {

inline constexpr char kExtractTemplate[] = "EXDLG";
inline constexpr int kHelpExtract = 309;

// The output path, kept while the program runs (at most 255 characters).
std::string& ExtractOutputPath();

// Shows the dialog modally over owner. After "Edit" the editor's command
// line is in the work area and command 33 is posted to the main window.
void RunExtractDialog(HWND owner);

// Command 2 (File, Extract).
void OnFileExtract(HWND window, WPARAM wParam, LPARAM lParam);

// Its dialog procedure.
INT_PTR CALLBACK ExtractDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
