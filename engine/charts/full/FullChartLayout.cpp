#include "charts/full/FullChartLayout.h"

#include "charts/full/FullChartStraighten.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "data/RecordStore.h"

namespace dv {

int TreeStyle::Format(std::int32_t family) { return FormatTreeGroup(store_, options_, s_, family); }
int TreeStyle::Height(std::int32_t family) const {
  return TreeGroupHeight(s_.families[std::size_t(family)]);
}
bool TreeStyle::HasChildrenLine(std::int32_t family) const {
  return s_.families[std::size_t(family)].childrenState >= 0;
}
ChildPlace TreeStyle::Child(std::int32_t family, int child) const {
  return TreeChildPlace(s_.families[std::size_t(family)], child);
}
int TreeStyle::Connection(std::int32_t family, int side) const {
  const FamilyWork& w = s_.families[std::size_t(family)];
  return w.column + w.coupleOffset + w.connection[side != 0 ? 1 : 0];
}
int TreeStyle::Compose(std::int32_t family, int line) {
  return ComposeTreeGroup(store_, options_, s_, family, line);
}

bool TreeStyle::Chained(std::int32_t left, std::int32_t right) const {
  return MarriagesOfOnePerson(store_, left, right);
}

bool MarriagesOfOnePerson(const RecordStore& store, std::int32_t left, std::int32_t right) {
  const FamilySummary* a = store.Family(left);
  const FamilySummary* b = store.Family(right);
  if (a == nullptr || b == nullptr) return false;
  return (a->husband != 0 && (a->husband == b->husband || a->husband == b->wife)) ||
         (a->wife != 0 && (a->wife == b->wife || a->wife == b->husband));
}

bool ChainedTo(const FullChartStorage& s, std::int32_t left, std::int32_t right) {
  return left > 0 && right > 0 && s.families[std::size_t(left)].chainNext == right;
}

int MinGap(const FullChartStorage& s, std::int32_t left, std::int32_t right) {
  return ChainedTo(s, left, right) ? s.chainGap : kGroupGap;
}

int GroupWidth(const FullChartStorage& s, std::int32_t id) {
  if (id > 0) return s.families[std::size_t(id)].width;
  const Placeholder* p = s.PlaceholderOf(id);
  return p ? p->width : 2;
}

int GroupColumn(const FullChartStorage& s, std::int32_t id) {
  if (id > 0) return s.families[std::size_t(id)].column;
  const Placeholder* p = s.PlaceholderOf(id);
  return p ? p->column : 0;
}

void SetGroupColumn(FullChartStorage& s, std::int32_t id, int column) {
  if (id > 0) {
    s.families[std::size_t(id)].column = column;
  } else if (Placeholder* p = s.PlaceholderOf(id)) {
    p->column = column;
  }
}

int UpperColumn(const FullChartStorage& s, const FullChartStyle& style, const DescentLink& l) {
  if (l.upper > 0) return style.Child(l.upper, l.childIndex).column;
  return GroupColumn(s, l.upper) + 1;
}

int LowerColumn(const FullChartStorage& s, const FullChartStyle& style, const DescentLink& l) {
  if (l.lower > 0) return style.Connection(l.lower, l.side);
  return GroupColumn(s, l.lower) + 1;
}

namespace {

class Rows {
 public:
  Rows(FullChartStyle& style, const FullChartOptions& o, const FullChartPage& page,
       FullChartStorage& s)
      : style_(style), o_(o), page_(page), s_(s) {}

  // Removes page columns that hold no group; returns the pages across.
  int RemoveEmptyPageColumns(int U, int pagesAcross) {
    for (;;) {
      std::vector<int> count(std::size_t(pagesAcross), 0);
      for (int g = s_.lowest; g <= s_.highest; ++g)
        for (std::int32_t id : s_.rowGroups[std::size_t(g)]) {
          const int pc = GroupColumn(s_, id) / U;
          if (pc >= 0 && pc < pagesAcross) ++count[std::size_t(pc)];
        }
      int empty = -1;
      for (int pc = 0; pc < pagesAcross; ++pc)
        if (count[std::size_t(pc)] == 0) {
          empty = pc;
          break;
        }
      if (empty < 0 || pagesAcross <= 1) return pagesAcross;
      for (int g = s_.lowest; g <= s_.highest; ++g)
        for (std::int32_t id : s_.rowGroups[std::size_t(g)])
          if (GroupColumn(s_, id) / U > empty) SetGroupColumn(s_, id, GroupColumn(s_, id) - U);
      --pagesAcross;
    }
  }

  ChartStatus Run(FullChartExtent& e);

