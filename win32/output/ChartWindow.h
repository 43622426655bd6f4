#pragma once
// The chart in the main window: showing a computed chart (command 32), the
// zoom commands MAGNIFY and REDUCE, the scroll ranges (31) and scroll
// messages, the paint (a zoom level's cells, or the overview of the pages
// at zoom 0) and closing the chart (CANCEL). The chart itself is drawn by
// the routine of the chart shown (ShownChart.h).

#include <windows.h>

#include "output/ChartView.h"
#include "output/ZoomLevels.h"

namespace dv::win {

inline constexpr int kHelpChartShown = 305;
inline constexpr int kCannotDisplay = 110;

// Commands.
void OnShowChart(HWND window, WPARAM wParam, LPARAM lParam);     // 32
void OnMagnify(HWND window, WPARAM wParam, LPARAM lParam);       // 21
void OnReduce(HWND window, WPARAM wParam, LPARAM lParam);        // 22
void OnScrollRanges(HWND window, WPARAM wParam, LPARAM lParam);  // 31
void OnCloseChart(HWND window, WPARAM wParam, LPARAM lParam);    // 25

// WM_HSCROLL and WM_VSCROLL of the main window.
LRESULT OnChartScroll(HWND window, bool vertical, WPARAM wParam);
// WM_PAINT of the main window.
LRESULT OnPaint(HWND window);
// WM_PRINTCLIENT: the same drawing into the given context.
LRESULT OnPrintClient(HWND window, HDC dc);

// Draws the chart view into dc (client coordinates, MM_TEXT, origin 0) over
// area: white, then the chart at the current zoom and scroll position, or
// the overview. Returns 0, or the draw routine's failure id; 0 too when no
// chart is shown or it cannot be displayed. dc's state is put back.
int PaintChart(HDC dc, const RECT& area);

// The screen cell of a zoom level for the chart shown; also makes
// State().app.screenFont that zoom's font and keeps the screen's resolution.
CellSize ComputeScreenCell(int zoom);

// The engine's view of the window state (zoom 0 counts as an overview only
// for a chart with pages).
dv::ChartView EngineView();

}  // namespace dv::win
