#pragma once
// The main window's data-source commands: Open (1) and the recent files
// (51-59) through the Data Source dialog, New (60), Save (61), Save As (62)
// and the save under the chosen name (70); and the "in view/edit mode
// first" step that charts and reports take before their dialogs.

#include <windows.h>

#include <string>

namespace dv::win {

inline constexpr int kHelpNewData = 326;

void OnOpen(HWND window, WPARAM wParam, LPARAM lParam);        // 1
void OnOpenRecent(HWND window, WPARAM wParam, LPARAM lParam);  // 51-59
void OnNew(HWND window, WPARAM wParam, LPARAM lParam);         // 60
void OnSave(HWND window, WPARAM wParam, LPARAM lParam);        // 61
void OnSaveAs(HWND window, WPARAM wParam, LPARAM lParam);      // 62
void OnSaveNamed(HWND window, WPARAM wParam, LPARAM lParam);   // 70

// Opens the Data Source dialog the way the start-up does for a file named on
// the command line or the last file used (openMode 1); command 1 uses it
// when the start-up posted it.
void OpenDataSource(HWND window, bool automatic);

// Leaves view/edit mode before a chart or report: remembers the mode in
// resumeMode and sends Close (63). False when view/edit mode is still on
// afterwards (the user cancelled), and the command must stop.
bool LeaveViewEditFirst(HWND window);

// The Save As box into fileNameBuffer (filter 141, default extension
// "ged"): true when a name was chosen.
bool ChooseSaveName(HWND window, std::string& path);

}  // namespace dv::win
