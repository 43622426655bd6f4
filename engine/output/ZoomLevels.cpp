#include "output/ZoomLevels.h"

#include <algorithm>
#include <cstdlib>

namespace dv {

namespace {

void PutInt32(FontRecord& f, int offset, std::int32_t v) {
  auto u = std::uint32_t(v);
  for (int i = 0; i < 4; ++i) f.bytes[offset + i] = std::uint8_t(u >> (8 * i));
}

// The fit test may never be satisfied (a text wider than any cell); the
// widening stops after this many steps rather than looping for ever.
constexpr int kMaxWidening = 1000;

}  // namespace

FontRecord ScreenFontFor(int zoom, const FontRecord& chartFont, int screenDpiX, int screenDpiY,
                         int fontsState) {
  zoom = std::clamp(zoom, 0, kMaxZoomLevel);
  FontRecord f = chartFont;
  PutInt32(f, 0, kZoomFontHeights[zoom]);
  int width = 0;
  if (fontsState >= 0 && screenDpiY > 0) width = kZoomFontWidths[zoom] * screenDpiX / screenDpiY;
  PutInt32(f, 4, width);
  PutInt32(f, 16, zoom < 4 ? 400 : FontFieldsOf(chartFont).weight);
  return f;
}

CellSize CellOfSelectedFont(DrawSurface& surface, const FontMetrics& metrics) {
  CellSize c;
  c.height = metrics.lineHeight();
  if (metrics.fixedPitch) {
    c.width = metrics.averageCharWidth;
  } else {
    int letters = surface.MeasureText("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ").width;
    c.width = (letters / 26 + 1) / 2;
  }
  return c;
}

CellSize ScreenCellSize(DrawSurface& surface, int zoom, const FontRecord& chartFont,
                        int screenDpiX, int screenDpiY, int fontsState, const FitTest& fit) {
  FontMetrics m = surface.SelectFont(ScreenFontFor(zoom, chartFont, screenDpiX, screenDpiY, fontsState));
  CellSize c = CellOfSelectedFont(surface, m);
  if (fontsState < 0 && !m.fixedPitch && zoom > 1 && fit) {
    int k = 0;
    while (k < kMaxWidening && fit(c.width + k)) ++k;
    c.width += k;
  }
  return c;
}

FontRecord FitScreenTitleFont(DrawSurface& surface, const FontRecord& titleFont, int zoom,
                              int titleLineHeightOnPrinter, int printerLineHeight,
                              std::string_view title, int titleWidthOnPaper, int printerCharWidth,
                              int cellWidth) {
  zoom = std::clamp(zoom, 0, kMaxZoomLevel);
  FontRecord f = titleFont;
  PutInt32(f, 0, MulDiv(kZoomFontHeights[zoom], titleLineHeightOnPrinter, std::max(1, printerLineHeight)));
  PutInt32(f, 4, 0);
  FontMetrics m = surface.SelectFont(f);
  int width = std::max(1, m.averageCharWidth);
  int cells = titleWidthOnPaper / std::max(1, printerCharWidth);
  auto cellsAt = [&](int w) {
    PutInt32(f, 4, w);
    m = surface.SelectFont(f);
    return surface.MeasureText(title).width / std::max(1, cellWidth);
  };
  for (int i = 0; i < kMaxWidening && cellsAt(width) < cells; ++i) ++width;
  while (width > 1 && cellsAt(width) > cells) --width;
  cellsAt(width);
  PutInt32(f, 0, m.lineHeight());
  surface.SelectFont(f);
  return f;
}

int StartZoom(ZoomState& z, int chartColumns, int chartLines, int chartFontAbsHeight,
              int minZoomLevel, const CellSizer& sizer) {
  z.maxCellWidth = kDeviceCoordinateLimit / std::max(1, chartColumns);
  z.maxCellHeight = kDeviceCoordinateLimit / std::max(1, chartLines);
  z.zoomLevel = kStartZoomLevel;
  z.maxZoomLevel = kMaxZoomLevel;
  z.minZoomLevel = std::int16_t(minZoomLevel);
  z.displayEnabled = 1;
  while (std::abs(chartFontAbsHeight) > kZoomFontHeights[z.zoomLevel] && z.zoomLevel < 6)
    ++z.zoomLevel;
  z.cell = sizer(z.zoomLevel);
  while (z.zoomLevel > 0 && z.CellTooLarge()) {
    --z.zoomLevel;
    z.maxZoomLevel = z.zoomLevel;
    z.cell = sizer(z.zoomLevel);
  }
  if (z.CellTooLarge()) {
    z.displayEnabled = 0;
    return kChartTooLargeToDisplay;
  }
  return 0;
}

ZoomChange Magnify(ZoomState& z, const CellSizer& sizer) {
  if (z.zoomLevel >= z.maxZoomLevel) return ZoomChange::kNone;
  ++z.zoomLevel;
  z.cell = sizer(z.zoomLevel);
  if (z.CellTooLarge()) {
    --z.zoomLevel;
    z.maxZoomLevel = z.zoomLevel;
    z.cell = sizer(z.zoomLevel);
    return ZoomChange::kLimitReached;
  }
  return ZoomChange::kChanged;
}

ZoomChange Reduce(ZoomState& z, const CellSizer& sizer) {
  if (z.zoomLevel <= z.minZoomLevel) return ZoomChange::kNone;
  --z.zoomLevel;
  z.cell = sizer(z.zoomLevel);
  return ZoomChange::kChanged;
}

}  // namespace dv
