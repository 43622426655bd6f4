#include "output/ImageExport.h"

#include <algorithm>

#include "output/DrawSurface.h"

namespace dv {

std::string WithDefaultExtension(const std::string& name, const std::string& extension) {
  if (name.size() >= 252) return name;
  std::size_t slash = name.find_last_of("\\/");
  std::size_t dot = name.rfind('.');
  bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return hasExtension ? name : name + extension;
}

std::vector<int> UniformStripPlan(int chartColumns, int chartLines, int cellWidth, int cellHeight,
                                  int stripPixels) {
  std::vector<int> plan{0};
  if (chartLines <= 0) return plan;
  long long perLine = 1LL * std::max(1, chartColumns) * std::max(1, cellWidth) * std::max(1, cellHeight);
  int lines = int(std::max(1LL, std::max(1, stripPixels) / perLine));
  // At most kMaxStrips - 1 strips.
  int fewest = (chartLines + kMaxStrips - 2) / (kMaxStrips - 1);
  lines = std::max(lines, fewest);
  for (int line = lines; line < chartLines; line += lines) plan.push_back(line);
  plan.push_back(chartLines);
  return plan;
}

MetafileFrame MetafileFrameFor(int chartWidthPixels, int chartHeightPixels, int screenWidthMm,
                               int screenHeightMm, int screenWidthPixels, int screenHeightPixels) {
  MetafileFrame f;
  f.right = MulDiv(chartWidthPixels, 100 * screenWidthMm, screenWidthPixels);
  f.bottom = MulDiv(chartHeightPixels, 100 * screenHeightMm, screenHeightPixels);
  return f;
}

}  // namespace dv
