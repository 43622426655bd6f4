#include "charts/selective/BirthBriefDraw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/CellDump.h"

namespace dv {
namespace {

constexpr int kCw = 8;  // even cells: half-cell positions are whole device units
constexpr int kCh = 12;

BirthBriefTables FullTables() {
  BirthBriefTables t;
  for (int s = 0; s < kNameRows; ++s) t.SetName(s, " P" + std::to_string(s + 1));
  for (int s = 0; s < kDetailSlots; ++s) t.SetDetail(s, "b " + std::to_string(s + 1));
  return t;
}

struct Chart {
  BirthBriefTables tables;
  std::vector<BirthBriefItem> items;
  BirthBriefDrawInput in;

  Chart(const BirthBriefTables& t, int generations, int width, BirthBriefPage page = {})
      : tables(t) {
    in.options.generations = generations;
    in.options.width = width;
    in.options.showAllLines = true;
    in.page = page;
    LayoutBirthBrief(tables, in.options, items);
    in.tables = &tables;
    in.items = &items;
  }
  ItemPlacement Place(const BirthBriefItem& it) const {
    return PlaceBirthBriefItem(in, it, kCw, kCh);
  }
  const BirthBriefItem* Find(int g, int line, int kind, int source = -1000) const {
    for (const auto& it : items)
      if (it.generation == g && it.line == line && it.kind == kind &&
          (source == -1000 || it.source == source))
        return &it;
    return nullptr;
  }
  int TextX(int slot) const {
    for (const auto& it : items)
      if (it.kind == kItemText && it.source == slot) return Place(it).x;
    return -1;
  }
};

int SlotLine(int s, int G) {
  int g = 0;
  while ((2 << g) - 1 <= s) ++g;
  const int j = s - ((1 << g) - 1);
  if (G == 8 && g == 7) return 1 + j;
  if (G == 8 && g == 1) return 60 + 8 * j;
  return (1 << (6 - g)) + (1 << (7 - g)) * j;
}

int GenerationOfSlot(int s) {
  int g = 0;
  while ((2 << g) - 1 <= s) ++g;
  return g;
}

// ---- Columns ----

// With W = 20 a text stands at its table column, plus the half cell per
// step number that keeps it in line with the brackets (none for the base of
// seven and the parents of eight).
TEST(BirthBriefDraw, NarrowestChartUsesTheTableColumns) {
  const int text7[] = {4, 4, 29, 54, 79, 105, 132};
  const int half7[] = {0, 0, 1, 2, 3, 4, 5};
  const int text8[] = {29, 4, 6, 31, 56, 81, 106, 131};
  const int half8[] = {1, 0, 0, 1, 2, 3, 4, 5};
  for (int G : {7, 8}) {
    Chart c(FullTables(), G, 20);
    for (int g = 0; g < G; ++g) {
      const int x = c.TextX((1 << g) - 1);
      const int expected =
          G == 7 ? text7[g] * kCw + half7[g] * kCw / 2 : text8[g] * kCw + half8[g] * kCw / 2;
      EXPECT_EQ(x, expected) << "G " << G << " g " << g;
    }
  }
}

TEST(BirthBriefDraw, WidestChartMovesEachGenerationElevenColumnsFurther) {
  for (int G : {7, 8}) {
    Chart narrow(FullTables(), G, 20);
    Chart wide(FullTables(), G, 31);
    int previousMove = 0;
    // From the first generation whose step number is 1 onwards.
    const int firstStepped = G == 7 ? 2 : 3;
    for (int g = firstStepped; g < G; ++g) {
      const int s = (1 << g) - 1;
      const int move = wide.TextX(s) - narrow.TextX(s);
      EXPECT_EQ(move % kCw, 0);
      if (g > firstStepped) {
        EXPECT_EQ(move - previousMove, 11 * kCw) << "G " << G << " g " << g;
      }
      previousMove = move;
    }
    // The base of seven and the parents of eight stay where the table puts them.
    const int fixed = G == 7 ? 0 : 1;
    EXPECT_EQ(wide.TextX(fixed), narrow.TextX(fixed));
  }
}

TEST(BirthBriefDraw, MarginsShiftEverything) {
  Chart plain(FullTables(), 8, 23);
  Chart margins(FullTables(), 8, 23, BirthBriefPage{0, 0, 3, 0, 5, 0});
  for (std::size_t i = 0; i < plain.items.size(); ++i) {
    const ItemPlacement a = plain.Place(plain.items[i]);
    const ItemPlacement b = margins.Place(margins.items[i]);
    EXPECT_EQ(b.x - a.x, 5 * kCw);
    EXPECT_EQ(b.y - a.y, 3 * kCh);
  }
}

// ---- Lines meet ----

// Every couple's bracket: both partners' connectors touch the father's
// vertical line, which runs from the father's connector to the mother's,
// and the child's connector towards its parents ends on it.
TEST(BirthBriefDraw, BracketsJoinChildrenToParents) {
  for (int G : {7, 8})
    for (int W : {20, 23, 31}) {
      Chart c(FullTables(), G, W);
      const int slots = G == 7 ? 127 : 255;
      for (int father = 1; father < slots; father += 2) {
        const int g = GenerationOfSlot(father);
        const int rf = SlotLine(father, G);
        const int rm = SlotLine(father + 1, G);
        const BirthBriefItem* top = c.Find(g, rf + 1, kItemVertical);
        const BirthBriefItem* bottom = c.Find(g, rm, kItemVertical);
        ASSERT_TRUE(top && bottom) << "G " << G << " father " << father;
        const ItemPlacement vt = c.Place(*top);
        const ItemPlacement vb = c.Place(*bottom);
        ASSERT_EQ(vt.x, vb.x);
        const int yTop = vt.y, yBottom = vb.y + vb.length;
        for (int partner : {father, father + 1}) {
          const int r = SlotLine(partner, G);
          const BirthBriefItem* conn = c.Find(g, r + 1, kItemConnector, kTowardsSiblings);
          ASSERT_TRUE(conn) << partner;
          const ItemPlacement p = c.Place(*conn);
          EXPECT_TRUE(p.x == vt.x || p.x + p.length == vt.x)
              << "G " << G << " W " << W << " slot " << partner;
          EXPECT_TRUE(p.y == yTop || p.y == yBottom) << partner;
          // The partner's name stands clear of the connector.
          const int tx = c.TextX(partner);
          EXPECT_TRUE(tx >= p.x + p.length || tx + W * kCw <= p.x) << partner;
        }
        const int child = (father - 1) / 2;
        const int gc = GenerationOfSlot(child);
        const int rc = SlotLine(child, G);
        ItemPlacement link;
        if (gc == 0) {
          link = c.Place(*c.Find(0, rc + 1, kItemConnector, kTowardsSiblings));
          EXPECT_EQ(link.x, vt.x) << "base, G " << G;
        } else if (G == 8 && gc == 1) {
          // The parents of eight reach their parents through the connecting column.
          link = c.Place(*c.Find(1, rc + 1, kItemConnector, kTowardsParents));
          const ItemPlacement column = c.Place(*c.Find(kConnectingColumn, 40, kItemVertical));
          EXPECT_EQ(link.x, column.x);
          const int join = child == 1 ? 33 : 97;
          const ItemPlacement across =
              c.Place(*c.Find(kConnectingColumn, join, kItemConnector, kTowardsSiblings));
          EXPECT_EQ(across.x, column.x);
          EXPECT_EQ(across.x + across.length, vt.x);
          EXPECT_TRUE(across.y > yTop && across.y < yBottom);
          continue;
        } else {
          link = c.Place(*c.Find(gc, rc + 1, kItemConnector, kTowardsParents));
          EXPECT_EQ(link.x + link.length, vt.x) << "G " << G << " W " << W << " child " << child;
          EXPECT_GE(link.x, c.TextX(child) + W * kCw) << child;
        }
        EXPECT_TRUE(link.y >= yTop && link.y <= yBottom) << "child " << child;
      }
    }
}

TEST(BirthBriefDraw, VerticalSegmentsOfALineTouch) {
  Chart c(FullTables(), 7, 23);
  for (int ch : {12, 13}) {
    const ItemPlacement a = PlaceBirthBriefItem(c.in, *c.Find(1, 40, kItemVertical), kCw, ch);
    const ItemPlacement b = PlaceBirthBriefItem(c.in, *c.Find(1, 41, kItemVertical), kCw, ch);
    EXPECT_EQ(a.y + a.length, b.y) << ch;
  }
}

// ---- Paper ----

TEST(BirthBriefDraw, PaperNarrowerThanSixColumnsPlus34DrawsNothing) {
  // W = 23 needs 6 * 23 + 34 = 172 usable columns.
  Chart c(FullTables(), 8, 23, BirthBriefPage{181, 140, 0, 0, 5, 5});
  CellRecorder rec(kCw, kCh);
  EXPECT_EQ(DrawBirthBrief(c.in, rec, kCw, kCh, 0, 0), 52);
  EXPECT_TRUE(rec.items().empty());
  c.in.page.pageColumns = 182;
  CellRecorder rec2(kCw, kCh);
  EXPECT_EQ(DrawBirthBrief(c.in, rec2, kCw, kCh, 0, 0), 0);
  EXPECT_FALSE(rec2.items().empty());
}

TEST(BirthBriefDraw, ItemBelowThePaperEndsTheDrawing) {
  // 8 generations reach line 128; with a top margin of 5 that is line 133.
  Chart c(FullTables(), 8, 20, BirthBriefPage{200, 132, 5, 0, 0, 0});
  CellRecorder rec(kCw, kCh);
  EXPECT_EQ(DrawBirthBrief(c.in, rec, kCw, kCh, 0, 0), 52);
  EXPECT_FALSE(rec.items().empty());
  EXPECT_LT(rec.items().size(), c.items.size());
  // The screen has no paper.
  CellRecorder screen(kCw, kCh);
  EXPECT_EQ(DrawBirthBrief(c.in, screen, kCw, kCh, 1, 1), 0);
}

TEST(BirthBriefDraw, PenIsScaledOnScreen) {
  Chart c(FullTables(), 7, 20, BirthBriefPage{300, 200, 0, 0, 0, 0});
  c.in.lineWidth = 6;
  c.in.printerLineHeight = 50;
  CellRecorder paper(kCw, kCh);
  ASSERT_EQ(DrawBirthBrief(c.in, paper, kCw, kCh, 0, 0), 0);
  CellRecorder screen(kCw, kCh);
  ASSERT_EQ(DrawBirthBrief(c.in, screen, 25, 100, 1, 1), 0);
  for (const auto& it : paper.items())
    if (it.kind != CellRecorder::Kind::kText) {
      EXPECT_EQ(it.pen.width, 6);
      break;
    }
  for (const auto& it : screen.items())
    if (it.kind != CellRecorder::Kind::kText) {
      EXPECT_EQ(it.pen.width, 12);
      break;
    }
}

}  // namespace
}  // namespace dv
