#include "charts/selective/BirthBriefLayout.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace dv {
namespace {

// Compares text with a golden file under testdata/birthbrief; with
// DORVANE_UPDATE_GOLDEN set in the environment the file is rewritten instead.
void ExpectGolden(const std::string& name, const std::string& text) {
  const std::string path = std::string(DORVANE_TESTDATA) + "/birthbrief/" + name;
  if (std::getenv("DORVANE_UPDATE_GOLDEN") != nullptr) {
    std::ofstream(path, std::ios::binary) << text;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "missing golden file " << path;
  std::stringstream golden;
  golden << in.rdbuf();
  EXPECT_EQ(text, golden.str()) << "golden file " << path;
}

BirthBriefOptions Options(int generations) {
  BirthBriefOptions o;
  o.generations = generations;
  return o;
}

std::vector<BirthBriefItem> Layout(const BirthBriefTables& t, const BirthBriefOptions& o) {
  std::vector<BirthBriefItem> items;
  EXPECT_EQ(LayoutBirthBrief(t, o, items), 0);
  return items;
}

// Tables with a name in every slot and every detail row filled.
BirthBriefTables FullTables() {
  BirthBriefTables t;
  for (int s = 0; s < kNameRows; ++s) {
    t.SetName(s, " Person " + std::to_string(s + 1));
    t.SetRef(s, s + 1);
  }
  for (int s = 0; s < kDetailSlots; ++s) {
    t.SetDetail(s, "b B" + std::to_string(s + 1));
    t.SetDetail(kDeathRowBase + s, "d D" + std::to_string(s + 1));
  }
  for (int s = 0; s < kOccupationSlots; ++s)
    t.SetDetail(kOccupationRowBase + s, " O" + std::to_string(s + 1));
  return t;
}

std::set<int> GenerationsWithDetails(const std::vector<BirthBriefItem>& items) {
  std::set<int> gens;
  for (const auto& it : items)
    if (it.kind == kItemText && it.source < 0) gens.insert(it.generation);
  return gens;
}

const BirthBriefItem* Find(const std::vector<BirthBriefItem>& items, int kind, int source) {
  for (const auto& it : items)
    if (it.kind == kind && it.source == source) return &it;
  return nullptr;
}

// ---- Whole lists ----

TEST(BirthBriefLayoutGolden, BaseWithoutAncestorsSevenGenerations) {
  BirthBriefTables t;
  t.SetName(0, " Ann Base");
  t.SetRef(0, 1);
  t.SetDetail(0, "b Bath,1900");
  t.SetDetail(kDeathRowBase, "d 1950");
  t.SetDetail(kOccupationRowBase, " Weaver");
  ExpectGolden("layout-base-only-7.txt", FormatBirthBriefList(Layout(t, Options(7)), t));
}

TEST(BirthBriefLayoutGolden, BaseWithoutAncestorsEightGenerationsNoDetails) {
  BirthBriefTables t;
  t.SetName(0, " Ann Base");
  t.SetRef(0, 1);
  BirthBriefOptions o = Options(8);
  o.addBirthDeath = false;
  ExpectGolden("layout-base-only-8.txt", FormatBirthBriefList(Layout(t, o), t));
}

// ---- Positions ----

TEST(BirthBriefLayout, FirstThreeGenerationsAreAlwaysDrawn) {
  BirthBriefTables t;
  t.SetName(0, " Ann Base");
  for (int G : {7, 8}) {
    const auto items = Layout(t, Options(G));
    for (int s = 0; s < 7; ++s) EXPECT_NE(Find(items, kItemText, s), nullptr) << s;
    EXPECT_EQ(Find(items, kItemText, 7), nullptr);
  }
}

TEST(BirthBriefLayout, EveryPositionStandsOnItsLine) {
  const BirthBriefTables t = FullTables();
  for (int G : {7, 8}) {
    const auto items = Layout(t, Options(G));
    int names = 0;
    for (const auto& it : items) {
      if (it.kind != kItemText || it.source < 0) continue;
      ++names;
      const int s = it.source;
      int g = 0;
      while ((2 << g) - 1 <= s) ++g;
      const int j = s - ((1 << g) - 1);
      int expected;
      if (G == 8 && g == 7)
        expected = 1 + j;
      else if (G == 8 && g == 1)
        expected = 60 + 8 * j;
      else
        expected = (1 << (6 - g)) + (1 << (7 - g)) * j;
      EXPECT_EQ(it.generation, g) << "slot " << s;
      EXPECT_EQ(it.line, expected) << "slot " << s << " of " << G;
    }
    EXPECT_EQ(names, G == 7 ? 127 : 255);
  }
}

TEST(BirthBriefLayout, ShowAllLinesDrawsEveryEmptyPosition) {
  BirthBriefTables t;
  t.SetName(0, " Ann Base");
  BirthBriefOptions o = Options(8);
  o.showAllLines = true;
  const auto items = Layout(t, o);
  int names = 0, siblingConnectors = 0, parentConnectors = 0;
  for (const auto& it : items) {
    if (it.kind == kItemText && it.source >= 0) ++names;
    if (it.kind == kItemConnector && it.generation < 8)
      (it.source == kTowardsSiblings ? siblingConnectors : parentConnectors)++;
  }
  EXPECT_EQ(names, 255);
  EXPECT_EQ(siblingConnectors, 255);
  EXPECT_EQ(parentConnectors, 255 - 1 - 128);  // neither the base nor the last generation
}

TEST(BirthBriefLayout, ListIsSortedByLineKindAndGeneration) {
  const auto items = Layout(FullTables(), Options(8));
  for (std::size_t i = 1; i < items.size(); ++i) {
    const auto& a = items[i - 1];
    const auto& b = items[i];
    const bool ordered = a.line < b.line ||
                         (a.line == b.line &&
                          (a.kind < b.kind || (a.kind == b.kind && a.generation <= b.generation)));
    ASSERT_TRUE(ordered) << "item " << i;
  }
}

TEST(BirthBriefLayout, FullEightGenerationChartFitsTheList) {
  const auto items = Layout(FullTables(), Options(8));
  EXPECT_LE(int(items.size()), kBirthBriefMaxItems);
}

// ---- Connectors ----

TEST(BirthBriefLayout, CoupleIsJoinedWhenOnlyTheMotherIsKnown) {
  BirthBriefTables t;
  t.SetName(0, " Ann Base");
  t.SetName(8, " Mother Of Four");  // slot 8: mother of slot 3, generation index 3
  const auto items = Layout(t, Options(7));
  // The father (slot 7) is not drawn but gets his connector and the
  // vertical segments down to the mother's line.
  EXPECT_EQ(Find(items, kItemText, 7), nullptr);
  int fatherConnectors = 0, verticals = 0;
  for (const auto& it : items) {
    if (it.generation != 3) continue;
    if (it.kind == kItemConnector && it.line == 9) ++fatherConnectors;  // slot 7 on line 8
    if (it.kind == kItemVertical && it.line >= 9 && it.line <= 24) ++verticals;
  }
  EXPECT_EQ(fatherConnectors, 1);
  EXPECT_EQ(verticals, 16);
  // The grandparent (slot 3, line 16) points towards its parents.
  int towardsParents = 0;
  for (const auto& it : items)
    if (it.generation == 2 && it.kind == kItemConnector && it.source == kTowardsParents &&
        it.line == 17)
      ++towardsParents;
  EXPECT_EQ(towardsParents, 1);
}

TEST(BirthBriefLayout, LastGenerationHasNoConnectorsTowardsParents) {
  for (int G : {7, 8}) {
    BirthBriefOptions o = Options(G);
    o.showAllLines = true;
    for (const auto& it : Layout(BirthBriefTables{}, o))
      EXPECT_FALSE(it.kind == kItemConnector && it.source == kTowardsParents &&
                   (it.generation == G - 1 || it.generation == 0));
  }
}

TEST(BirthBriefLayout, EightGenerationConnectingColumn) {
  const auto items = Layout(BirthBriefTables{}, Options(8));
  std::vector<int> verticalLines, connectorLines;
  for (const auto& it : items) {
    if (it.generation != kConnectingColumn) continue;
    (it.kind == kItemVertical ? verticalLines : connectorLines).push_back(it.line);
  }
  ASSERT_EQ(verticalLines.size(), 56u);
  EXPECT_EQ(verticalLines.front(), 33);
  EXPECT_EQ(verticalLines.back(), 96);
  EXPECT_EQ(connectorLines, (std::vector<int>{33, 97}));
  EXPECT_TRUE(Layout(BirthBriefTables{}, Options(7)).size() > 0);
  for (const auto& it : Layout(BirthBriefTables{}, Options(7)))
    EXPECT_NE(it.generation, kConnectingColumn);
}

// ---- Detail lines ----

TEST(BirthBriefLayout, ExclusionOptionsChooseTheGenerationsWithDetails) {
  struct Case {
    bool exclude12, exclude6;
    std::set<int> gens;
  };
  const Case cases[] = {{false, false, {0, 1, 2, 3, 4, 5}},
                        {false, true, {0, 1, 2, 3, 4}},
                        {true, false, {2, 3, 4, 5}},
                        {true, true, {2, 3, 4}}};
  for (const Case& c : cases)
    for (int G : {7, 8}) {
      BirthBriefOptions o = Options(G);
      o.excludeGen12 = c.exclude12;
      o.excludeGen6 = c.exclude6;
      EXPECT_EQ(GenerationsWithDetails(Layout(FullTables(), o)), c.gens)
          << c.exclude12 << c.exclude6 << " G=" << G;
    }
}

TEST(BirthBriefLayout, NoDetailsWithoutBirthAndDeathData) {
  BirthBriefOptions o = Options(8);
  o.addBirthDeath = false;
  EXPECT_TRUE(GenerationsWithDetails(Layout(FullTables(), o)).empty());
}

TEST(BirthBriefLayout, OccupationStandsBelowTheNameUpToGenerationIndexFour) {
  const auto items = Layout(FullTables(), Options(7));
  // Slot 30 (generation index 4, line 124): occupation, birth, death.
  const BirthBriefItem* occ = Find(items, kItemText, -201 - 30);
  const BirthBriefItem* birth = Find(items, kItemText, -1 - 30);
  const BirthBriefItem* death = Find(items, kItemText, -101 - 30);
  ASSERT_TRUE(occ && birth && death);
  EXPECT_EQ(occ->line, 125);
  EXPECT_EQ(birth->line, 126);
  EXPECT_EQ(death->line, 127);
  // Slot 31 (generation index 5, line 2): birth and death only.
  EXPECT_EQ(Find(items, kItemText, -201 - 31), nullptr);
  EXPECT_EQ(Find(items, kItemText, -1 - 31)->line, 3);
  EXPECT_EQ(Find(items, kItemText, -101 - 31)->line, 4);
}

TEST(BirthBriefLayout, TwoDetailLinesWithoutOccupations) {
  BirthBriefOptions o = Options(7);
  o.addOccupation = false;
  const auto items = Layout(FullTables(), o);
  EXPECT_EQ(Find(items, kItemText, -1 - 0)->line, 65);
  EXPECT_EQ(Find(items, kItemText, -101 - 0)->line, 66);
  for (const auto& it : items) EXPECT_FALSE(it.kind == kItemText && it.source <= -201);
}

TEST(BirthBriefLayout, LastGenerationOfEightHasNoDetails) {
  for (const auto& it : Layout(FullTables(), Options(8)))
    EXPECT_FALSE(it.generation >= 6 && it.kind == kItemText && it.source < 0);
}

// ---- Extent ----

TEST(BirthBriefExtent, ChartIsAtLeastOnePage) {
  BirthBriefPage p{150, 120, 2, 3, 4, 5};
  BirthBriefExtent e = BirthBriefExtentFor(p);
  EXPECT_EQ(e.usableColumns, 141);
  EXPECT_EQ(e.usableLines, 115);
  EXPECT_EQ(e.chartColumns, 164);
  EXPECT_EQ(e.chartLines, 132);
  p.pageColumns = 300;
  p.pageLines = 200;
  e = BirthBriefExtentFor(p);
  EXPECT_EQ(e.chartColumns, 300);
  EXPECT_EQ(e.chartLines, 200);
}

}  // namespace
}  // namespace dv
