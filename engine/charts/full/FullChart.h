#pragma once
// One full chart from its run to its release: the storage, the layout, the
// composed pages and the draw routine, owned together (released by
// Release, by the next run, or by the destructor). The Full Chart dialog
// calls Run; the window, the printer and the image export call Draw.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "charts/full/FullChartDraw.h"

namespace dv {

class RecordStore;

// The lines the page-number font needs: its height and external leading
// over the cell height, plus 1 when it is taller than a cell, else 1.
int PageNumberLines(int fontLineHeight, int cellHeight);

// The page a chart is laid out on: the margin on the page numbers' side
// raised to the lines they need (the user's own margins are not changed).
FullChartPage PageForNumbers(FullChartPage page, const FullChartOptions& options,
                             int pageNumberLines);

class FullChart {
 public:
  // Releases an earlier chart, selects, lays out and composes. On failure
  // the chart is released and the messages say what to show (the caller
  // adds "Cannot generate chart"). notices() holds messages to show even
  // when the chart was made ("Cannot find space for title").
  ChartStatus Run(const RecordStore& store, std::int32_t baseIndex, const FullChartOptions& options,
                  const FullChartPage& page);
  void Release();
  bool HasChart() const { return storage_ != nullptr; }

  // The fonts the draw routine uses and the printer's line height (for the
  // screen's proportional pen).
  void SetFonts(const FontRecord& chartFont, const FontRecord& pageNumberFont,
                const FontRecord& titleFont);
  void SetPrinterLineHeight(int lineHeight) { printerLineHeight_ = lineHeight; }
  // The sixteen colours of coloured boxes (customColours).
  void SetColours(const std::array<Colour, 16>& colours) { colours_ = colours; }

  int Draw(DrawSurface& surface, int cellWidth, int cellHeight, int page, int screen) const;
  // The fit test for a proportional screen font (the surface holds it): true
  // as soon as a measured text (a box's lines, a Tree group's spouse names)
  // takes more columns of cellWidth than it has room for. False without a
  // chart, and for boxChart when the chart holds no boxes.
  bool Overflows(DrawSurface& surface, int cellWidth, bool boxChart) const;
  // Fits the screen copy of the title font to the zoom's cells so the
  // title spans as many cells as on paper; the screen draws use it.
  void FitScreenTitle(DrawSurface& screen, int zoom, int cellWidth, int printerCharWidth);
  // Image mode: the lines of the strip the next Draw(page -1) draws.
  void SetStrip(int firstLine, int endLine);
  std::vector<int> StripPlan(int cellWidth, int cellHeight) const;
  void Reorder(bool imageOrder);

  // The result text of the Full Chart dialog at a cell of cellWidth by
  // cellHeight device units and the device's pixels per inch.
  std::string ResultText(int cellWidth, int cellHeight, int dpiX, int dpiY) const;
  // Families placed, one a line (see FamiliesListing).
  std::string Families(const RecordStore& store) const;
  // The printed pages drawn on a recorder, page by page (page 0: the whole
  // chart), in the Birth Brief's dump format.
  std::string Dump(int& status) const;

  const FullChartExtent& Extent() const { return extent_; }
  const ComposedChart& Composed() const { return composed_; }
  const FullChartOptions& Options() const { return options_; }
  const FullChartPage& Page() const { return page_; }
  const FullChartStorage* Storage() const { return storage_.get(); }
  const std::vector<ChartMessage>& notices() const { return composed_.notices; }
  int pageCount() const { return composed_.pageCount; }

 private:
  FullChartDrawInput Input() const;

  std::unique_ptr<FullChartStorage> storage_;
  FullChartOptions options_;
  FullChartPage page_;
  FullChartExtent extent_;
  ComposedChart composed_;
  FontRecord chartFont_, pageNumberFont_, titleFont_;
  int printerLineHeight_ = 25;
  std::array<Colour, 16> colours_ = Settings().customColours;
  int stripFirst_ = 0, stripEnd_ = 0;
  FontRecord screenTitleFont_;
  bool screenTitleFitted_ = false;
};

}  // namespace dv
