#include "output/ChartWindow.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "output/GdiGuards.h"
#include "output/GdiSurface.h"
#include "output/PrintSetup.h"
#include "output/ShownChart.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

dv::ZoomState ZoomOf(const ChartView& v) {
  dv::ZoomState z;
  z.zoomLevel = v.zoomLevel;
  z.maxZoomLevel = v.maxZoomLevel;
  z.minZoomLevel = v.minZoomLevel;
  z.displayEnabled = v.displayEnabled;
  z.cell = {v.cellWidth, v.cellHeight};
  z.maxCellWidth = v.maxCellWidth;
  z.maxCellHeight = v.maxCellHeight;
  return z;
}

void StoreZoom(ChartView& v, const dv::ZoomState& z) {
  v.zoomLevel = z.zoomLevel;
  v.maxZoomLevel = z.maxZoomLevel;
  v.minZoomLevel = z.minZoomLevel;
  v.displayEnabled = z.displayEnabled;
  v.cellWidth = z.cell.width;
  v.cellHeight = z.cell.height;
  v.maxCellWidth = z.maxCellWidth;
  v.maxCellHeight = z.maxCellHeight;
}

CellSize SizeCell(int zoom) { return ComputeScreenCell(zoom); }

// The font record of the overview's page numbers: "Arial", height as given,
// escapement 0, quality 2, output precision 5, everything else zero.
FontRecord PageNumberFont(int height) {
  LOGFONTA lf{};
  lf.lfHeight = height;
  lf.lfQuality = 2;
  lf.lfOutPrecision = 5;
  std::strcpy(lf.lfFaceName, "Arial");
  FontRecord f;
  std::memcpy(f.bytes.data(), &lf, sizeof lf);
  return f;
}

// The overview: one printed page as a box one inch high with the page's
// proportions, the grid centred when smaller than the window, framed, and
// each page numbered.
int PaintOverview(HDC dc, const ShownChartPart& part) {
  const auto& state = State();
  const auto& view = state.view;
  const auto& page = state.page;
  dv::ChartView v = EngineView();
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, view.cellWidth * page.usableColumns, view.cellHeight * page.usableLines,
                 nullptr);
  SetViewportExtEx(dc, view.overviewPageWidth, view.screenDpiY, nullptr);
  const dv::OverviewLayout layout = dv::LayoutOverview(v);
  SetViewportOrgEx(dc, layout.offsetX, layout.offsetY, nullptr);
  POINT origin{layout.offsetX ? layout.offsetX : view.scrollX,
               layout.offsetY ? layout.offsetY : view.scrollY};
  DPtoLP(dc, &origin, 1);
  SetWindowOrgEx(dc, origin.x, origin.y, nullptr);

  GdiSurface surface(dc);
  surface.SetPen({6, dv::PenStyle::kSolid, dv::kBlack});
  surface.FrameBox(layout.frameLeft, layout.frameTop, layout.frameRight, layout.frameBottom);
  surface.SelectFont(*state.app.screenFont);
  const int rc = part.draw(surface, view.cellWidth, view.cellHeight, 0, 1);
  if (rc != 0) return rc;

  surface.SelectFont(PageNumberFont(layout.labelHeight));
  surface.SetTextColour(dv::kBlack);
  surface.SetBackground(dv::Background::kOpaque, dv::kWhite);
  auto label = [&](int number) {
    const dv::Point at = dv::OverviewPageLabel(v, number);
    surface.Text(at.x, at.y, std::to_string(number));
  };
  const int setting = part.pageNumberSetting ? part.pageNumberSetting() : 3;
  if (setting < 3) {
    for (const auto& entry : view.pageList) label(entry.page);
  } else {
    for (int n = 1; n <= view.pagesAcross * view.pagesDown; ++n) label(n);
  }
  return 0;
}

// Shows "Cannot display" once for a failing chart: the box itself uncovers
// the window, and every repaint would fail and show it again.
void ReportDisplayFailure(HWND window) {
  auto& view = State().view;
  if (view.displayFailureShown) return;
  view.displayFailureShown = 1;
  showMessage(window, kCannotDisplay, false);
}

void Repaint(HWND window) { InvalidateRect(window, nullptr, TRUE); }

// After a zoom change: the cell of the overlay items follows, then the
// scroll ranges; a failing chart may say so again at the new size.
void AfterZoomChange(HWND window, bool refitOverlays) {
  State().view.displayFailureShown = 0;
  if (refitOverlays) SendMessageA(window, WM_COMMAND, IDM_OVERLAY_REFIT, 0);
  SendMessageA(window, WM_COMMAND, IDM_SCROLL_RANGES, 0);
  Repaint(window);
}

}  // namespace

