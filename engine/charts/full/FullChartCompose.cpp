#include "charts/full/FullChartCompose.h"

#include <algorithm>
#include <climits>

#include "common/StringTable.h"
#include "data/RecordStore.h"
#include "output/ImageExport.h"

namespace dv {

namespace {

int TitleLabel(People p) {
  switch (p) {
    case People::kAncestors:
      return kLblAncestorsOf;
    case People::kDescendants:
      return kLblDescendantsOf;
    case People::kAll:
      break;
  }
  return kLblRelativesOf;
}

std::string TitleName(const std::string& name) {
  std::string n = name;
  std::replace(n.begin(), n.end(), '_', ' ');
  return n;
}

int TitleColumns(std::size_t chars) { return int(chars + chars / 4 + 1); }

}  // namespace

std::string OneLineTitle(People people, const std::string& name) {
  return std::string(StringText(TitleLabel(people))) + TitleName(name);
}

void ThreeLineTitle(People people, const std::string& name, std::string (&lines)[3]) {
  std::string head(StringText(TitleLabel(people)));  // "Relatives of "
  const std::size_t space = head.find(' ');
  lines[0] = head.substr(0, space);
  lines[1] = "of";
  lines[2] = TitleName(name);
}

TitleSize MeasureTitle(People people, const std::string& name) {
  std::string lines[3];
  ThreeLineTitle(people, name, lines);
  TitleSize t;
  t.lineLines = 2;
  t.oneLineColumns = TitleColumns(OneLineTitle(people, name).size());
  t.threeLineColumns = TitleColumns(std::max(lines[0].size(), lines[2].size()));
  return t;
}

int PageOfCell(const FullChartExtent& e, int column, int line) {
  const int pc = std::max(0, column) / e.usableColumns;
  const int pr = std::max(0, line) / e.usableLines;
  return pr * e.pagesAcross + pc + 1;
}

namespace {

class Composer {
 public:
  Composer(FullChartStyle& style, const RecordStore& store, FullChartOptions& o,
           const FullChartPage& page, FullChartExtent& e, FullChartStorage& s, ComposedChart& out)
      : style_(style), store_(store), o_(o), page_(page), e_(e), s_(s), out_(out) {}

  ChartStatus Run();

 private:
  void Rule(int kind, int column, int line, int length, int style);
  void VerticalPieces(int column, int from, int to, int style);
  void HorizontalPieces(int from, int to, int line, int style);
  ChartStatus Groups();
  ChartStatus Lines();
  void Count();
  void PlaceTitle();

