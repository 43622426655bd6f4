#include "charts/full/FullChartState.h"

#include "shell/AppState.h"

namespace dv::win {
namespace {

FullChartState& Instance() {
  static FullChartState state;
  return state;
}

}  // namespace

FullChartState& Full() { return Instance(); }

void ResetFullChartState() {
  FullChartState& s = Instance();
  s.chart.Release();
  s.links = {};
  s.page = {};
}

bool FullChartPrinterReached() { return State().settings.fontsState != 1; }

dv::FullChartPage FullChartPageGeometry() {
  const ProgramState& state = State();
  const PageSetup& g = state.page;
  dv::FullChartPage page;
  page.pageColumns = g.usableColumns + g.margins.left + g.margins.right;
  page.pageLines = g.usableLines + g.margins.top + g.margins.bottom;
  page.marginTop = g.margins.top;
  page.marginBottom = g.margins.bottom;
  page.marginLeft = g.margins.left;
  page.marginRight = g.margins.right;
  page.chartTop = state.settings.dparam[19];
  page.chartBottom = state.settings.dparam[20];
  page.chartLeft = state.settings.dparam[21];
  page.chartRight = state.settings.dparam[22];
  page.printerCharWidth = g.printerCharWidth;
  page.printerLineHeight = g.printerLineHeight;
  page.dpiX = g.printerCharWidth * 20;
  page.dpiY = g.printerLineHeight * 12;
  const PrinterTarget& target = state.printer.target;
  if (FullChartPrinterReached() && state.printer.chosen && !target.device.empty()) {
    if (HDC ic = CreateICA(target.driver.c_str(), target.device.c_str(), nullptr, target.mode())) {
      page.dpiX = GetDeviceCaps(ic, LOGPIXELSX);
      page.dpiY = GetDeviceCaps(ic, LOGPIXELSY);
      DeleteDC(ic);
    }
  }
  return page;
}

}  // namespace dv::win
