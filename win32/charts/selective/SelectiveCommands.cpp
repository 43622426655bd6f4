#include "charts/selective/SelectiveCommands.h"

#include "charts/selective/BirthBriefCommands.h"
#include "charts/selective/ChartFileDialog.h"
#include "charts/selective/SelectiveDialog.h"
#include "charts/selective/SelectiveOptionsDialog.h"
#include "charts/selective/SelectiveState.h"
#include "data/DataCommands.h"
#include "output/GdiSurface.h"
#include "output/ShownChart.h"
#include "output/ZoomLevels.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"

namespace dv::win {
namespace {

constexpr std::int16_t kChartToShow = 2;

// What the chart window needs from the Selective Tree: its draw routine
// (one page: the page argument is ignored), its fit test for proportional
// screen fonts, its size and its release.
ShownChartPart SelectiveTreePart() {
  ShownChartPart part;
  part.draw = [](dv::DrawSurface& surface, int cellWidth, int cellHeight, int page, int screen) {
    return SelectiveTree().chart.Draw(surface, cellWidth, cellHeight, page, screen);
  };
  part.extent = [] {
    const dv::SelectiveExtent& e = SelectiveTree().chart.Extent();
    ChartExtent extent;
    extent.chartColumns = e.chartColumns;
    extent.chartLines = e.chartLines;
    return extent;
  };
  part.fit = [](int cellWidth) {
    // Measured on the screen with the chart's screen font.
    HDC screen = GetDC(nullptr);
    bool overflows = false;
    {
      GdiSurface surface(screen);
      const ProgramState& state = State();
      surface.SelectFont(dv::ScreenFontFor(state.view.zoomLevel, *state.app.chartFont,
                                           state.view.screenDpiX, state.view.screenDpiY,
                                           state.settings.fontsState));
      overflows = SelectiveTree().chart.Overflows(surface, cellWidth);
    }
    ReleaseDC(nullptr, screen);
    return overflows;
  };
  part.release = [] { SelectiveTree().chart.Release(); };
  return part;
}

}  // namespace

void OnSelectiveTreeChart(HWND window, WPARAM, LPARAM) {
  AppState& app = State().app;
  if (!LeaveViewEditFirst(window)) {
    app.resumeMode = 0;
    return;
  }
  app.chartKind = kChartKindSelectiveTree;
  bool show = false;
  // A chart file is served by the chart-file dialog.
  if (app.sourceFormat == kFormatBirthBrief || app.sourceFormat == kFormatTree) {
    const bool automatic = app.startupKind != kNoStartupFile;
    app.startupKind = kNoStartupFile;
    {
      HelpContextScope help(kHelpSelectiveTree);
      show = RunChartFileDialog(window, ChartFileKind::kTree, automatic);
    }
    if (show) ShowSelectiveTreeChart(window);
    return;
  }
  {
    HelpContextScope help(kHelpSelectiveTree);
    if (State().settings.fparam[kPreferenceOptionsFirst] != 0)
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS_SELECTIVE_TREE, 0), 0);
    app.startupKind = kNoStartupFile;
    show = RunSelectiveDialog(window);
  }
  if (show) ShowSelectiveTreeChart(window);
}

void OnSelectiveTreeOptions(HWND window, WPARAM, LPARAM) {
  RunSelectiveOptionsDialog(window, State().settings);
}

void ShowSelectiveTreeChart(HWND window) {
  RegisterShownChart(ChartSlot::kSelectiveTree, SelectiveTreePart());
  State().app.selectiveChartState = kChartToShow;
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_SHOW_CHART, 0), 0);
}

}  // namespace dv::win
