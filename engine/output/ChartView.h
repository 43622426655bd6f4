#pragma once
// The chart window's view arithmetic: scroll ranges and steps at a zoom
// level (units of one cell) and in the overview (units of one pixel, one
// printed page shown one inch high with the page's proportions), and the
// overview's page grid: its centring, frame and page-number positions.

#include "output/ZoomLevels.h"

namespace dv {

struct ChartView {
  // From the chart and the printer.
  int chartColumns = 10, chartLines = 10;
  int usableColumns = 0, usableLines = 0;
  int pagesAcross = 1, pagesDown = 1;
  int printerCharWidth = 15, printerLineHeight = 25;
  // From the screen and the zoom.
  int zoomLevel = kStartZoomLevel;
  int cellWidth = 7, cellHeight = 12;
  int clientWidth = 0, clientHeight = 0;
  int screenDpiX = 96, screenDpiY = 96;
  // The view.
  int overviewPageWidth = 0;
  int scrollX = 0, scrollY = 0, scrollMaxX = 0, scrollMaxY = 0;
  bool overview() const { return zoomLevel == 0; }
};

// Recomputes the scroll ranges and clamps the positions. A chart opens
// scrolled to its bottom: a vertical position of 0 becomes the maximum. The
// overview starts again from position 0 (so also at the bottom).
void UpdateScrollRanges(ChartView& v);

enum class ScrollRequest { kLineBack, kLineForward, kPageBack, kPageForward, kThumb, kTop, kBottom };

// The step (in scroll units) a scroll request makes, limited so the
// position stays within 0 and the maximum; thumb is the thumb's position.
// The horizontal bar has no top and bottom (step 0).
int ScrollStep(const ChartView& v, bool vertical, ScrollRequest request, int thumb = 0);

// Pixels one scroll unit moves: a cell at zoom 1 to 7, a pixel in the overview.
int ScrollUnit(const ChartView& v, bool vertical);

// The overview's page grid in the client area.
struct OverviewLayout {
  int offsetX = 0, offsetY = 0;  // the grid centred when smaller than the window
  int frameLeft = 0, frameTop = 0, frameRight = 0, frameBottom = 0;  // logical units
  int labelHeight = 0;           // the page numbers' font height
};
OverviewLayout LayoutOverview(const ChartView& v);

// Where page n (1-based) of the grid is labelled, in logical units.
struct Point {
  int x = 0, y = 0;
};
Point OverviewPageLabel(const ChartView& v, int page);

}  // namespace dv
