#include "charts/full/FullChartStraighten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartSelect.h"
#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

TEST(CrossingPenalty, RunsOfReversedLinksCostTheirTriangle) {
  EXPECT_EQ(CrossingPenalty({}), 0);
  EXPECT_EQ(CrossingPenalty({5}), 0);
  EXPECT_EQ(CrossingPenalty({1, 2, 2, 9}), 0);
  EXPECT_EQ(CrossingPenalty({2, 1}), 1 + 2);
  EXPECT_EQ(CrossingPenalty({3, 2, 1}), 1 + 2 + 3);
  EXPECT_EQ(CrossingPenalty({2, 1, 4, 3}), 3 + 3);
  EXPECT_EQ(CrossingPenalty({9, 1, 5, 4, 3, 8}), 3 + 6);
}

// The penalty kept over the changed window always equals a full recount,
// whatever the changes (moves of one link or of a stretch of neighbours).
TEST(CrossingPenalty, WindowUpdatesMatchAFullRecount) {
  std::mt19937 rng(11);
  for (int trial = 0; trial < 200; ++trial) {
    const int n = 1 + int(rng() % 40);
    std::vector<int> ends(static_cast<std::size_t>(n), 0);
    for (int& v : ends) v = int(rng() % 30);
    PairPenalty p(ends);
    ASSERT_EQ(p.total(), CrossingPenalty(ends));
    for (int step = 0; step < 30; ++step) {
      const std::size_t from = rng() % std::size_t(n);
      const std::size_t count = 1 + rng() % 4;
      const int shift = int(rng() % 21) - 10;
      long long before = p.total();
      for (std::size_t i = from; i < std::min<std::size_t>(from + count, std::size_t(n)); ++i) {
        ends[i] += shift;
        p.Set(i, ends[i]);
      }
      const long long delta = p.Commit();
      ASSERT_EQ(p.total(), CrossingPenalty(ends)) << "trial " << trial << " step " << step;
      ASSERT_EQ(before + delta, p.total());
    }
  }
}

TEST(FitRowToPagesAcross, AStraddlingGroupStartsOneColumnIntoTheNextPage) {
  FullChartStorage s;
  ASSERT_TRUE(s.Allocate(4, 3));
  s.families[1].width = 10;
  s.families[2].width = 10;
  s.families[3].width = 10;
  s.families[1].column = 1;
  s.families[2].column = 15;  // 14..24 crosses the boundary at 20
  s.families[3].column = 40;  // far enough: stays
  s.rowGroups[201] = {1, 2, 3};
  FitRowToPagesAcross(s, 201, 20);
  EXPECT_EQ(s.families[1].column, 1);
  EXPECT_EQ(s.families[2].column, 21);
  EXPECT_EQ(s.families[3].column, 41);  // pushed to the next page's start
}

