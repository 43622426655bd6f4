#include "charts/selective/BirthBriefLayout.h"

#include <algorithm>
#include <cstdio>

namespace dv {

namespace {

// Column tables for W = 20, by generation index.
constexpr int kText7[7] = {4, 4, 29, 54, 79, 105, 132};
constexpr int kLine7[7] = {1, 1, 26, 51, 76, 101, 128};
constexpr int kText8[8] = {29, 4, 6, 31, 56, 81, 106, 131};
constexpr int kLine8[9] = {26, 26, 3, 28, 53, 78, 103, 128, 1};

struct ListBuilder {
  std::vector<BirthBriefItem>& items;
  bool overflow = false;

  void Add(int g, int line, BirthBriefKind kind, int source) {
    if (int(items.size()) >= kBirthBriefMaxItems) {
      overflow = true;
      return;
    }
    BirthBriefItem it;
    it.generation = g;
    it.line = std::int16_t(line);
    it.kind = kind;
    it.source = std::int16_t(source);
    items.push_back(it);
  }
};

bool HasDetails(const BirthBriefOptions& o, int g) {
  if (!o.addBirthDeath) return false;
  const int lo = o.excludeGen12 ? 2 : 0;
  const int hi = o.excludeGen6 ? 4 : 5;
  return g >= lo && g <= hi;
}

}  // namespace

int GenerationOf(int slot) {
  int g = 0;
  for (int n = slot + 1; n > 1; n >>= 1) ++g;
  return g;
}

int FirstLineOf(int g, int generations) {
  if (generations == 8 && g == 7) return 1;
  if (generations == 8 && g == 1) return 60;
  return 1 << (6 - g);
}

int LineStepOf(int g, int generations) {
  if (generations == 8 && g == 7) return 1;
  if (generations == 8 && g == 1) return 8;
  return 1 << (7 - g);
}

int ColumnStepOf(int g, int generations) {
  if (g == kConnectingColumn) return 0;
  if (generations == 8) {
    if (g <= 1) return 1;
    return g == 2 ? 0 : g - 2;
  }
  if (g == 0) return 1;
  return g == 1 ? 0 : g - 1;
}

int TextColumnOf(int g, int generations) {
  if (generations == 8) return g >= 0 && g < 8 ? kText8[g] : 0;
  return g >= 0 && g < 7 ? kText7[g] : 0;
}

int LineColumnOf(int g, int generations) {
  if (generations == 8) return g >= 0 && g <= 8 ? kLine8[g] : 0;
  return g >= 0 && g < 7 ? kLine7[g] : 0;
}

bool SlotVisible(const BirthBriefTables& tables, const BirthBriefOptions& options, int slot) {
  if (slot < 0 || slot >= options.Slots()) return false;
  return options.showAllLines || !tables.Name(slot).empty() || slot < 7;
}

int LayoutBirthBrief(const BirthBriefTables& tables, const BirthBriefOptions& opts,
                     std::vector<BirthBriefItem>& items) {
  const BirthBriefOptions o = opts.Normalised();
  const int G = o.generations;
  items.clear();
  items.reserve(kBirthBriefMaxItems);
  ListBuilder list{items};

  for (int g = 0; g < G; ++g) {
    const int first = FirstLineOf(g, G);
    const int step = LineStepOf(g, G);
    const int count = 1 << g;
    for (int j = 0; j < count; ++j) {
      const int s = count - 1 + j;
      const int r = first + step * j;
      const bool visible = SlotVisible(tables, o, s);
      if (visible) {
        list.Add(g, r, kItemText, s);
        if (HasDetails(o, g)) {
          int next = r + 1;
          if (o.addOccupation && g <= 4) list.Add(g, next++, kItemText, -201 - s);
          list.Add(g, next++, kItemText, -1 - s);
          list.Add(g, next, kItemText, -101 - s);
        }
      }
      if (g != 0 && g != G - 1 &&
          (SlotVisible(tables, o, 2 * s + 1) || SlotVisible(tables, o, 2 * s + 2)))
        list.Add(g, r + 1, kItemConnector, kTowardsParents);
      const bool father = (j % 2) == 0;
      const bool partnerVisible =
          g != 0 && (father ? SlotVisible(tables, o, s + 1) : SlotVisible(tables, o, s - 1));
      if (visible || partnerVisible) {
        list.Add(g, r + 1, kItemConnector, kTowardsSiblings);
        if (father && g != 0)
          for (int line = r + 1; line <= r + step; ++line) list.Add(g, line, kItemVertical, 0);
      }
    }
  }
  if (G == 8) {
    // The parents stand next to the base: this column joins them to the
    // middle of the grandparents' sibling lines.
    for (int line = 33; line <= 60; ++line) list.Add(kConnectingColumn, line, kItemVertical, 0);
    for (int line = 69; line <= 96; ++line) list.Add(kConnectingColumn, line, kItemVertical, 0);
    list.Add(kConnectingColumn, 33, kItemConnector, kTowardsSiblings);
    list.Add(kConnectingColumn, 97, kItemConnector, kTowardsSiblings);
  }
  std::stable_sort(items.begin(), items.end(),
                   [](const BirthBriefItem& a, const BirthBriefItem& b) {
                     if (a.line != b.line) return a.line < b.line;
                     if (a.kind != b.kind) return a.kind < b.kind;
                     return a.generation < b.generation;
                   });
  return list.overflow ? kMsgCannotGenerateChart : 0;
}

BirthBriefExtent BirthBriefExtentFor(const BirthBriefPage& p) {
  BirthBriefExtent e;
  e.usableColumns = p.pageColumns - p.marginLeft - p.marginRight;
  e.usableLines = p.pageLines - p.marginTop - p.marginBottom;
  e.chartLines = std::max(p.marginTop + 130, p.pageLines);
  e.chartColumns = std::max(p.marginLeft + 160, p.pageColumns);
  return e;
}

std::string_view ItemText(const BirthBriefTables& tables, const BirthBriefItem& item) {
  if (item.kind != kItemText) return {};
  const int src = item.source;
  if (src >= 0) return tables.Name(src);
  if (src >= -100) return tables.Birth(-1 - src);
  if (src >= -200) return tables.Death(-101 - src);
  return tables.Occupation(-201 - src);
}

std::string FormatBirthBriefList(const std::vector<BirthBriefItem>& items,
                                 const BirthBriefTables& tables) {
  std::string out;
  char buf[96];
  for (const auto& it : items) {
    std::snprintf(buf, sizeof buf, "%d\t%d\t%d\t%d", int(it.generation), int(it.line), int(it.kind),
                  int(it.source));
    out += buf;
    if (it.kind == kItemText) {
      out += '\t';
      out += ItemText(tables, it);
    }
    out += '\n';
  }
  return out;
}

}  // namespace dv
