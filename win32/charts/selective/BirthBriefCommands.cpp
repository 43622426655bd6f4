#include "charts/selective/BirthBriefCommands.h"

#include "charts/selective/BirthBriefDialog.h"
#include "charts/selective/ChartFileDialog.h"
#include "charts/selective/BirthBriefOptionsDialog.h"
#include "charts/full/OverlayCommands.h"
#include "charts/selective/BirthBriefState.h"
#include "data/DataCommands.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr std::int16_t kChartToShow = 2;

// What the chart window needs from the Birth Brief: its draw routine (one
// page: the screen passes page 1), its size and its release. Closing the
// chart (CANCEL) also puts the chart font's page back, since the run fitted
// the printer font to the Birth Brief.
ShownChartPart BirthBriefPart() {
  ShownChartPart part;
  part.draw = [](dv::DrawSurface& surface, int cellWidth, int cellHeight, int page, int screen) {
    return BirthBrief().chart.Draw(surface, cellWidth, cellHeight, page, screen);
  };
  part.extent = [] {
    const dv::BirthBriefExtent& e = BirthBrief().chart.Extent();
    ChartExtent extent;
    extent.chartColumns = e.chartColumns;
    extent.chartLines = e.chartLines;
    return extent;
  };
  part.release = [] { BirthBrief().chart.Release(); };
  part.screenPage = 1;
  return part;
}

}  // namespace

void OnBirthBriefChart(HWND window, WPARAM, LPARAM) {
  AppState& app = State().app;
  if (!LeaveViewEditFirst(window)) {
    // Still in view/edit mode: no chart, so nothing to come back to.
    app.resumeMode = 0;
    return;
  }
  app.chartKind = kChartKindBirthBrief;
  bool show = false;
  // A chart file is served by the chart-file dialog.
  if (app.sourceFormat == kFormatBirthBrief || app.sourceFormat == kFormatTree) {
    const bool automatic = app.startupKind != kNoStartupFile;
    app.startupKind = kNoStartupFile;
    {
      HelpContextScope help(kHelpBirthBrief);
      show = RunChartFileDialog(window, ChartFileKind::kBirthBrief, automatic);
    }
    if (show) ShowBirthBriefChart(window);
    return;
  }
  {
    HelpContextScope help(kHelpBirthBrief);
    if (State().settings.fparam[kPreferenceOptionsFirst] != 0)
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS_BIRTH_BRIEF, 0), 0);
    // Started with a data file on the command line: the dialog runs the
    // chart and previews it by itself, once.
    const bool automatic = app.startupKind != kNoStartupFile;
    app.startupKind = kNoStartupFile;
    show = RunBirthBriefDialog(window, automatic);
  }
  // Outside the dialog's help context: the chart shown sets its own.
  if (show) ShowBirthBriefChart(window);
}

void OnBirthBriefOptions(HWND window, WPARAM, LPARAM) {
  dv::Settings& settings = State().settings;
  if (RunBirthBriefOptionsDialog(window, settings))
    State().app.birthBriefWidth = dv::BirthBriefOptions::FromSettings(settings).width;
}

void OnChartImages(HWND window, WPARAM, LPARAM) {
  // Only a full chart takes pictures and text.
  if (State().app.fullChartState >= kChartToShow) return RunOverlayImageOptions(window);
  showMessage(window, kMsgNoImages, false);
}

void ShowBirthBriefChart(HWND window) {
  RegisterShownChart(ChartSlot::kBirthBrief, BirthBriefPart());
  State().app.birthBriefChartState = kChartToShow;
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_SHOW_CHART, 0), 0);
}

}  // namespace dv::win
