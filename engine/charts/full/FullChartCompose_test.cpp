#include "charts/full/FullChartCompose.h"

#include <gtest/gtest.h>

#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

class Compose : public ::testing::Test {
 protected:
  ChartStatus Run(const GedcomBuilder& b, int base) {
    b.LoadInto(store);
    return chart.Run(store, base, o, page);
  }
  const FullChartStorage& S() const { return *chart.Storage(); }
  RecordStore store;
  FullChart chart;
  FullChartOptions o;
  FullChartPage page;
};

TEST(ComposeTitle, TitleTextsFollowThePeopleOption) {
  EXPECT_EQ(OneLineTitle(People::kAll, "Ann Smith"), "Relatives of Ann Smith");
  EXPECT_EQ(OneLineTitle(People::kAncestors, "Ann van_Dyke"), "Ancestors of Ann van Dyke");
  std::string lines[3];
  ThreeLineTitle(People::kDescendants, "Ann Smith", lines);
  EXPECT_EQ(lines[0], "Descendants");
  EXPECT_EQ(lines[1], "of");
  EXPECT_EQ(lines[2], "Ann Smith");
}

TEST_F(Compose, LinesAreCutAtPageBoundariesWithoutLosingAPiece) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 4);
  int continued = 0;
  for (int lines = 13; lines <= 40; ++lines) {
    page.pageLines = lines;
    page.pageColumns = 80;
    ASSERT_TRUE(Run(b, base).ok()) << lines;
    EXPECT_EQ(testing::ChartFaults(chart), "") << lines;
    const int V = chart.Extent().usableLines;
    for (const DisplayItem& it : S().items) {
      if (it.kind != kFcVerticalContinued) continue;
      ++continued;
      // It starts a page, and the piece above ends where it starts.
      EXPECT_EQ(it.line % V, 0);
      bool joined = false;
      for (const DisplayItem& up : S().items)
        joined = joined || ((up.kind == kFcVertical || up.kind == kFcVerticalContinued) &&
                            up.column == it.column && up.line + up.length == it.line);
      EXPECT_TRUE(joined) << "line at column " << it.column << " from " << it.line;
    }
  }
  EXPECT_GT(continued, 0);
}

TEST_F(Compose, ItemsAreGroupedByPageInPageOrder) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 4);
  page.pageColumns = 90;
  page.pageLines = 30;
  ASSERT_TRUE(Run(b, base).ok());
  const auto& list = chart.Composed().pageList;
  ASSERT_GT(list.size(), 1u);
  for (std::size_t k = 0; k < list.size(); ++k) {
    if (k > 0) {
      EXPECT_GT(list[k].page, list[k - 1].page);
    }
    const std::size_t end =
        k + 1 < list.size() ? std::size_t(list[k + 1].firstItem) : S().items.size();
    for (std::size_t i = std::size_t(list[k].firstItem); i < end; ++i)
      EXPECT_EQ(S().items[i].page, list[k].page);
  }
  EXPECT_EQ(chart.pageCount(), int(list.size()));
}

TEST_F(Compose, BlankPagesAreCountedWhenTheyAreNumbered) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 4);
  page.pageColumns = 90;
  page.pageLines = 30;
  o.pageNumbers = 3;
  ASSERT_TRUE(Run(b, base).ok());
  EXPECT_EQ(chart.pageCount(), chart.Extent().pagesAcross * chart.Extent().pagesDown);
}

TEST_F(Compose, ImageOrderIsByLineAndPageOrderComesBack) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 3);
  page.pageColumns = 70;
  ASSERT_TRUE(Run(b, base).ok());
  const std::vector<PageListEntry> before = chart.Composed().pageList;
  chart.Reorder(true);
  for (std::size_t i = 1; i < S().items.size(); ++i)
    EXPECT_LE(S().items[i - 1].line, S().items[i].line);
  chart.Reorder(false);
  ASSERT_EQ(chart.Composed().pageList.size(), before.size());
  for (std::size_t k = 0; k < before.size(); ++k)
    EXPECT_EQ(chart.Composed().pageList[k].firstItem, before[k].firstItem);
}

TEST_F(Compose, TheStripPlanCoversTheChartInAtMost200Strips) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 6);
  o.noPageBreaks = true;
  ASSERT_TRUE(Run(b, base).ok());
  for (int cell : {1, 7, 30}) {
    const std::vector<int> plan = chart.StripPlan(cell, cell * 2);
    ASSERT_GE(plan.size(), 2u);
    EXPECT_LE(plan.size(), 200u);
    EXPECT_EQ(plan.front(), 0);
    EXPECT_EQ(plan.back(), chart.Extent().chartLines);
    for (std::size_t i = 1; i < plan.size(); ++i) EXPECT_LT(plan[i - 1], plan[i]);
  }
  // Tiny strips would need thousands of cuts: the plan makes them taller.
  std::vector<int> many = FullChartStripPlan(S(), chart.Extent(), {}, 2000, 2000);
  EXPECT_LE(many.size(), 200u);
  EXPECT_EQ(many.back(), chart.Extent().chartLines);
}

}  // namespace
}  // namespace dv