 private:
  FullChartStyle& style_;
  const FullChartOptions& o_;
  const FullChartPage& page_;
  FullChartStorage& s_;
};

ChartStatus Rows::Run(FullChartExtent& e) {
  const bool breaks = !o_.noPageBreaks;
  const int U = breaks ? page_.usableColumns() : kNoPageBreakSize;
  const int V = breaks ? page_.usableLines() : kNoPageBreakSize;
  if (U <= 2 || V <= 2) return Fail(52);  // "Paper/printing area too small"
  e.usableColumns = U;
  e.usableLines = V;
  if (s_.highest == 0 || s_.RowOf(s_.lowest) == 0 || s_.RowOf(s_.highest) == 0)
    return Fail(kMsgFcCorrelation);
  s_.chainGap = style_.ChainGap();

  // Formatting and first columns.
  for (int g = s_.highest; g >= s_.lowest; --g) {
    GenerationRow& row = s_.rows[std::size_t(g)];
    if (row.generation != g) return Fail(kMsgFcCorrelation);
    int col = page_.chartLeft + 1;
    row.height = 1;
    row.childrenLine = false;
    const auto& groups = s_.rowGroups[std::size_t(g)];
    // Neighbouring marriages of one person stand together as a chain.
    for (std::size_t i = 0; i < groups.size(); ++i)
      if (groups[i] > 0) {
        FamilyWork& w = s_.families[std::size_t(groups[i])];
        w.chainNext = w.chainPrev = 0;
        w.chainNumber = 0;
      }
    for (std::size_t i = 0; i < groups.size(); ++i) {
      const std::int32_t id = groups[i];
      const std::int32_t next = i + 1 < groups.size() ? groups[i + 1] : 0;
      if (id <= 0 || next <= 0 || !style_.Chained(id, next)) continue;
      FamilyWork& w = s_.families[std::size_t(id)];
      w.chainNext = next;
      if (w.chainNumber == 0) w.chainNumber = 1;
      FamilyWork& n = s_.families[std::size_t(next)];
      n.chainPrev = id;
      n.chainNumber = std::int16_t(std::min(w.chainNumber + 1, 32767));
    }
    int chainWidth = 0;
    for (std::size_t i = 0; i < groups.size(); ++i) {
      const std::int32_t id = groups[i];
      const std::int32_t next = i + 1 < groups.size() ? groups[i + 1] : 0;
      if (id > 0) {
        if (int rc = style_.Format(id)) {
          ChartStatus st = Fail(kMsgFcAbortedIn, kLblFormatting);
          st.messages.push_back({rc, {}});
          return st;
        }
        row.height = std::max(row.height, style_.Height(id));
        row.childrenLine = row.childrenLine || style_.HasChildrenLine(id);
      }
      // A group with its chain must fit on a page.
      chainWidth += GroupWidth(s_, id);
      if (chainWidth > U - 2 || row.height + 3 > V) return Fail(kMsgFcWiderThanPage);
      chainWidth = ChainedTo(s_, id, next) ? chainWidth + s_.chainGap : 0;
      SetGroupColumn(s_, id, col);
      col += GroupWidth(s_, id) + MinGap(s_, id, next);
    }
  }

  if (ChartStatus st = StraightenRows(style_, page_, U, breaks, s_); !st.ok()) return st;

  // Rows on lines, from the top down.
  long long line = page_.chartTop;
  for (int g = s_.highest; g >= s_.lowest; --g) {
    GenerationRow& row = s_.rows[std::size_t(g)];
    row.line = std::int32_t(line);
    row.step = row.height + 3 + row.reservedAbove + row.reservedBelow;
    line += row.step;
    if (line > 32000) return Fail(kMsgFcTooMuchData);
  }
  // The line below the last row, with the line its lines of descent may
  // jog on.
  auto contentBottom = [&] {
    const GenerationRow& last = s_.rows[std::size_t(s_.lowest)];
    return last.line + last.height + 2;
  };

  int pagesDown = 1, pagesAcross = 1;
  if (breaks) {
    pagesDown = (contentBottom() - 1) / V + 1;
    const int spare = pagesDown * V - contentBottom() - page_.chartBottom;
    if (spare > 0) {
      const int shift = o_.alignment == 0 || spare < 6 * (pagesDown - 1)
                            ? spare
                            : (spare + 6 * (pagesDown - 1)) / 2;
      for (int g = s_.highest; g >= s_.lowest; --g) s_.rows[std::size_t(g)].line += shift;
    }
    // No row straddles a page boundary down: a row that would is moved,
    // with every row below it, to the top of the next page.
    int offset = 0;
    for (int g = s_.highest; g >= s_.lowest; --g) {
      GenerationRow& row = s_.rows[std::size_t(g)];
      row.line += offset;
      const int top = row.line - row.reservedAbove;
      const int bottom = row.line + row.height + 1 + row.reservedBelow;
      if (top / V != bottom / V) {
        const int delta = (bottom / V) * V - top;
        row.line += delta;
        offset += delta;
      }
      if (row.line > 32000) return Fail(kMsgFcTooMuchData);
    }
    pagesDown = (contentBottom() - 1) / V + 1;
    int maxRight = 0;
    for (int g = s_.highest; g >= s_.lowest; --g)
      for (std::int32_t id : s_.rowGroups[std::size_t(g)])
        maxRight = std::max(maxRight, GroupColumn(s_, id) + GroupWidth(s_, id) - 1);
    pagesAcross = maxRight / U + 1;
    pagesAcross = RemoveEmptyPageColumns(U, pagesAcross);
  }

  int maxEnd = 0;
  for (int g = s_.highest; g >= s_.lowest; --g) {
    GenerationRow& row = s_.rows[std::size_t(g)];
    row.rightmost = 0;
    for (std::int32_t id : s_.rowGroups[std::size_t(g)])
      row.rightmost = std::max(row.rightmost, GroupColumn(s_, id) + GroupWidth(s_, id));
    maxEnd = std::max(maxEnd, row.rightmost);
  }
  if (long(pagesAcross) * pagesDown > 32767 || maxEnd > 1000000) return Fail(kMsgFcTooMuchData);
  e.workingWidth = maxEnd + 2;
  e.height = contentBottom() + 2 + (breaks ? 0 : page_.chartBottom);
  e.chartColumns = e.workingWidth + page_.chartRight + 2;
  e.chartLines = e.height + 2;
  if (e.chartLines > 32767) return Fail(kMsgFcTooMuchData);
  e.pagesAcross = std::int16_t(pagesAcross);
  e.pagesDown = std::int16_t(pagesDown);
  return {};
}

}  // namespace

ChartStatus LayOutRows(FullChartStyle& style, const FullChartOptions& options,
                       const FullChartPage& page, FullChartStorage& s, FullChartExtent& extent) {
  Rows rows(style, options, page, s);
  return rows.Run(extent);
}

}  // namespace dv
