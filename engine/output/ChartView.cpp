#include "output/ChartView.h"

#include <algorithm>

namespace dv {

void UpdateScrollRanges(ChartView& v) {
  if (!v.overview()) {
    v.scrollMaxY = std::max(0, v.chartLines - v.clientHeight / std::max(1, v.cellHeight));
    v.scrollMaxX = std::max(0, v.chartColumns + 2 - v.clientWidth / std::max(1, v.cellWidth));
  } else {
    v.overviewPageWidth = MulDiv(v.printerCharWidth * v.usableColumns, v.screenDpiX,
                                 v.printerLineHeight * v.usableLines);
    if (v.overviewPageWidth < 0) v.overviewPageWidth = 0;  // no usable page
    v.scrollMaxY = std::max(0, v.pagesDown * v.screenDpiY - v.clientHeight);
    v.scrollMaxX = std::max(0, v.pagesAcross * v.overviewPageWidth - v.clientWidth);
    v.scrollX = 0;
    v.scrollY = 0;
  }
  if (v.scrollY == 0) v.scrollY = v.scrollMaxY;
  v.scrollY = std::min(v.scrollY, v.scrollMaxY);
  v.scrollX = std::min(v.scrollX, v.scrollMaxX);
}

int ScrollUnit(const ChartView& v, bool vertical) {
  if (v.overview()) return 1;
  return vertical ? v.cellHeight : v.cellWidth;
}

int ScrollStep(const ChartView& v, bool vertical, ScrollRequest request, int thumb) {
  int position = vertical ? v.scrollY : v.scrollX;
  int maximum = vertical ? v.scrollMaxY : v.scrollMaxX;
  int line = 1;
  int page = 1;
  if (v.overview()) {
    line = vertical ? v.screenDpiY : v.overviewPageWidth;
    page = vertical ? v.clientHeight : v.clientWidth;
  } else {
    page = vertical ? v.clientHeight / std::max(1, v.cellHeight) : v.clientWidth / std::max(1, v.cellWidth);
  }
  page = std::max(1, page);
  int step = 0;
  switch (request) {
    case ScrollRequest::kLineBack: step = -line; break;
    case ScrollRequest::kLineForward: step = line; break;
    case ScrollRequest::kPageBack: step = -page; break;
    case ScrollRequest::kPageForward: step = page; break;
    case ScrollRequest::kThumb: step = thumb - position; break;
    case ScrollRequest::kTop: step = vertical ? -position : 0; break;
    case ScrollRequest::kBottom: step = vertical ? maximum - position : 0; break;
  }
  return std::clamp(position + step, 0, std::max(0, maximum)) - position;
}

OverviewLayout LayoutOverview(const ChartView& v) {
  OverviewLayout o;
  // Division truncates toward zero; a grid larger than the window is not moved.
  o.offsetX = std::max(0, (v.clientWidth - v.pagesAcross * v.overviewPageWidth) / 2);
  o.offsetY = std::max(0, (v.clientHeight - v.pagesDown * v.screenDpiY) / 2);
  int width = v.pagesAcross * v.usableColumns * v.cellWidth;
  int height = v.pagesDown * v.usableLines * v.cellHeight;
  int margin = v.usableLines / 5;
  o.frameLeft = -margin;
  o.frameTop = -margin;
  o.frameRight = width + margin;
  o.frameBottom = height + margin;
  o.labelHeight = v.usableLines * v.cellHeight / 6;
  return o;
}

Point OverviewPageLabel(const ChartView& v, int page) {
  int across = std::max(1, v.pagesAcross);
  return {((page - 1) % across) * v.usableColumns * v.cellWidth,
          ((page - 1) / across) * v.usableLines * v.cellHeight};
}

}  // namespace dv
