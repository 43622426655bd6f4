#pragma once
// Printing a chart page by page through its draw routine: the print dialog,
// the copies and their order, the box with Cancel while the pages spool, and
// the PRINT command of the chart menu bar.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/DrawSurface.h"
#include "output/PageGeometry.h"

namespace dv::win {

inline constexpr char kPrintingBoxTemplate[] = "MSPRINTDLG";
inline constexpr char kPrintDocumentName[] = "Dorvane: printing";

// What a chart gives to printing.
struct PrintJob {
  DrawRoutine draw;
  // false: the chart is one page (Birth Brief, Selective Tree), drawn with
  // page argument 0. true: the pages of pageList (the full chart).
  bool byPages = false;
  std::vector<PageListEntry> pageList;
  int pageNumberSetting = 0;  // below 3: page arguments from pageList, else running numbers
  int dialogMode = 3;         // print dialog mode (see RunPrintDialog)
  bool withoutPageBreaks = false;  // laid out for an image file: PRINT asks first
};

// Messages printing has to show on the way (the "formatted for" warning,
// "Cannot initialise printer", "Paper/printing area too small"); the
// command handler shows them.
using PrintNotice = std::function<void(int id, std::string_view suffix)>;

// Prints job: 0, 23 "Cannot print", 109 "Print cancelled", or the status of
// the print dialog. Pages are drawn with the printer font at the printer's
// cell; with several copies each page is repeated, or the whole sequence
// when the dialog asked for collation. A document that fails after it
// started is aborted.
int PrintChart(HWND window, const PrintJob& job, const PrintNotice& notice);

// The PRINT command for a chart: asks first for a chart laid out without
// page breaks, prints, and shows the status. The chart display calls this
// with the chart on show.
void PrintChartCommand(HWND window, const PrintJob& job);

// The print job of the chart on show (output/ShownChart.h): its draw
// routine, the full chart by pages in dialog mode 2, the Birth Brief in
// mode 4 and the Selective Tree in mode 3, each as one page. False when no
// chart is on show.
bool ShownChartPrintJob(PrintJob& job);

// Command 23: prints the chart on show; nothing when there is none.
void OnPrint(HWND window, WPARAM wParam, LPARAM lParam);

// "Printing " + " N " + " copies" (" copy" for one), or "Printing " + "to file".
std::string PrintingBoxText(int copies, bool toFile);

// The printing box's procedure and the abort routine (tests drive them).
INT_PTR CALLBACK PrintingBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam);
BOOL CALLBACK PrintAbortProc(HDC dc, int error);

}  // namespace dv::win