dv::ChartView EngineView() {
  const auto& state = State();
  const auto& view = state.view;
  const ShownChartPart* part = ShownChart();
  dv::ChartView v;
  v.chartColumns = view.chartColumns;
  v.chartLines = view.chartLines;
  v.usableColumns = state.page.usableColumns;
  v.usableLines = state.page.usableLines;
  v.pagesAcross = view.pagesAcross;
  v.pagesDown = view.pagesDown;
  v.printerCharWidth = state.page.printerCharWidth;
  v.printerLineHeight = state.page.printerLineHeight;
  // Only a chart of pages has an overview; others are drawn at zoom 0 in
  // cells like any other level, and scroll in cells too.
  const bool overview = view.zoomLevel == 0 && part && part->hasPages;
  v.zoomLevel = overview ? 0 : std::max<int>(1, view.zoomLevel);
  v.cellWidth = view.cellWidth;
  v.cellHeight = view.cellHeight;
  v.clientWidth = view.clientWidth;
  v.clientHeight = view.clientHeight;
  v.screenDpiX = view.screenDpiX;
  v.screenDpiY = view.screenDpiY;
  v.overviewPageWidth = view.overviewPageWidth;
  v.scrollX = view.scrollX;
  v.scrollY = view.scrollY;
  v.scrollMaxX = view.scrollMaxX;
  v.scrollMaxY = view.scrollMaxY;
  return v;
}

CellSize ComputeScreenCell(int zoom) {
  auto& state = State();
  auto& view = state.view;
  ScreenDc screen;
  if (!screen) return {view.cellWidth, view.cellHeight};
  view.screenDpiX = GetDeviceCaps(screen.get(), LOGPIXELSX);
  view.screenDpiY = GetDeviceCaps(screen.get(), LOGPIXELSY);
  const int fontsState = state.settings.fontsState;
  const FontRecord& chartFont = *state.app.chartFont;
  const ShownChartPart* part = ShownChart();
  CellSize cell;
  {
    GdiSurface surface(screen.get());
    cell = dv::ScreenCellSize(surface, zoom, chartFont, view.screenDpiX, view.screenDpiY,
                              fontsState, part ? part->fit : dv::FitTest{});
    if (part && part->cellSizeChanged) part->cellSizeChanged(surface, zoom, cell);
  }
  *state.app.screenFont =
      dv::ScreenFontFor(zoom, chartFont, view.screenDpiX, view.screenDpiY, fontsState);
  return cell;
}

void OnShowChart(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  auto& view = state.view;
  const ShownChartPart* part = ShownChart();
  if (!part) return;
  if (part->prepare) part->prepare();
  const ChartExtent extent = part->extent ? part->extent() : ChartExtent{};
  view.chartColumns = std::max(1, extent.chartColumns);
  view.chartLines = std::max(1, extent.chartLines);
  view.pagesAcross = std::max<std::int16_t>(1, extent.pagesAcross);
  view.pagesDown = std::max<std::int16_t>(1, extent.pagesDown);
  view.pageList = extent.pageList;
  view.scrollX = view.scrollY = 0;
  view.displayFailureShown = 0;

  dv::ZoomState zoom;
  const int chartFontHeight = std::abs(dv::FontFieldsOf(*state.app.chartFont).height);
  const int rc = dv::StartZoom(zoom, view.chartColumns, view.chartLines, chartFontHeight,
                               extent.minZoomLevel, SizeCell);
  StoreZoom(view, zoom);
  if (rc != 0) showMessage(window, rc, false);

  state.app.chartState = 1;
  state.app.helpContext = kHelpChartShown;
  SendMessageA(window, WM_COMMAND, IDM_SCROLL_RANGES, 0);
  if (state.ui.chartMenuBar) SetMenu(window, state.ui.chartMenuBar);
  if (state.ui.statusBar) ShowWindow(state.ui.statusBar, SW_HIDE);
  Repaint(window);
}

void OnMagnify(HWND window, WPARAM, LPARAM) {
  auto& view = State().view;
  dv::ZoomState zoom = ZoomOf(view);
  const dv::ZoomChange change = dv::Magnify(zoom, SizeCell);
  StoreZoom(view, zoom);
  if (change != dv::ZoomChange::kChanged) return;
  AfterZoomChange(window, view.zoomLevel > 1);
}

void OnReduce(HWND window, WPARAM, LPARAM) {
  auto& view = State().view;
  dv::ZoomState zoom = ZoomOf(view);
  const dv::ZoomChange change = dv::Reduce(zoom, SizeCell);
  StoreZoom(view, zoom);
  if (change != dv::ZoomChange::kChanged) return;
  AfterZoomChange(window, view.zoomLevel > 0);
}

