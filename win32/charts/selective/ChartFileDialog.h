#pragma once
// The chart-file dialog ("SFINDLG"): with a chart file open as the data
// source, both chart commands come here. "Run" fills the chart's tables
// from the file (a .DVA for the Birth Brief, a .DVB for the Selective
// Tree; the other kind is refused with "Wrong format"), lays the chart out
// and enables "Print Preview", which hands it to the main window.

#include <windows.h>

namespace dv::win {

inline constexpr char kChartFileTemplate[] = "SFINDLG";

enum class ChartFileKind { kBirthBrief, kTree };

struct ChartFileDialogSession {
  ChartFileKind kind = ChartFileKind::kBirthBrief;
  // Started with this chart file on the command line: "Run", then "Print
  // Preview", are pressed by themselves.
  bool automatic = false;
  // Result: "Print Preview" closed the dialog (the chart is ready to show).
  bool printPreview = false;
};

// Shows the dialog modally over owner for the data source's file. True
// when "Print Preview" closed it; the caller then shows the chart.
bool RunChartFileDialog(HWND owner, ChartFileKind kind, bool automatic);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK ChartFileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace dv::win
