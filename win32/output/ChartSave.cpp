#include "output/ChartSave.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <thread>

#include "common/StringTable.h"
#include "output/GdiGuards.h"
#include "output/ImageExport.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/FileDialogs.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

// One PNG export: the worker thread, what the user sees meanwhile, and the
// result the thread leaves for command 29 (written before it posts 29, read
// after the thread has been joined).
struct PngExport {
  std::thread thread;
  HWND dialog = nullptr;
  HWND progressBar = nullptr;
  int step = 1;      // rows per step of the bar
  int counted = 0;   // rows since the last step (worker thread)
  int result = 0;    // 0 or the string id of the failure
  ~PngExport() {
    if (thread.joinable()) thread.join();
  }
};

std::unique_ptr<PngExport>& CurrentExport() {
  static std::unique_ptr<PngExport> current;
  return current;
}

bool IsPageBrokenChart(const ShownChartPart& part) {
  const auto& view = State().view;
  return part.hasPages && view.minZoomLevel == 0 && view.pagesAcross * view.pagesDown > 1;
}

HWND CreateProgressBar(HWND window, int rows, int step) {
  const auto& view = State().view;
  const int height = GetSystemMetrics(SM_CYHSCROLL);
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0,
                             view.clientHeight - height, view.clientWidth, height, window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kProgressBarId)),
                             State().app.instance, nullptr);
  if (!bar) return nullptr;
  SendMessageA(bar, PBM_SETRANGE32, 0, rows);
  SendMessageA(bar, PBM_SETSTEP, step, 0);
  return bar;
}

}  // namespace

ChartImageJob ShownChartJob(bool png) {
  const auto& state = State();
  const auto& view = state.view;
  ChartImageJob job;
  const ShownChartPart* part = ShownChart();
  if (!part) return job;
  job.draw = part->draw;
  job.chartColumns = view.chartColumns;
  job.chartLines = view.chartLines;
  job.cellWidth = view.cellWidth;
  job.cellHeight = view.cellHeight;
  job.screenFont = *state.app.screenFont;
  if (png) {
    if (part->stripPlan) job.stripPlan = part->stripPlan(view.cellWidth, view.cellHeight);
    job.beforeStrip = part->beforeStrip;
    job.page = part->imagePage;
    job.screen = part->imageScreen;
  }
  return job;
}

HWND PngExportDialog() { return CurrentExport() ? CurrentExport()->dialog : nullptr; }
HWND PngExportProgressBar() { return CurrentExport() ? CurrentExport()->progressBar : nullptr; }

void OnChartSave(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  auto& app = state.app;
  if (app.chartState < 1) return;
  const ShownChartPart* part = ShownChart();
  if (!part) return;
  HelpContextScope help(kHelpSave);
  int exporting = -1;
  if (IsPageBrokenChart(*part)) {
    const std::string question(dv::StringText(kPageBreaksQuestion));
    if (ShowMessageBox(window, question.c_str(), "Dorvane", MB_YESNO | MB_ICONEXCLAMATION) !=
        IDYES)
      return;
    exporting = -2;
  }
  app.fileNameBuffer[0] = '\0';
  const int filter = RunSaveFileDialog(window, kImageFilterString, nullptr);
  const std::string chosen(TextOf(app.fileNameBuffer));
  if (filter == 1) {
    CopyText(app.fileNameBuffer, dv::WithDefaultExtension(chosen, ".png"));
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    EnableWindow(window, FALSE);
    if (exporting == -2 && part->reorder) part->reorder(true);
    app.chartState = static_cast<std::int16_t>(exporting);
    PostMessageA(window, WM_COMMAND, IDM_EXPORT_PNG, 0);
  } else if (filter == 2) {
    CopyText(app.fileNameBuffer, dv::WithDefaultExtension(chosen, ".emf"));
    app.chartState = -1;
    PostMessageA(window, WM_COMMAND, IDM_EXPORT_METAFILE, 0);
  } else {
    app.chartState = 1;
  }
}

void OnExportPng(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  auto& current = CurrentExport();
  if (current) return;  // one export at a time
  if (!ShownChart()) {
    // Nothing to export after all: let the window come back.
    PostMessageA(window, WM_COMMAND, IDM_EXPORT_FINISHED, 0);
    return;
  }
  current = std::make_unique<PngExport>();
  PngExport* run = current.get();
  run->dialog = CreateDialogParamA(state.app.instance, kPngDialogTemplate, window, PngDialogProc, 0);

  ChartImageJob job = ShownChartJob(true);
  const int rows = job.chartLines * job.cellHeight;
  // Fewer than 100 rows still move the bar, one row per step.
  run->step = std::max(1, rows / 100);
  run->progressBar = CreateProgressBar(window, rows, run->step);
  HWND bar = run->progressBar;
  job.progress = [run, bar](int) {
    if (++run->counted < run->step) return;
    run->counted -= run->step;
    if (bar) SendMessageA(bar, PBM_STEPIT, 0, 0);
  };
  const std::string path(TextOf(state.app.fileNameBuffer));
  run->thread = std::thread([run, window, job = std::move(job), path] {
    {
      ScreenDc reference(window);
      run->result = ExportChartPng(reference.get(), job, path);
    }
    PostMessageA(window, WM_COMMAND, IDM_EXPORT_FINISHED, 0);
  });
}

void OnExportFinished(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  auto& app = state.app;
  int result = 0;
  if (auto& current = CurrentExport()) {
    if (current->thread.joinable()) current->thread.join();
    result = current->result;
    if (current->progressBar) DestroyWindow(current->progressBar);
    if (current->dialog) DestroyWindow(current->dialog);
    current.reset();
  }
  if (app.chartState == -2) {
    if (const ShownChartPart* part = ShownChart(); part && part->reorder) part->reorder(false);
  }
  app.chartState = 1;
  EnableWindow(window, TRUE);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  app.fileNameBuffer[0] = '\0';
  // The thread's failure is told here, on the window's own thread, once the
  // window is usable again.
  if (result > 0) showMessage(window, result, false);
  InvalidateRect(window, nullptr, TRUE);
}

void OnExportMetafile(HWND window, WPARAM, LPARAM) {
  auto& app = State().app;
  int result = 0;
  if (ShownChart()) {
    const ChartImageJob job = ShownChartJob(false);
    ScreenDc reference(window);
    result = ExportChartMetafile(reference.get(), job, std::string(TextOf(app.fileNameBuffer)));
  }
  app.chartState = 1;
  // A metafile that cannot be created is said so, like a PNG file.
  if (result > 0) showMessage(window, result, false);
}

INT_PTR CALLBACK PngDialogProc(HWND, UINT message, WPARAM, LPARAM) {
  return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace dv::win
