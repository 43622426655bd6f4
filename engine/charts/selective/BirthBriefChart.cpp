#include "charts/selective/BirthBriefChart.h"

#include "common/StringTable.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"

namespace dv {

BirthBriefPage BirthBriefPageOf(const PageGeometry& geometry) {
  BirthBriefPage p;
  p.pageColumns = geometry.pageColumns;
  p.pageLines = geometry.pageLines;
  p.marginTop = geometry.margins.top;
  p.marginBottom = geometry.margins.bottom;
  p.marginLeft = geometry.margins.left;
  p.marginRight = geometry.margins.right;
  return p;
}

GatherResult BirthBriefChart::Run(const RecordStore& store, std::int32_t baseIndex,
                                  const BirthBriefOptions& options, const BirthBriefPage& page) {
  BirthBriefTables& tables = StartTables(options, page);
  GatherResult r = GatherBirthBrief(store, baseIndex, options_, tables);
  if (r.status == 0) {
    r.status = Layout();
    if (r.status != 0) r.message = r.status;
  }
  if (r.status != 0) Release();
  return r;
}

BirthBriefTables& BirthBriefChart::StartTables(const BirthBriefOptions& options,
                                               const BirthBriefPage& page) {
  Release();
  options_ = options.Normalised();
  page_ = page;
  tables_ = std::make_unique<BirthBriefTables>();
  return *tables_;
}

int BirthBriefChart::Layout() {
  if (!tables_) return kMsgCannotGenerateChart;
  const int status = LayoutBirthBrief(*tables_, options_, items_);
  extent_ = BirthBriefExtentFor(page_);
  return status;
}

void BirthBriefChart::Release() {
  tables_.reset();
  std::vector<BirthBriefItem>().swap(items_);
  extent_ = {};
}

void BirthBriefChart::SetPage(const BirthBriefPage& page) {
  page_ = page;
  if (tables_) extent_ = BirthBriefExtentFor(page_);
}

void BirthBriefChart::SetPen(int lineWidth, int printerLineHeight) {
  lineWidth_ = lineWidth;
  printerLineHeight_ = printerLineHeight;
}

int BirthBriefChart::Draw(DrawSurface& surface, int cellWidth, int cellHeight, int page,
                          int screen) const {
  if (!tables_) return 0;
  BirthBriefDrawInput in;
  in.tables = tables_.get();
  in.items = &items_;
  in.options = options_;
  in.page = page_;
  in.lineWidth = lineWidth_;
  in.printerLineHeight = printerLineHeight_;
  return DrawBirthBrief(in, surface, cellWidth, cellHeight, page, screen);
}

std::string BirthBriefChart::Dump(int page, int screen, int& status) const {
  CellRecorder rec;  // even cells: half-cell positions stay exact
  const int cw = rec.cellWidth(), ch = rec.cellHeight();
  status = Draw(rec, cw, ch, page, screen);
  std::string out;
  for (const CellRecorder::Item& it : rec.items()) {
    std::string kind, line, length = "0", text;
    switch (it.kind) {
      case CellRecorder::Kind::kText:
        kind = "text";
        line = CellsText(it.y1, ch);
        text = CEscape(it.text);
        break;
      case CellRecorder::Kind::kHorizontal:
        // A rule on line L stands half a line above that line's cell.
        kind = "hline";
        line = CellsText(it.y1 + ch / 2, ch);
        length = CellsText(it.x2 - it.x1, cw);
        break;
      case CellRecorder::Kind::kVertical:
        kind = "vline";
        line = CellsText(it.y1 + ch / 2, ch);
        length = CellsText(it.y2 - it.y1, ch);
        break;
      case CellRecorder::Kind::kBox:
      case CellRecorder::Kind::kFrame:
        kind = "box";
        line = CellsText(it.y1, ch);
        length = CellsText(it.x2 - it.x1, cw);
        break;
      case CellRecorder::Kind::kImage:  // the Birth Brief draws no pictures
        kind = "image";
        line = CellsText(it.y1, ch);
        length = CellsText(it.x2 - it.x1, cw);
        break;
    }
    out += std::to_string(page) + "\t" + CellsText(it.x1, cw) + "\t" + line + "\t" + kind + "\t" +
           length + "\t" + text + "\n";
  }
  return out;
}

}  // namespace dv
