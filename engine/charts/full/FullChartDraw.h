#pragma once
// The full chart's draw routine: the display items of one printed page, of
// the whole chart (window, metafile) or of one image strip, with the link
// pens of the options, then the title, the page label of a printed page and,
// in the whole-chart view, the page boundaries.

#include <array>
#include <string>

#include "charts/full/FullChartCompose.h"
#include "output/DrawSurface.h"

namespace dv {

struct FullChartDrawInput {
  const FullChartStorage* storage = nullptr;
  const ComposedChart* composed = nullptr;
  FullChartExtent extent;
  FullChartOptions options;
  FullChartPage page;  // the margins the chart was laid out with
  FontRecord chartFont, pageNumberFont, titleFont;
  // On screen: the title font fitted to the zoom's cells (FitScreenTitle).
  FontRecord screenTitleFont;
  bool screenTitleFitted = false;
  int printerLineHeight = 25;
  std::array<Colour, 16> colours = Settings().customColours;  // coloured boxes
  int stripFirst = 0, stripEnd = 0;  // image mode: the lines of the current strip
};

// The pen of a line style (0 group lines, 1..6 descent-link kinds) at the
// pen width on the target.
Pen LinkPen(LinkPens links, int style, int width);

// The page label: the page row as a letter (A..Z, then a..z, ...) and the
// page column as a number: "A1", "B3", "a2".
std::string PageLabel(int pageRow, int pageColumn);

// Draws: page 0 the whole chart, n > 0 printed page n (items of pages not in
// the page list: none), -1 the image strip stripFirst..stripEnd. screen 1
// screen, 0 paper, -1 image. Returns 0 or a message id.
int DrawFullChart(const FullChartDrawInput& in, DrawSurface& surface, int cellWidth, int cellHeight,
                  int page, int screen);

}  // namespace dv
