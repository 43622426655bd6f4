#pragma once
// "Manual format (horizontal)" ("MASKDLG") and its edit dialog
// ("MASKEDITDLG"): the family groups of the chart just run with their
// ranges and sideways shifts. OK checks the shifts against each other and
// the page (59); Cancel puts the shifts back as they were; Save (chart
// files only) writes them into the chart file after the same check.

#include <windows.h>

#include <string>
#include <vector>

#include "charts/selective/ManualFormat.h"

namespace dv::win {

inline constexpr char kManualFormatTemplate[] = "MASKDLG";
inline constexpr char kManualEditTemplate[] = "MASKEDITDLG";

struct ManualFormatSession {
  const dv::SelectiveTables* tables = nullptr;  // the chart just run, laid out without shifts
  std::vector<dv::ManualShift>* list = nullptr;  // the manual format, changed in place
  int minColumn = 0, maxColumn = 0;              // the page limits shown
  int usableColumns = 0;                         // the check's right limit
  bool canSave = false;                          // the data source is a chart file
  std::string path;                              // the chart file
  // While open: the listed groups with their working shifts, and the
  // shifts as they were when the dialog opened.
  std::vector<dv::ManualGroup> groups;
  std::vector<dv::ManualShift> kept;
  bool keysMatched = false;
  bool ok = false;  // result: closed by OK
};

// "Print Preview" with the manual format armed: lays the Selective Tree
// out without shifts, shows the dialog over it (with the chart file's own
// section when chartFile names one, which Save then writes), and lays the
// chart out again with the shifts. False when the chart could not be laid
// out (the user was told; the chart is released).
bool ApplyManualFormat(HWND owner, const std::string& chartFile);

// Shows the dialog modally; true when it was closed by OK.
bool RunManualFormatDialog(HWND owner, ManualFormatSession& session);

INT_PTR CALLBACK ManualFormatDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// lParam of WM_INITDIALOG: the ManualFormatSession.
INT_PTR CALLBACK ManualEditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
