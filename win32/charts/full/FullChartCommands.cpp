#include "charts/full/FullChartCommands.h"

#include "charts/full/FullChartDialog.h"
#include "charts/full/FullChartOptionsDialog.h"
#include "charts/full/FullChartState.h"
#include "charts/full/OverlayCommands.h"
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
constexpr int kPreferenceOptionsFirst = 1;  // fparam: options dialogs before charts

// What the chart window, printing and the image export need from the full
// chart: one draw routine for all of them, its pages, and for an image its
// strips drawn in image mode (page -1), their plan and the item order.
ShownChartPart FullChartPart() {
  ShownChartPart part;
  // The chart with the pictures and text placed on it.
  part.draw = DrawFullChartWithOverlays;
  part.extent = [] {
    const dv::FullChart& chart = Full().chart;
    const dv::FullChartExtent& e = chart.Extent();
    ChartExtent extent;
    extent.chartColumns = e.chartColumns;
    extent.chartLines = e.chartLines;
    extent.pagesAcross = e.pagesAcross;
    extent.pagesDown = e.pagesDown;
    extent.pageList = chart.Composed().pageList;
    if (chart.Options().blankPagesNumbered()) {
      // Every page of the grid is printed, blank ones with their number.
      extent.pageList.clear();
      for (int p = 1; p <= int(e.pagesAcross) * e.pagesDown; ++p) extent.pageList.push_back({p, 0});
    }
    extent.minZoomLevel = chart.Options().noPageBreaks ? 1 : 0;
    return extent;
  };
  part.release = [] { Full().chart.Release(); };
  part.hasPages = true;
  part.pageNumberSetting = [] { return Full().chart.Options().pageNumbers; };
  part.imagePage = -1;
  part.imageScreen = -1;
  part.stripPlan = [](int cellWidth, int cellHeight) {
    return Full().chart.StripPlan(cellWidth, cellHeight);
  };
  part.beforeStrip = [](int firstLine, int endLine) { Full().chart.SetStrip(firstLine, endLine); };
  part.reorder = [](bool imageOrder) { Full().chart.Reorder(imageOrder); };
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
      const dv::FullChart& chart = Full().chart;
      overflows = chart.Overflows(surface, cellWidth, chart.Options().boxChart);
    }
    ReleaseDC(nullptr, screen);
    return overflows;
  };
  part.cellSizeChanged = [](dv::DrawSurface& screen, int zoom, dv::CellSize cell) {
    FullChartState& fc = Full();
    fc.chart.FitScreenTitle(screen, zoom, cell.width, fc.page.printerCharWidth);
  };
  return part;
}

void OpenFullChart(HWND window, bool boxChart) {
  AppState& app = State().app;
  if (!LeaveViewEditFirst(window)) {
    app.resumeMode = 0;
    return;
  }
  State().settings.dparam[kSlotBoxChart] = boxChart ? 1 : 0;
  bool show = false;
  {
    HelpContextScope help(kHelpFullChart);
    if (State().settings.fparam[kPreferenceOptionsFirst] != 0)
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_OPTIONS_FULL_CHART, 0), 0);
    show = RunFullChartDialog(window);
  }
  if (show) ShowFullChart(window);
}

}  // namespace

void OnFullChartBox(HWND window, WPARAM, LPARAM) { OpenFullChart(window, true); }

void OnFullChartTree(HWND window, WPARAM, LPARAM) { OpenFullChart(window, false); }

void OnFullChartOptions(HWND window, WPARAM, LPARAM) {
  RunFullChartOptionsDialog(window, State().settings);
}

void ShowFullChart(HWND window) {
  RegisterShownChart(ChartSlot::kFullChart, FullChartPart());
  StartOverlays();
  State().app.fullChartState = kChartToShow;
  SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_SHOW_CHART, 0), 0);
}

}  // namespace dv::win
