#pragma once
// Renders a chart to a PNG file with the native (cairo) surface, at a zoom
// level of the chart window, in strips of about a million pixels fed to the
// PNG strip writer: the command-line tool's image export, and the same
// picture the window shows at that zoom.

#include <cstddef>
#include <string>

#include "output/DrawSurface.h"
#include "output/ImageExport.h"
#include "output/ZoomLevels.h"
#include "shell/Settings.h"

namespace dv::cli {

struct ChartImage {
  int chartColumns = 10;
  int chartLines = 10;
  FontRecord chartFont;       // the chart font; an empty face is Courier New
  int zoom = kStartZoomLevel; // 1 to 7
  int screenDpi = 96;
  int stripPixels = kStripPixels;
};

struct ChartImageResult {
  CellSize cell;
  int width = 0, height = 0;  // pixels
  int strips = 0;
  std::size_t peakStripBytes = 0;
};

// The chart font of a fresh installation: Courier New, 7 points.
FontRecord DefaultChartFont();

// Draws the chart strip by strip (page 0, screen 1) and writes path. Returns
// 0 or a string id: 139 when a strip image cannot be made, 143 when the draw
// routine fails, the PNG writer's 2, 1 or 140.
int RenderChartPng(const DrawRoutine& draw, const ChartImage& chart, const std::string& path,
                   ChartImageResult* result = nullptr);

}  // namespace dv::cli
