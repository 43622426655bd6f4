#include "output/PrintChart.h"

#include <algorithm>
#include <string>

#include "common/StringTable.h"
#include "output/GdiSurface.h"
#include "output/PrintChartRes.h"
#include "output/PrintSetup.h"
#include "output/ShownChart.h"
#include "output/ZoomLevels.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

inline constexpr int kHelpPrint = 316;
inline constexpr int kFormattedFor = 179;
inline constexpr int kFormattedForRest = 180;
inline constexpr int kWithoutPageBreaks = 145;

// The printed pages in printing order, as 1-based page indexes (a one-page
// chart is index 1); empty with status 23 for a range below 1.
std::vector<int> PageOrder(const PrintJob& job, const PrintDialogResult& dialog, int copies,
                           bool collate, int& status) {
  int first = 1;
  int last = job.byPages ? int(job.pageList.size()) : 1;
  if (job.byPages && dialog.pageRange) {
    first = dialog.fromPage;
    last = std::min(dialog.toPage, last);
  }
  if (first < 1 || last < first) {
    status = kCannotPrint;
    return {};
  }
  std::vector<int> pages;
  for (int page = first; page <= last; ++page) pages.push_back(page);
  return PrintSequence(pages, copies, collate);
}

// The printer font's cell on dc: line height and average character width.
CellSize PrinterCell(HDC dc, const FontRecord& printerFont) {
  GdiSurface surface(dc);
  return CellOfSelectedFont(surface, surface.SelectFont(printerFont));
}

// Ends what the run put up: the main window comes back, the box goes.
void EndPrintingRun(HWND window, PrinterSetup& printer) {
  EnableWindow(window, TRUE);
  if (printer.cancelBox) DestroyWindow(printer.cancelBox);
  printer.cancelBox = nullptr;
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
}

INT_PTR OnPrintingBoxInit(HWND box, LPARAM lParam) {
  SetDlgItemTextA(box, IDC_PRINTING_TEXT, reinterpret_cast<const std::string*>(lParam)->c_str());
  EnableMenuItem(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  return TRUE;
}

INT_PTR OnPrintingBoxCancel(HWND box) {
  auto& printer = State().printer;
  printer.userAbort = 1;
  if (HWND owner = GetWindow(box, GW_OWNER)) EnableWindow(owner, TRUE);
  DestroyWindow(box);
  printer.cancelBox = nullptr;
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  return TRUE;
}

}  // namespace

std::string PrintingBoxText(int copies, bool toFile) {
  if (toFile) return "Printing to file";
  return "Printing  " + std::to_string(copies) + (copies == 1 ? "  copy" : "  copies");
}

INT_PTR CALLBACK PrintingBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnPrintingBoxInit(box, lParam);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) return OnPrintingBoxCancel(box);
      break;
  }
  return FALSE;
}