// Straightening keeps every row's order and spacing for descendant and
// all-relatives charts of a family with several branches.
TEST(Straighten, RowsKeepOrderAndSpacingAndAParentGroupIsCentredOverItsChildren) {
  testing::GedcomBuilder b;
  const int root = b.Person("Root /R/", 1);
  std::vector<int> kids;
  for (int k = 0; k < 4; ++k) kids.push_back(b.Person("Kid" + std::to_string(k) + " /R/", 1));
  b.Family(root, b.Person("Wife /W/", 0), kids);
  for (int k = 0; k < 4; ++k) {
    std::vector<int> grand;
    for (int j = 0; j < k + 1; ++j)
      grand.push_back(b.Person("Grand" + std::to_string(k) + std::to_string(j) + " /R/", 0));
    b.Family(kids[std::size_t(k)], b.Person("Spouse" + std::to_string(k) + " /S/", 0), grand);
  }
  RecordStore store;
  b.LoadInto(store);
  FullChartStorage s;
  FullChartOptions o;
  o.people = People::kDescendants;
  o.noPageBreaks = true;
  FullChartPage page;
  FullChartExtent e;
  ASSERT_TRUE(s.Allocate(store.IndividualCount(), store.FamilyCount()));
  ASSERT_TRUE(SelectFamilies(store, root, o, s).ok());
  TreeStyle tree(store, o, s);
  ASSERT_TRUE(LayOutRows(tree, o, page, s, e).ok());
  for (int g = s.lowest; g <= s.highest; ++g) {
    int prevEnd = -1000;
    for (std::int32_t id : s.rowGroups[std::size_t(g)]) {
      EXPECT_GE(GroupColumn(s, id), prevEnd + 2);
      EXPECT_GE(GroupColumn(s, id), page.chartLeft + 1);
      prevEnd = GroupColumn(s, id) + GroupWidth(s, id);
    }
  }
  // The sons' families stand side by side, wider than the parents' group:
  // the parents' group is centred over them, so its lines lean as much to
  // the left as to the right.
  long long lean = 0;
  int lines = 0;
  for (std::size_t i = 1; i < s.descendantLinks.size(); ++i) {
    const DescentLink& l = s.descendantLinks[i];
    if (l.flag == kLinkWithdrawn) continue;
    lean += LowerColumn(s, tree, l) - UpperColumn(s, tree, l);
    ++lines;
  }
  EXPECT_EQ(lines, 4);
  EXPECT_LE(std::abs(lean), 4 * lines);
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// A chart of one row, and one whose widest row is its lowest: the passes'
// row ranges stay within the chart's rows.
TEST(Straighten, OneRowAndAWidestLowestRowStayWithinTheRows) {
  testing::GedcomBuilder b;
  const int base = testing::Pedigree(b, 4);
  RecordStore store;
  b.LoadInto(store);
  FullChartOptions o;
  o.people = People::kAncestors;
  o.maxAncestors = 1;
  FullChartPage page;
  FullChart chart;
  ASSERT_TRUE(chart.Run(store, base, o, page).ok());
  EXPECT_EQ(chart.Storage()->lowest, chart.Storage()->highest);
  EXPECT_EQ(testing::ChartFaults(chart), "");

  testing::GedcomBuilder wide;
  const int root = wide.Person("Root /R/", 1);
  std::vector<int> kids;
  for (int k = 0; k < 8; ++k) kids.push_back(wide.Person("Child" + std::to_string(k) + " /R/", 1));
  wide.Family(root, wide.Person("Wife /W/", 0), kids);
  for (int k = 0; k < 8; ++k)
    wide.Family(kids[std::size_t(k)], wide.Person("Spouse /S/", 0), {wide.Person("G /R/", 0)});
  wide.LoadInto(store);
  o.people = People::kDescendants;
  ASSERT_TRUE(chart.Run(store, root, o, page).ok());
  EXPECT_EQ(testing::ChartFaults(chart), "");
}

}  // namespace
}  // namespace dv

namespace dv {
namespace {

// The grandmother's parents are also the mother's: the mother's line runs
// from their group (203) through a placeholder at 202 down to her.
class PlaceholderRuns : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::GedcomBuilder b;
    base = b.Person("Base /Person/", 0);
    const int father = b.Person("Father /A/", 1);
    const int mother = b.Person("Mother /B/", 0);
    b.Family(father, mother, {base});
    const int gm = b.Person("Grandmother /C/", 0);
    b.Family(b.Person("Grandfather /A/", 1), gm, {father});
    b.Family(b.Person("Old /B/", 1), b.Person("Old /Wife/", 0), {gm, mother});
    b.LoadInto(store);
    o.people = People::kAncestors;
    ASSERT_TRUE(s.Allocate(store.IndividualCount(), store.FamilyCount()));
    ASSERT_TRUE(SelectFamilies(store, base, o, s).ok());
  }
  RecordStore store;
  FullChartStorage s;
  FullChartOptions o;
  FullChartPage page;
  FullChartExtent e;
  int base = 0;
};

TEST_F(PlaceholderRuns, TheRowARepeatedFamilysLineCrossesIsMarked) {
  TreeStyle tree(store, o, s);
  ASSERT_TRUE(LayOutRows(tree, o, page, s, e).ok());
  EXPECT_FALSE(s.rows[203].repeatedLinks);
  EXPECT_TRUE(s.rows[202].repeatedLinks);
  EXPECT_FALSE(s.rows[201].repeatedLinks);
  for (std::int32_t id : s.rowGroups[202]) {
    if (id < 0) {
      EXPECT_EQ((GroupColumn(s, id) - 1) / e.usableColumns,
                (GroupColumn(s, id) + 1) / e.usableColumns);
    }
  }
}

TEST_F(PlaceholderRuns, APlaceholderMissingFromItsRowIsAnErrorInLkl) {
  auto& row = s.rowGroups[202];
  const auto holder = std::find_if(row.begin(), row.end(), [](std::int32_t id) { return id < 0; });
  ASSERT_NE(holder, row.end());
  row.erase(holder);
  TreeStyle tree(store, o, s);
  const ChartStatus st = LayOutRows(tree, o, page, s, e);
  ASSERT_FALSE(st.ok());
  EXPECT_EQ(st.messages.front(), (ChartMessage{kMsgFcErrorIn, "lkl"}));
}

}  // namespace
}  // namespace dv
