#include "native/ChartPng.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "output/PngStripWriter.h"
#include "output/native/CairoSurface.h"

namespace dv::cli {

FontRecord DefaultChartFont() {
  FontRecord f;
  std::int32_t height = -7;
  std::memcpy(f.bytes.data(), &height, 4);
  f.bytes[27] = 1;  // fixed pitch
  std::memcpy(f.bytes.data() + 28, "Courier New", 11);
  return f;
}

int RenderChartPng(const DrawRoutine& draw, const ChartImage& chart, const std::string& path,
                   ChartImageResult* result) {
  int zoom = std::clamp(chart.zoom, 1, kMaxZoomLevel);
  FontRecord screenFont = ScreenFontFor(zoom, chart.chartFont, chart.screenDpi, chart.screenDpi, 0);
  CellSize cell;
  {
    CairoSurface measure(1, 1);
    if (!measure.ok()) return kChartTooLargeToStoreImage;
    cell = ScreenCellSize(measure, zoom, chart.chartFont, chart.screenDpi, chart.screenDpi, 0, {});
  }
  long long width = 1LL * chart.chartColumns * cell.width;
  long long height = 1LL * chart.chartLines * cell.height;
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return kChartTooLargeToStoreImage;

  std::vector<int> plan =
      UniformStripPlan(chart.chartColumns, chart.chartLines, cell.width, cell.height, chart.stripPixels);
  PngStripWriter writer;
  if (int rc = writer.Open(path, int(width), int(height))) return rc;
  for (std::size_t k = 0; k + 1 < plan.size(); ++k) {
    int rows = (plan[k + 1] - plan[k]) * cell.height;
    auto surface = std::make_unique<CairoSurface>(int(width), rows);
    if (!surface->ok()) return kChartTooLargeToStoreImage;
    surface->SetOrigin(0, plan[k] * cell.height);
    surface->SelectFont(screenFont);
    if (draw(*surface, cell.width, cell.height, 0, 1) != 0) return kCannotGenerateImage;
    if (int rc = writer.BeginStrip(rows)) return rc;
    surface->CopyToBitmapRows(writer.strip());
    surface.reset();  // one strip's image at a time
    if (int rc = writer.WriteStrip()) return rc;
  }
  std::size_t peak = writer.peakStripBytes();
  if (int rc = writer.Finish()) return rc;
  if (result) {
    result->cell = cell;
    result->width = int(width);
    result->height = int(height);
    result->strips = int(plan.size()) - 1;
    result->peakStripBytes = peak;
  }
  return 0;
}

}  // namespace dv::cli
