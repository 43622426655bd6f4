#include "charts/full/FullChart.h"

#include <cstdio>
#include <new>

#include "charts/full/BoxGroups.h"
#include "charts/full/FullChartSelect.h"
#include "common/StringTable.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"
#include "output/ZoomLevels.h"

namespace dv {

int PageNumberLines(int fontLineHeight, int cellHeight) {
  if (cellHeight <= 0) return 1;
  return fontLineHeight > cellHeight ? fontLineHeight / cellHeight + 1 : 1;
}

FullChartPage PageForNumbers(FullChartPage page, const FullChartOptions& o, int lines) {
  if (!o.pageNumbersOn()) return page;
  int& margin = o.pageNumbersTop() ? page.marginTop : page.marginBottom;
  margin = std::max(margin, lines);
  return page;
}

void FullChart::Release() {
  storage_.reset();
  extent_ = {};
  composed_ = {};
  screenTitleFitted_ = false;
}

ChartStatus FullChart::Run(const RecordStore& store, std::int32_t baseIndex,
                           const FullChartOptions& options, const FullChartPage& page) {
  Release();
  options_ = options.Normalised();
  // A title not placed in an earlier run is tried again.
  if (options_.title < 0) options_.title = -options_.title;
  if (options_.title > 2) options_.title = 1;
  page_ = page;
  try {
    storage_ = std::make_unique<FullChartStorage>();
  } catch (const std::bad_alloc&) {
    return Fail(kMsgFcCannotAllocate);
  }
  if (!storage_->Allocate(store.IndividualCount(), store.FamilyCount())) {
    Release();
    return Fail(kMsgFcCannotAllocate);
  }
  ChartStatus st = SelectFamilies(store, baseIndex, options_, *storage_);
  // The style's groups: the Tree's family groups or the BoxChart's boxes.
  TreeStyle tree(store, options_, *storage_);
  BoxStyle box(store, options_, *storage_);
  FullChartStyle& style = options_.boxChart ? static_cast<FullChartStyle&>(box) : tree;
  if (st.ok()) st = LayOutRows(style, options_, page_, *storage_, extent_);
  if (st.ok()) st = ComposeChart(style, store, options_, page_, extent_, *storage_, composed_);
  if (!st.ok()) {
    Release();
    return st;
  }
  return st;
}

void FullChart::SetFonts(const FontRecord& chartFont, const FontRecord& pageNumberFont,
                         const FontRecord& titleFont) {
  chartFont_ = chartFont;
  pageNumberFont_ = pageNumberFont;
  titleFont_ = titleFont;
}

FullChartDrawInput FullChart::Input() const {
  FullChartDrawInput in;
  in.storage = storage_.get();
  in.composed = &composed_;
  in.extent = extent_;
  in.options = options_;
  in.page = page_;
  in.chartFont = chartFont_;
  in.pageNumberFont = pageNumberFont_;
  in.titleFont = titleFont_;
  in.screenTitleFont = screenTitleFont_;
  in.screenTitleFitted = screenTitleFitted_;
  in.printerLineHeight = printerLineHeight_;
  in.colours = colours_;
  in.stripFirst = stripFirst_;
  in.stripEnd = stripEnd_;
  return in;
}

int FullChart::Draw(DrawSurface& surface, int cw, int ch, int page, int screen) const {
  if (!storage_) return 0;
  return DrawFullChart(Input(), surface, cw, ch, page, screen);
}

void FullChart::SetStrip(int firstLine, int endLine) {
  stripFirst_ = firstLine;
  stripEnd_ = endLine;
}

std::vector<int> FullChart::StripPlan(int cw, int ch) const {
  if (!storage_) return {0, extent_.chartLines};
  return FullChartStripPlan(*storage_, extent_, composed_.title, cw, ch);
}

void FullChart::Reorder(bool imageOrder) {
  if (storage_) OrderItems(*storage_, composed_, imageOrder);
}

std::string FullChart::ResultText(int cw, int ch, int dpiX, int dpiY) const {
  char size[160], counts[160];
  const double width = dpiX > 0 ? double(extent_.chartColumns - 2) * cw / dpiX : 0.0;
  const double height = dpiY > 0 ? double(extent_.chartLines) * ch / dpiY : 0.0;
  std::snprintf(size, sizeof size, std::string(StringText(kLblResultSize)).c_str(), width, height,
                int(extent_.pagesAcross), int(extent_.pagesDown));
  std::snprintf(counts, sizeof counts, std::string(StringText(kLblResultCounts)).c_str(),
                composed_.pageCount, composed_.individuals, composed_.families);
  return std::string(size) + counts;
}

std::string FullChart::Families(const RecordStore& store) const {
  return storage_ ? FamiliesListing(store, *storage_) : std::string();
}

void FullChart::FitScreenTitle(DrawSurface& screen, int zoom, int cellWidth, int printerCharWidth) {
  screenTitleFitted_ = false;
  const TitlePlace& t = composed_.title;
  if (!storage_ || !t.placed || options_.title <= 0) return;
  FontRecord font = titleFont_;
  if (font.faceName().empty()) font.setFaceName("Times New Roman");
  const FontRecord previous = screen.CurrentFont();
  // One-line form: "Relatives of " and the name; the three-line form is
  // as wide as its name line.
  const std::string& text = t.oneLine ? t.lines[0] : t.lines[2];
  screenTitleFont_ =
      FitScreenTitleFont(screen, font, zoom, 2 * printerLineHeight_, printerLineHeight_, text,
                         t.width * printerCharWidth, printerCharWidth, cellWidth);
  screen.SelectFont(previous);
  screenTitleFitted_ = true;
}

bool FullChart::Overflows(DrawSurface& surface, int cellWidth, bool boxChart) const {
  if (!storage_ || cellWidth <= 0) return false;
  if (boxChart && !options_.boxChart) return false;
  const FullChartStorage& s = *storage_;
  for (std::size_t i = 0; i < s.texts.size() && i < s.textRoom.size(); ++i) {
    if (s.textRoom[i] <= 0 || s.texts[i].empty()) continue;
    const long long width = surface.MeasureText(s.texts[i]).width;
    if ((width + cellWidth - 1) / cellWidth > s.textRoom[i]) return true;
  }
  // Tree chains: the neighbouring names of two marriages keep 6 columns
  // between them.
  auto columns = [&](const std::string& text) {
    return (surface.MeasureText(text).width + cellWidth - 1) / cellWidth;
  };
  for (const FullChartStorage::ChainRoom& r : s.chainRooms)
    if (columns(r.left) + kTreeChainGap + columns(r.right) > r.span) return true;
  return false;
}

std::string FullChart::Dump(int& status) const {
  status = 0;
  std::string out;
  if (!storage_) return out;
  const DrawRoutine draw = [this](DrawSurface& s, int cw, int ch, int page, int screen) {
    return Draw(s, cw, ch, page, screen);
  };
  for (const PageListEntry& p : composed_.pageList) {
    CellRecorder recorder;
    // A box's colour as its colour number (1..16), the custom colour it is
    // filled with.
    recorder.SetColourNames([this](Colour c) {
      for (std::size_t i = 0; i < colours_.size(); ++i)
        if (colours_[i] == c) return std::to_string(i + 1);
      return std::string("0");
    });
    status = draw(recorder, recorder.cellWidth(), recorder.cellHeight(), p.page, 0);
    out += recorder.Dump(p.page);
    if (status != 0) break;
  }
  return out;
}

}  // namespace dv