BOOL CALLBACK PrintAbortProc(HDC, int) {
  auto& printer = State().printer;
  MSG msg;
  while (!printer.userAbort && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (printer.cancelBox && IsDialogMessageA(printer.cancelBox, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return !printer.userAbort;
}

int PrintChart(HWND window, const PrintJob& job, const PrintNotice& notice) {
  auto& state = State();
  auto& printer = state.printer;
  const std::string formattedFor = PrinterDeviceText(printer);
  PrintDialogResult dialog =
      RunPrintDialog(window, job.dialogMode, job.byPages ? int(job.pageList.size()) : 0);
  if (dialog.showInitError) notice(kCannotInitialisePrinter, {});
  if (dialog.status != 0) return dialog.status;
  if (PrinterDeviceText(printer) != formattedFor)
    notice(kFormattedFor, formattedFor + std::string(StringText(kFormattedForRest)));
  if (!dialog.device) return kCannotPrint;
  PrintDevice& device = *dialog.device;
  const HDC dc = device.dc();

  auto& copiesSetting = state.settings.dparam[29];
  const int copies = std::max(1, int(copiesSetting));
  int status = 0;
  const std::vector<int> order = PageOrder(job, dialog, copies, printer.collate, status);
  if (status != 0) return status;

  const FontRecord printerFont = *state.app.printerFont;
  const CellSize cell = PrinterCell(dc, printerFont);
  if (!PageHoldsChart(GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES), cell.width,
                      cell.height, state.page)) {
    notice(kPaperAreaTooSmall, {});
    return kCannotPrint;
  }

  // The run is modal for the user; the abort routine keeps the loop turning.
  EnableWindow(window, FALSE);
  printer.userAbort = 0;
  const int pagesPerCopy = int(order.size()) / copies;
  if (copies > 1 || pagesPerCopy > 1 || printer.printToFile) {
    const std::string text = PrintingBoxText(copies, printer.printToFile);
    printer.cancelBox = CreateDialogParamA(state.app.instance, kPrintingBoxTemplate, window,
                                           PrintingBoxProc, reinterpret_cast<LPARAM>(&text));
  }
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  device.SetAbortProc(PrintAbortProc);

  if (device.StartDoc(kPrintDocumentName) <= 0) {
    EndPrintingRun(window, printer);
    return kCannotPrint;
  }
  ChartGrid grid;
  grid.pageList = job.pageList;
  for (std::size_t n = 0; n < order.size() && !printer.userAbort; ++n) {
    if (device.StartPage() <= 0) {
      status = kCannotPrint;
      break;
    }
    const int page =
        job.byPages ? PrintedPageArgument(grid, order[n] - 1, job.pageNumberSetting) : 0;
    int drawn = 0;
    {
      // A fresh printer font on every page: a driver may reset the context
      // between pages.
      GdiSurface surface(dc);
      surface.SelectFont(printerFont);
      drawn = job.draw ? job.draw(surface, cell.width, cell.height, page, 0) : kCannotPrint;
    }
    if (device.EndPage() <= 0 || drawn != 0) {
      status = kCannotPrint;
      break;
    }
  }
  if (status != 0) {
    device.AbortDoc();
  } else if (printer.userAbort) {
    device.AbortDoc();
    status = kPrintCancelled;
  } else if (device.EndDoc() <= 0) {
    device.AbortDoc();
    status = kCannotPrint;
  }
  // Also after a failure: a run that stopped must not leave the main
  // window disabled under a box that has nothing left to cancel.
  EndPrintingRun(window, printer);
  copiesSetting = 1;
  return status;
}

void PrintChartCommand(HWND window, const PrintJob& job) {
  if (job.withoutPageBreaks &&
      ShowMessageBox(window, MessageText(kWithoutPageBreaks).c_str(), "Dorvane",
                     MB_YESNO | MB_ICONEXCLAMATION) == IDNO)
    return;
  int status = 0;
  {
    HelpContextScope help(kHelpPrint);
    status = PrintChart(window, job, [window](int id, std::string_view suffix) {
      showMessage(window, id, false, suffix);
    });
    if (status != 0) showMessage(window, status, false);
  }
  InvalidateRect(window, nullptr, TRUE);
}

bool ShownChartPrintJob(PrintJob& job) {
  ChartSlot slot = ChartSlot::kSelectiveTree;
  const ShownChartPart* part = ShownChart(&slot);
  if (!part) return false;
  const ChartExtent extent = part->extent ? part->extent() : ChartExtent{};
  job = PrintJob{};
  job.draw = part->draw;
  job.byPages = slot == ChartSlot::kFullChart;
  job.dialogMode = slot == ChartSlot::kFullChart ? 2 : slot == ChartSlot::kBirthBrief ? 4 : 3;
  if (job.byPages) {
    job.pageList = extent.pageList;
    job.pageNumberSetting = part->pageNumberSetting ? part->pageNumberSetting() : 0;
    job.withoutPageBreaks = extent.minZoomLevel == 1;
  }
  return true;
}

void OnPrint(HWND window, WPARAM, LPARAM) {
  PrintJob job;
  if (ShownChartPrintJob(job)) PrintChartCommand(window, job);
}

}  // namespace dv::win
