#include "charts/selective/BirthBriefCommands.h"

#include "charts/selective/BirthBriefDialog.h"
#include "charts/selective/BirthBriefOptionsDialog.h"
#include "charts/selective/BirthBriefState.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr std::int16_t kChartToShow = 2;

// Tells the chart display what to draw. The display keeps a size in cells
// only, so that is what it gets here; the paint goes through the display's
// own routine.
void HandChartToDisplay() {
  const dv::BirthBriefExtent& extent = BirthBrief().chart.Extent();
  ChartView& view = State().view;
  view.chartColumns = extent.chartColumns;
  view.chartLines = extent.chartLines;
}

}  // namespace

bool LeaveViewEditFirst(HWND window) {
  AppState& app = State().app;
  if (app.viewEditMode == 0) return true;
  app.resumeMode = app.viewEditMode;
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_FILE_CLOSE, 0), 0);
  if (app.viewEditMode == 0) return true;
  // Still in view/edit mode: there is nothing to come back to.
  app.resumeMode = 0;
  return false;
}

void OnBirthBriefChart(HWND window, WPARAM, LPARAM) {
  if (!LeaveViewEditFirst(window)) return;
  AppState& app = State().app;
  app.chartKind = kChartKindBirthBrief;
  // A chart file's own dialog serves chart files; it is not in the program yet.
  if (app.sourceFormat == kFormatBirthBrief || app.sourceFormat == kFormatTree) return;
  HelpContextScope help(kHelpBirthBrief);
  if (State().settings.fparam[kPreferenceOptionsFirst] != 0)
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS_BIRTH_BRIEF, 0), 0);
  const bool automatic = app.startupKind != kNoStartupFile;
  if (RunBirthBriefDialog(window, automatic)) ShowBirthBriefChart(window);
}

void OnBirthBriefOptions(HWND window, WPARAM, LPARAM) {
  dv::Settings& settings = State().settings;
  if (RunBirthBriefOptionsDialog(window, settings)) State().app.birthBriefWidth = settings.dparam[39];
}

void OnChartImages(HWND window, WPARAM, LPARAM) {
  // Only a full chart takes pictures and text; its dialog is not in the
  // program yet.
  if (State().app.fullChartState >= kChartToShow) return;
  showMessage(window, kMsgNoImages, false);
}

void ShowBirthBriefChart(HWND window) {
  State().app.birthBriefChartState = kChartToShow;
  HandChartToDisplay();
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_SHOW_CHART, 0), 0);
}

void ReleaseBirthBriefChart() {
  BirthBrief().chart.Release();
  State().app.birthBriefChartState = 0;
  // The page geometry is recomputed from the printer here once printing
  // keeps one; the Birth Brief's next run measures its own page.
}

}  // namespace dv::win
