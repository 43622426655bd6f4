#pragma once
// "The chart shown": each chart type (Selective Tree, Birth Brief, full
// chart) registers what the chart window needs from it, and the window asks
// here which one is on show: the first, in that order, whose chart state is
// above 1. The window, the image export and printing all draw through the
// routine registered here.
//
// A chart Part plugs in by registering once (before it first posts
// command 32; registering again replaces the entry):
//
//   RegisterShownChart(ChartSlot::kBirthBrief, {
//       .draw = [](dv::DrawSurface& s, int cw, int ch, int page, int screen) { ... },
//       .extent = [] { return ChartExtent{columns, lines}; },
//       .release = [] { /* free the tables */ },
//       .screenPage = 1});
//
// then sets its chart state (State().app.birthBriefChartState) to 2 and
// posts or sends IDM_SHOW_CHART to the main window. CANCEL calls release and
// sets the state back to 0.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "output/DrawSurface.h"
#include "output/PageGeometry.h"
#include "output/ZoomLevels.h"

namespace dv::win {

// The chart types in the order in which they are asked.
enum class ChartSlot : int { kSelectiveTree = 0, kBirthBrief = 1, kFullChart = 2 };
inline constexpr int kChartSlots = 3;

// The size of a computed chart.
struct ChartExtent {
  int chartColumns = 10;
  int chartLines = 10;
  // A chart printed over several pages (the full chart): its page grid and
  // the list of printed pages. Others leave the defaults.
  std::int16_t pagesAcross = 1;
  std::int16_t pagesDown = 1;
  std::vector<PageListEntry> pageList;
  // 1 when the chart was laid out without page breaks: no overview, and
  // REDUCE stops at zoom 1.
  int minZoomLevel = 0;
};

struct ShownChartPart {
  // Draws the chart (screen, metafile and image strips call it; see
  // DrawRoutine). Required.
  DrawRoutine draw;
  // The chart's size; read when the chart is shown. Required.
  std::function<ChartExtent()> extent;
  // Frees the chart's tables when the chart is closed (CANCEL); the chart
  // state is set to 0 by the caller. May be empty.
  std::function<void()> release;
  // The page argument of the screen's draw call (the Birth Brief passes 1).
  int screenPage = 0;
  // A chart with pages has the whole-chart overview at zoom 0, with page
  // frames and numbers; others draw zoom 0 like any other level.
  bool hasPages = false;
  // Page-number setting (below 3: the numbers in the page list; else 1 to
  // pagesAcross x pagesDown). Read when the overview is painted.
  std::function<int()> pageNumberSetting;
  // Called first when the chart is shown (the full chart rebuilds the
  // rectangles its picture and text items must keep clear of). May be empty.
  std::function<void()> prepare;
  // Called after each screen cell-size computation with the screen surface
  // on which the zoom's font was measured (the full chart fits the screen
  // copy of its title font here, FitScreenTitleFont). May be empty.
  std::function<void(DrawSurface& screen, int zoom, CellSize cell)> cellSizeChanged;
  // With the user's own proportional font: whether some text would overflow
  // its columns at a candidate cell width. May be empty.
  FitTest fit;
  // Image export. The page and screen arguments of the strip draw calls
  // (the full chart draws in image mode, -1 and -1), the chart's own strip
  // plan (empty: strips of about a million pixels), a call before each
  // strip, and the switch of the display items to and from image order
  // around an export of a chart laid out with page breaks. During a PNG
  // export draw and beforeStrip run on the export thread; the window is
  // disabled and paints nothing of the chart meanwhile, so the chart's
  // tables are not used from two threads at once.
  int imagePage = 0;
  int imageScreen = 1;
  std::function<std::vector<int>(int cellWidth, int cellHeight)> stripPlan;
  std::function<void(int firstLine, int endLine)> beforeStrip;
  std::function<void(bool imageOrder)> reorder;
};

// Registers (or replaces) the part of a chart type; an empty draw routine
// removes it.
void RegisterShownChart(ChartSlot slot, ShownChartPart part);
void UnregisterShownChart(ChartSlot slot);

// The chart type state of a slot (selectiveChartState, birthBriefChartState,
// fullChartState).
std::int16_t& ChartTypeState(ChartSlot slot);

// The chart on show: the first registered slot whose state is above 1, or
// nullptr. slot receives its slot.
const ShownChartPart* ShownChart(ChartSlot* slot = nullptr);

// The width of the chart's rule pen on the target: lineWidth (settings bparam
// slot 0, 1 to 10) printer pixels on paper, scaled to the cell height on
// screen so lines keep their proportion at every zoom. Draw routines
// registered from the program's state call this for their pen.
int ChartPenWidth(int cellHeight, int screen);

}  // namespace dv::win
