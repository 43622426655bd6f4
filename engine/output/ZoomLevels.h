#pragma once
// Screen cell sizes: the zoom levels of the chart window, the font and cell
// of each level, and the limits that keep every device coordinate of a chart
// within 16 bits (32767 divided by the chart's size bounds the cell).

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "output/DrawSurface.h"
#include "shell/Settings.h"

namespace dv {

// Index = zoom level: 0 is the overview, 1 to 7 are font sizes.
inline constexpr std::array<int, 8> kZoomFontHeights{3, 3, 7, 10, 12, 15, 20, 30};
inline constexpr std::array<int, 8> kZoomFontWidths{2, 2, 4, 6, 7, 9, 12, 18};
inline constexpr int kMaxZoomLevel = 7;
inline constexpr int kStartZoomLevel = 4;
inline constexpr int kDeviceCoordinateLimit = 32767;
inline constexpr int kChartTooLargeToDisplay = 104;

// The screen font of a zoom level: the table's height; the table's width
// corrected for non-square pixels, or 0 (natural width) for the user's own
// font (fontsState negative); normal weight below zoom 4, else the chart
// font's weight.
FontRecord ScreenFontFor(int zoom, const FontRecord& chartFont, int screenDpiX, int screenDpiY,
                         int fontsState);

struct CellSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const CellSize&, const CellSize&) = default;
};

// The cell of the font selected on surface: height + external leading; the
// average character width, for a proportional font half of (the width of the
// 52 letters / 26 + 1).
CellSize CellOfSelectedFont(DrawSurface& surface, const FontMetrics& metrics);

// Answers whether some text of the shown chart would overflow its columns at
// a candidate cell width (the charts with proportional-font layouts supply it).
using FitTest = std::function<bool(int cellWidth)>;

// The whole cell-size step of a zoom change: selects the zoom's screen font
// on surface and measures it; with the user's own proportional font above
// zoom 1 widens the cell until fit reports no overflow.
CellSize ScreenCellSize(DrawSurface& surface, int zoom, const FontRecord& chartFont,
                        int screenDpiX, int screenDpiY, int fontsState, const FitTest& fit);

// The screen copy of the chart title's font, fitted so the title spans as
// many cells on screen as on paper: height scaled from the zoom's font
// height by the title's printer line height, then the width raised while the
// title is narrower (in cells) than on paper and lowered (not below 1) while
// it is wider; the final height is the font's line height. titleWidthOnPaper
// is in printer pixels.
FontRecord FitScreenTitleFont(DrawSurface& surface, const FontRecord& titleFont, int zoom,
                              int titleLineHeightOnPrinter, int printerLineHeight,
                              std::string_view title, int titleWidthOnPaper, int printerCharWidth,
                              int cellWidth);

// The zoom state of the chart window.
struct ZoomState {
  std::int16_t zoomLevel = kStartZoomLevel;
  std::int16_t maxZoomLevel = kMaxZoomLevel;
  std::int16_t minZoomLevel = 0;  // 1 for a chart laid out without page breaks
  std::int16_t displayEnabled = 1;
  CellSize cell;
  int maxCellWidth = kDeviceCoordinateLimit;
  int maxCellHeight = kDeviceCoordinateLimit;
  bool CellTooLarge() const { return cell.width > maxCellWidth || cell.height > maxCellHeight; }
};

using CellSizer = std::function<CellSize(int zoom)>;

// Opening a chart: the limits from its size, a zoom from 4 upwards while the
// chart font is taller than the level's (up to 6), then downwards until the
// cell fits. Returns 0, or 104 "Chart too large to display" with
// displayEnabled 0 when no level fits.
int StartZoom(ZoomState& z, int chartColumns, int chartLines, int chartFontAbsHeight,
              int minZoomLevel, const CellSizer& sizer);

enum class ZoomChange { kNone, kLimitReached, kChanged };
// MAGNIFY: one level up; a cell that no longer fits puts the level back and
// makes it the new maximum.
ZoomChange Magnify(ZoomState& z, const CellSizer& sizer);
// REDUCE: one level down, not below the minimum.
ZoomChange Reduce(ZoomState& z, const CellSizer& sizer);

}  // namespace dv