void OnScrollRanges(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  if (state.app.windowReady == 0) return;
  dv::ChartView v = EngineView();
  dv::UpdateScrollRanges(v);
  auto& view = state.view;
  view.overviewPageWidth = v.overviewPageWidth;
  view.scrollX = v.scrollX;
  view.scrollY = v.scrollY;
  view.scrollMaxX = v.scrollMaxX;
  view.scrollMaxY = v.scrollMaxY;
  SetScrollRange(window, SB_VERT, 0, view.scrollMaxY, FALSE);
  SetScrollRange(window, SB_HORZ, 0, view.scrollMaxX, FALSE);
  SetScrollPos(window, SB_VERT, view.scrollY, TRUE);
  SetScrollPos(window, SB_HORZ, view.scrollX, TRUE);
}

void OnCloseChart(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  auto& app = state.app;
  ChartSlot slot{};
  if (const ShownChartPart* part = ShownChart(&slot)) {
    if (part->release) part->release();
    ChartTypeState(slot) = 0;
    // The Birth Brief fitted the printer font to its own chart: the page
    // goes back to the chart font's.
    if (slot == ChartSlot::kBirthBrief) RecomputePageGeometry(state);
  }
  app.chartState = 0;
  app.helpContext = kHelpMain;
  if (state.ui.statusBar) ShowWindow(state.ui.statusBar, SW_SHOW);
  SetCursor(LoadCursorA(nullptr, IDC_ARROW));
  if (state.ui.mainMenu) SetMenu(window, state.ui.mainMenu);
  auto& view = state.view;
  view.chartColumns = view.chartLines = 10;
  view.pagesAcross = view.pagesDown = 1;
  view.pageList.clear();
  view.zoomLevel = 4;
  SendMessageA(window, WM_COMMAND, IDM_SCROLL_RANGES, 0);
  if (app.resumeMode == 1 && app.sourceFormat == kFormatGedcom)
    PostMessageA(window, WM_COMMAND, IDM_FILE_VIEW, 0);
  else if (app.resumeMode == 2)
    PostMessageA(window, WM_COMMAND, IDM_FILE_EDIT, 0);
  else
    Repaint(window);
  app.resumeMode = 0;
}

LRESULT OnChartScroll(HWND window, bool vertical, WPARAM wParam) {
  dv::ScrollRequest request;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: request = dv::ScrollRequest::kLineBack; break;
    case SB_LINEDOWN: request = dv::ScrollRequest::kLineForward; break;
    case SB_PAGEUP: request = dv::ScrollRequest::kPageBack; break;
    case SB_PAGEDOWN: request = dv::ScrollRequest::kPageForward; break;
    case SB_THUMBPOSITION: request = dv::ScrollRequest::kThumb; break;
    case SB_TOP: request = dv::ScrollRequest::kTop; break;
    case SB_BOTTOM: request = dv::ScrollRequest::kBottom; break;
    default: return 0;
  }
  const dv::ChartView v = EngineView();
  const int step = dv::ScrollStep(v, vertical, request, HIWORD(wParam));
  if (step == 0) return 0;
  auto& state = State();
  if (state.app.chartState == 2) state.app.chartState = 1;
  int& position = vertical ? state.view.scrollY : state.view.scrollX;
  position += step;
  const int pixels = -step * dv::ScrollUnit(v, vertical);
  ScrollWindow(window, vertical ? 0 : pixels, vertical ? pixels : 0, nullptr, nullptr);
  SetScrollPos(window, vertical ? SB_VERT : SB_HORZ, position, TRUE);
  UpdateWindow(window);
  return 0;
}

int PaintChart(HDC dc, const RECT& area) {
  const auto& state = State();
  const auto& view = state.view;
  if (state.app.chartState <= 0 || !view.displayEnabled) return 0;
  const ShownChartPart* part = ShownChart();
  if (!part) return 0;
  SavedDc saved(dc);
  FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  if (view.zoomLevel == 0 && part->hasPages) return PaintOverview(dc, *part);
  GdiSurface surface(dc);
  surface.SetOrigin(view.cellWidth * view.scrollX, view.cellHeight * view.scrollY);
  surface.SelectFont(*state.app.screenFont);
  return part->draw(surface, view.cellWidth, view.cellHeight, part->screenPage, 1);
}

LRESULT OnPaint(HWND window) {
  auto& app = State().app;
  int rc = 0;
  {
    PaintDc paint(window);
    if (!app.windowReady) return 0;
    // A repaint ends an overlay selection.
    if (app.chartState > 1) app.chartState = 1;
    rc = PaintChart(paint.get(), paint.paint().rcPaint);
  }
  // After EndPaint, so the box does not come up inside the paint.
  if (rc != 0) ReportDisplayFailure(window);
  return 0;
}

LRESULT OnPrintClient(HWND window, HDC dc) {
  RECT client{};
  GetClientRect(window, &client);
  if (PaintChart(dc, client) != 0) ReportDisplayFailure(window);
  return 0;
}

}  // namespace dv::win