  FullChartStyle& style_;
  const RecordStore& store_;
  FullChartOptions& o_;
  const FullChartPage& page_;
  FullChartExtent& e_;
  FullChartStorage& s_;
  ComposedChart& out_;
};

void Composer::Rule(int kind, int column, int line, int length, int style) {
  if (length <= 0) return;
  DisplayItem it;
  it.column = column;
  it.line = line;
  it.kind = std::int16_t(kind);
  it.length = std::int16_t(std::min(length, 32767));
  it.style = std::int16_t(style);
  s_.items.push_back(it);
}

// A vertical line from line from to line to, cut at every page boundary
// down; a piece that continues a line from the page above is of kind 4.
void Composer::VerticalPieces(int column, int from, int to, int style) {
  const int V = e_.usableLines;
  for (int a = from; a < to;) {
    const int b = std::min(to, (a / V + 1) * V);
    Rule(a == from ? kFcVertical : kFcVerticalContinued, column, a, b - a, style);
    a = b;
  }
}

// A horizontal line, cut at every page boundary across.
void Composer::HorizontalPieces(int from, int to, int line, int style) {
  const int U = e_.usableColumns;
  for (int a = from; a < to;) {
    const int b = std::min(to, (a / U + 1) * U);
    Rule(kFcHorizontal, a, line, b - a, style);
    a = b;
  }
}

ChartStatus Composer::Groups() {
  for (int g = s_.highest; g >= s_.lowest; --g) {
    const GenerationRow& row = s_.rows[std::size_t(g)];
    int previousEnd = INT_MIN;
    for (std::int32_t id : s_.rowGroups[std::size_t(g)]) {
      const int col = GroupColumn(s_, id);
      const int width = GroupWidth(s_, id);
      if (col <= previousEnd) return Fail(kMsgFcGroupsOverlap);
      previousEnd = col + width - 1;
      const int height = id > 0 ? style_.Height(id) : 1;
      if (PageOfCell(e_, col - 1, row.line) != PageOfCell(e_, col + width - 1, row.line + height))
        return Fail(kMsgFcPageFormat);
      if (id <= 0) continue;
      const std::size_t before = s_.items.size();
      if (int rc = style_.Compose(id, row.line)) return Fail(rc);
      if (s_.items.size() > std::size_t(kFcItemBlocks) * kFcItemBlockSize)
        return Fail(kMsgFcTooMuchData);
      (void)before;
    }
  }
  return {};
}

ChartStatus Composer::Lines() {
  for (const auto* table : {&s_.ancestralLinks, &s_.descendantLinks}) {
    for (std::size_t i = 1; i < table->size(); ++i) {
      const DescentLink& l = (*table)[i];
      if (l.flag == kLinkWithdrawn) continue;
      const int gu = l.upper > 0
                         ? s_.families[std::size_t(l.upper)].generation
                         : (s_.PlaceholderOf(l.upper) ? s_.PlaceholderOf(l.upper)->generation : 0);
      const int gl = l.lower > 0
                         ? s_.families[std::size_t(l.lower)].generation
                         : (s_.PlaceholderOf(l.lower) ? s_.PlaceholderOf(l.lower)->generation : 0);
      if (s_.RowOf(gu) == 0 || s_.RowOf(gl) == 0 || gu != gl + 1) return Fail(kMsgFcCorrelation);
      const GenerationRow& upper = s_.rows[std::size_t(gu)];
      const GenerationRow& lower = s_.rows[std::size_t(gl)];
      const int uc = UpperColumn(s_, style_, l);
      const int lc = LowerColumn(s_, style_, l);
      const int start =
          l.upper > 0 ? upper.line + style_.Child(l.upper, l.childIndex).lineOffset : upper.line;
      const int end = lower.line;
      if (end <= start) return Fail(kMsgFcCorrelation);
      if (std::abs(uc - lc) < 2) {
        VerticalPieces(uc, start, end, l.kind);
      } else {
        const int jog = std::min(end - 1, upper.line + upper.height + 1);
        VerticalPieces(uc, start, jog, l.kind);
        HorizontalPieces(std::min(uc, lc), std::max(uc, lc), jog, l.kind);
        VerticalPieces(lc, jog, end, l.kind);
      }
      if (s_.items.size() > std::size_t(kFcItemBlocks) * kFcItemBlockSize)
        return Fail(kMsgFcTooMuchData);
    }
  }
  return {};
}

void Composer::Count() {
  auto count = [&](std::int32_t person) {
    if (person <= 0 || std::size_t(person) >= s_.individuals.size()) return;
    IndividualWork& w = s_.individuals[std::size_t(person)];
    if (w.counted) return;
    w.counted = true;
    ++out_.individuals;
  };
  for (auto& w : s_.individuals) w.counted = false;
  out_.individuals = 0;
  out_.families = 0;
  for (int g = s_.highest; g >= s_.lowest; --g) {
    for (std::int32_t id : s_.rowGroups[std::size_t(g)]) {
      const FamilySummary* f = id > 0 ? store_.Family(id) : nullptr;
      if (f == nullptr) continue;
      ++out_.families;
      count(f->husband);
      count(f->wife);
      for (int i = 0; i < kMaxChildren && f->children[i] != 0; ++i) {
        const std::int32_t c = f->children[i];
        count(c);
        const std::int32_t mark = s_.individuals[std::size_t(c)].mark;
        if (mark < 0) {
          if (const FamilySummary* folded = store_.Family(-mark)) {
            ++out_.families;
            count(folded->husband);
            count(folded->wife);
          }
        }
      }
    }
  }
}

void Composer::PlaceTitle() {
  TitlePlace& t = out_.title;
  t = {};
  const TitleSize size = MeasureTitle(o_.people, s_.baseName);
  ThreeLineTitle(o_.people, s_.baseName, t.lines);
  const int U = e_.usableColumns;
  if (size.threeLineColumns > U - 1) {
    out_.notices.push_back({kMsgFcTitleTooLarge, {}});
    o_.title = -1;
    return;
  }
  // The occupancy map: bands of 6 lines by buckets of columns; a cell below
  // an occupied cell counts as occupied, so the title only goes where
  // nothing of the chart stands above or below it in its columns.
  const int width = std::max(1, e_.workingWidth);
  const int bucket = (width + 799) / 800;
  const int buckets = (width + bucket - 1) / bucket;
  const int bands = std::min(40, (e_.height + 5) / 6 + 1);
  std::vector<unsigned char> map(std::size_t(bands) * std::size_t(buckets), 0);
  auto mark = [&](int c0, int c1, int l0, int l1) {  // inclusive cells
    for (int band = std::max(0, l0 / 6); band <= std::min(bands - 1, l1 / 6); ++band)
      for (int b = std::max(0, c0 / bucket); b <= std::min(buckets - 1, c1 / bucket); ++b)
        map[std::size_t(band) * std::size_t(buckets) + std::size_t(b)] = 1;
  };
  for (const DisplayItem& it : s_.items) {
    switch (it.kind) {
      case kFcText:
        mark(it.column, it.column + int(s_.texts[std::size_t(it.text)].size()), it.line, it.line);
        break;
      case kFcHorizontal:
        mark(it.column, it.column + it.length, it.line - 1, it.line);
        break;
      case kFcBox:  // the whole box, filled or framed
        mark(it.column, it.column + (it.text & 0xFFFF), it.line - 1,
             it.line + ((it.text >> 16) & 0x7FFF));
        break;
      default:
        mark(it.column, it.column, it.line - 1, it.line + it.length);
        break;
    }
  }
  for (int band = 1; band < bands; ++band)
    for (int b = 0; b < buckets; ++b)
      map[std::size_t(band) * buckets + b] |= map[std::size_t(band - 1) * buckets + b];

  // A free run of at least need buckets in bands 0..rows-1, inside one page
  // column; the widest such run wins.
  auto findRun = [&](int needColumns, int rowsOfBands, int& column) {
    const int need = (needColumns + bucket - 1) / bucket + 1;
    int bestStart = -1, bestLength = 0;
    int start = -1;
    for (int b = 0; b <= buckets; ++b) {
      bool free = b < buckets;
      for (int band = 0; free && band < std::min(rowsOfBands, bands); ++band)
        free = map[std::size_t(band) * buckets + b] == 0;
      if (free && start >= 0 && (b * bucket) / U != (start * bucket) / U) {
        if (b - start > bestLength) bestStart = start, bestLength = b - start;
        start = b;
        continue;
      }
      if (free && start < 0) start = b;
      if (!free && start >= 0) {
        if (b - start > bestLength) bestStart = start, bestLength = b - start;
        start = -1;
      }
    }
    if (bestStart < 0 || bestLength < need) return false;
    const int runColumns = bestLength * bucket;
    column = bestStart * bucket + (runColumns - needColumns) / 2;
    return true;
  };
  const int bandsThree = (3 * size.lineLines + 5) / 6 + 1;
  const int bandsOne = (size.lineLines + 5) / 6 + 1;
  int column = 0;
  if (findRun(size.threeLineColumns, bandsThree, column)) {
    t.oneLine = false;
    t.width = size.threeLineColumns;
    t.height = 3 * size.lineLines;
  } else if (findRun(size.oneLineColumns, bandsOne, column)) {
    t.oneLine = true;
    t.width = size.oneLineColumns;
    t.height = size.lineLines;
    t.lines[0] = OneLineTitle(o_.people, s_.baseName);
    o_.title = 3;
  } else {
    out_.notices.push_back({kMsgFcNoSpaceForTitle, {}});
    o_.title = -1;
    return;
  }
  column = std::max(column, 1);
  // Not across a page boundary.
  while (column > 0 && (column - 1) / U != (column + t.width - 1) / U) --column;
  if ((column) / U != (column + t.width - 1) / U) {
    out_.notices.push_back({kMsgFcData, std::string(StringText(kLblProcessingError))});
    o_.title = -1;
    return;
  }
  t.column = column;
  t.line = 0;
  t.page = PageOfCell(e_, column, 0);
  t.placed = true;
  if (column + t.width + 6 > e_.workingWidth) {
    e_.workingWidth = column + t.width + 6;
    e_.chartColumns = e_.workingWidth + page_.chartRight + 2;
  }
}

ChartStatus Composer::Run() {
  s_.items.clear();
  s_.texts.clear();
  s_.textRoom.clear();
  s_.chainRooms.clear();
  out_ = {};
  if (auto st = Groups(); !st.ok()) return st;
  if (auto st = Lines(); !st.ok()) return st;
  for (DisplayItem& it : s_.items) {
    const int page = PageOfCell(e_, it.column, it.line);
    if (page < 1 || page > int(e_.pagesAcross) * e_.pagesDown) return ProcessingError();
    it.page = std::int16_t(page);
  }
  Count();
  if (o_.title == 1) PlaceTitle();
  OrderItems(s_, out_, false);
  out_.pageCount =
      o_.blankPagesNumbered() ? int(e_.pagesAcross) * e_.pagesDown : int(out_.pageList.size());
  if (int(out_.pageList.size()) > int(e_.pagesAcross) * e_.pagesDown + 1) return ProcessingError();
  return {};
}

}  // namespace

void OrderItems(FullChartStorage& s, ComposedChart& c, bool imageOrder) {
  auto& items = s.items;
  if (imageOrder) {
    std::stable_sort(items.begin(), items.end(), [](const DisplayItem& a, const DisplayItem& b) {
      return std::tie(a.line, a.kind, a.column) < std::tie(b.line, b.kind, b.column);
    });
  } else {
    std::stable_sort(items.begin(), items.end(), [](const DisplayItem& a, const DisplayItem& b) {
      return std::tie(a.page, a.line, a.kind, a.column) <
             std::tie(b.page, b.line, b.kind, b.column);
    });
    c.pageList.clear();
    for (std::size_t i = 0; i < items.size(); ++i)
      if (i == 0 || items[i].page != items[i - 1].page)
        c.pageList.push_back({items[i].page, std::int32_t(i)});
    if (c.title.placed) {
      const bool listed =
          std::any_of(c.pageList.begin(), c.pageList.end(),
                      [&](const PageListEntry& p) { return p.page == c.title.page; });
      if (!listed) {
        // The title's page holds no items: its entry points past them.
        auto at = std::find_if(c.pageList.begin(), c.pageList.end(),
                               [&](const PageListEntry& p) { return p.page > c.title.page; });
        const std::int32_t first =
            at == c.pageList.end() ? std::int32_t(items.size()) : at->firstItem;
        c.pageList.insert(at, {c.title.page, first});
      }
    }
  }
  c.imageOrder = imageOrder;
}

ChartStatus ComposeChart(FullChartStyle& style, const RecordStore& store, FullChartOptions& options,
                         const FullChartPage& page, FullChartExtent& extent, FullChartStorage& s,
                         ComposedChart& out) {
  Composer composer(style, store, options, page, extent, s, out);
  return composer.Run();
}

std::vector<int> FullChartStripPlan(const FullChartStorage& s, const FullChartExtent& e,
                                    const TitlePlace& title, int w, int h) {
  const long long perLine = std::max<long long>(1, (long long)e.chartColumns * w * h);
  int n = int(std::max<long long>(1, kStripPixels / perLine));
  // Safe cuts: the top of every row (the chart's lines are drawn whole in
  // every strip they touch, so any row top will do), never inside the title.
  std::vector<int> safe;
  for (int g = s.highest; g >= s.lowest && s.highest != 0; --g)
    safe.push_back(s.rows[std::size_t(g)].line + 1);
  std::sort(safe.begin(), safe.end());
  const int firstRow = safe.empty() ? e.chartLines : safe.front();
  const int titleTop = title.placed ? title.line + 1 : -1;
  const int titleEnd = title.placed ? title.line + 1 + title.height : -1;
  auto inTitle = [&](int line) { return line > titleTop && line < titleEnd; };
  for (;;) {
    std::vector<int> plan{0};
    int at = 0;
    while (at < e.chartLines && int(plan.size()) < kMaxStrips) {
      int next = at + n;
      if (next >= firstRow || next >= e.chartLines) {
        auto it = std::lower_bound(safe.begin(), safe.end(), std::max(next, at + 1));
        next = it == safe.end() ? e.chartLines : *it;
      }
      while (inTitle(next) && next < e.chartLines) ++next;
      next = std::min(next, e.chartLines);
      plan.push_back(next);
      at = next;
    }
    if (plan.back() == e.chartLines) {
      // A short last strip joins the one before it.
      if (plan.size() > 2 &&
          (long long)(plan.back() - plan[plan.size() - 2]) * perLine < kStripPixels / 2)
        plan.erase(plan.end() - 2);
      return plan;
    }
    n *= 2;  // too many strips: make them taller
  }
}

}  // namespace dv
