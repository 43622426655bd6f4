#include "output/ChartImageExport.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "output/GdiSurface.h"
#include "output/ImageExport.h"
#include "output/PngStripWriter.h"

namespace dv::win {

int ExportChartPng(HDC reference, const ChartImageJob& job, const std::string& path) {
  long long width = 1LL * job.chartColumns * job.cellWidth;
  long long height = 1LL * job.chartLines * job.cellHeight;
  if (width <= 0 || height <= 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
    return kChartTooLargeToStoreImage;
  std::vector<int> plan = job.stripPlan;
  if (plan.size() < 2)
    plan = UniformStripPlan(job.chartColumns, job.chartLines, job.cellWidth, job.cellHeight);

  PngStripWriter writer;
  writer.SetProgress(job.progress);
  bool opened = false;
  for (std::size_t k = 0; k + 1 < plan.size(); ++k) {
    int first = plan[k], end = std::min(plan[k + 1], job.chartLines);
    if (end <= first) continue;  // an empty strip
    int rows = (end - first) * job.cellHeight;
    auto strip = std::make_unique<Dib24>(reference, int(width), rows);
    if (!strip->ok()) return kChartTooLargeToStoreImage;
    if (!opened) {
      // The file is created once the first strip's bitmap exists.
      if (int rc = writer.Open(path, int(width), int(height))) return rc;
      opened = true;
    }
    {
      GdiSurface surface(strip->dc());
      surface.SetOrigin(0, first * job.cellHeight);
      surface.SelectFont(job.screenFont);
      if (job.beforeStrip) job.beforeStrip(first, end);
      if (job.draw(surface, job.cellWidth, job.cellHeight, job.page, job.screen) != 0)
        return kCannotGenerateImage;
    }
    if (int rc = writer.BeginStrip(rows)) return rc;
    std::span<const std::uint8_t> bits = strip->bits();
    std::span<std::uint8_t> out = writer.strip();
    if (bits.size() != out.size()) return kErrorWritingImageFile;
    std::memcpy(out.data(), bits.data(), out.size());
    strip.reset();  // one strip's bitmap at a time
    if (int rc = writer.WriteStrip()) return rc;
  }
  return writer.Finish();
}

int ExportChartMetafile(HDC reference, const ChartImageJob& job, const std::string& path) {
  int widthMm = GetDeviceCaps(reference, HORZSIZE);
  int heightMm = GetDeviceCaps(reference, VERTSIZE);
  int widthPx = GetDeviceCaps(reference, HORZRES);
  int heightPx = GetDeviceCaps(reference, VERTRES);
  if (widthPx == 0 || heightPx == 0) return kCannotOpenFile;
  int chartWidth = job.cellWidth * job.chartColumns;
  int chartHeight = job.cellHeight * job.chartLines;
  MetafileFrame f = MetafileFrameFor(chartWidth, chartHeight, widthMm, heightMm, widthPx, heightPx);
  RECT frame{f.left, f.top, f.right, f.bottom};
  HDC meta = CreateEnhMetaFileA(reference, path.c_str(), &frame, nullptr);
  if (!meta) return kCannotOpenFile;
  {
    GdiSurface surface(meta);
    SetMapMode(meta, MM_TEXT);
    SetWindowExtEx(meta, chartWidth, chartHeight, nullptr);
    SetViewportExtEx(meta, chartWidth, chartHeight, nullptr);
    surface.SelectFont(job.screenFont);
    job.draw(surface, job.cellWidth, job.cellHeight, job.page, job.screen);
  }
  HENHMETAFILE done = CloseEnhMetaFile(meta);
  if (!done) return kCannotOpenFile;
  DeleteEnhMetaFile(done);
  return 0;
}

}  // namespace dv::win
