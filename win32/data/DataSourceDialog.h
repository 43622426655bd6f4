#pragma once
// The "Data Source" dialog ("DSDLG"): chooses a file and its data format,
// closes the current data source and loads a GEDCOM file into the record
// store in about a hundred steps, each posted to the dialog as a command so
// that painting and the gauge run between them. Shows the totals, sets the
// main window's title and puts the file at the front of the recent files.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "data/DataSource.h"

namespace dv::win {

inline constexpr char kDataSourceTemplate[] = "DSDLG";
inline constexpr int kHelpDataSource = 303;
inline constexpr int kBrowseFilterId = 300;  // "Gedcom files (*.GED)|*.ged|Dorvane files ..."
inline constexpr int kBrowseTitleId = 301;   // "Source"

struct DataSourceSession {
  bool autoOpen = false;    // opened automatically at start-up (openMode 1)
  std::string pendingPath;  // shown instead of the current path (a recent file)
  // Filled while the dialog runs.
  bool modal = false;
  bool ended = false;   // closed by the end of OK (not Cancel)
  bool loaded = false;  // a GEDCOM file was loaded
  std::string summary;  // the totals text of the last load
  std::unique_ptr<dv::DataSourceLoader> loader;
};

// Runs the dialog modally over owner; true when it ended through OK.
bool RunDataSourceDialog(HWND owner, DataSourceSession& session);

// The dialog procedure; lParam of WM_INITDIALOG is the DataSourceSession.
// A dialog created with CreateDialogParam (session.modal false) destroys
// itself where the modal one ends.
INT_PTR CALLBACK DataSourceDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The path upper-cased (code page 1252 letters too).
std::string UpperPath(std::string_view path);

}  // namespace dv::win
