#pragma once
// The report dialog ("REPORTDLG") of the three Reports commands: the
// options of the report, its heading and base individual, "Save as file..."
// which writes the report, and "View" which opens the written file.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "data/DataState.h"
#include "reports/ReportWriter.h"

namespace dv {
class RecordStore;
}

namespace dv::win {

inline constexpr char kReportTemplate[] = "REPORTDLG";
inline constexpr int kHelpReports = 383;
inline constexpr int kReportFilter =
    340;  // "Rich Text Format (*.RTF)|*.rtf|Plain text (*.TXT)|*.txt|"
inline constexpr int kReportCaptions[] = {0, 341, 342};  // "Descendants report", "Ancestors report"
inline constexpr int kReportBaseLabels[] = {0, 343, 344};  // "Descendants of:", "Ancestors of:"
inline constexpr int kMsgEditFull = 22;                    // "Edit control out of space"
inline constexpr int kMaxCaptionHeading = 127;
inline constexpr int kReportFileTypeRtf = 1;
inline constexpr int kReportFileTypeText = 2;

struct ReportDialogSession {
  int reportType = 0;  // 0 all individuals, 1 descendants, 2 ancestors
  const dv::RecordStore* store = nullptr;
  // Calls that leave the dialog, replaceable by tests; empty: the program's own.
  // "Select base individual...": true when one was chosen (selection holds it).
  std::function<bool(HWND dialog, ChartSelection& selection)> chooseBase;
  // "View": opens the written file.
  std::function<void(HWND dialog, const std::string& path)> openFile;
  // The page and font of a Rich Text report; empty: measured on the screen.
  std::function<dv::ReportPage()> page;
  // Results.
  int fileType = kReportFileTypeRtf;  // the type chosen last: 1 Rich Text, 2 plain text
  std::string writtenFile;            // the report written last, "" when none
  int lastStatus = 0;                 // what writing it gave (0, 2, 250, -1)
};

// Shows the dialog modally over owner for a report type.
void RunReportDialog(HWND owner, int reportType);

// Its dialog procedure; lParam of WM_INITDIALOG is the session.
INT_PTR CALLBACK ReportDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// The page of a Rich Text report: the printer's paper, the chart font
// measured on the screen (size in points, never below 8; the width of
// "Children: " in twips).
dv::ReportPage MeasureReportPage();

}  // namespace dv::win
