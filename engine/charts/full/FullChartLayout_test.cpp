#include "charts/full/FullChartLayout.h"

#include <gtest/gtest.h>

#include "charts/full/FullChartSelect.h"
#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"

namespace dv {
namespace {

using testing::GedcomBuilder;

class Layout : public ::testing::Test {
 protected:
  ChartStatus Run(const GedcomBuilder& b, int base) {
    b.LoadInto(store);
    EXPECT_TRUE(s.Allocate(store.IndividualCount(), store.FamilyCount()));
    EXPECT_TRUE(SelectFamilies(store, base, o, s).ok());
    TreeStyle tree(store, o, s);
    return LayOutRows(tree, o, page, s, e);
  }
  RecordStore store;
  FullChartStorage s;
  FullChartOptions o;
  FullChartPage page;
  FullChartExtent e;
};

TEST_F(Layout, NoGroupStraddlesAPageAndNoPageColumnIsEmpty) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 5);
  page.pageColumns = 70;
  page.pageLines = 30;
  ASSERT_TRUE(Run(b, base).ok());
  const int U = e.usableColumns, V = e.usableLines;
  std::vector<int> perPageColumn(std::size_t(e.pagesAcross), 0);
  for (int g = s.highest; g >= s.lowest; --g) {
    const GenerationRow& row = s.rows[std::size_t(g)];
    EXPECT_EQ(row.line / V, (row.line + row.height + 1) / V) << "row " << g;
    int previousEnd = -2;
    for (std::int32_t id : s.rowGroups[std::size_t(g)]) {
      const int col = GroupColumn(s, id), width = GroupWidth(s, id);
      EXPECT_EQ((col - 1) / U, (col + width - 1) / U) << "group " << id;
      EXPECT_GE(col, previousEnd + 2);
      previousEnd = col + width;
      ASSERT_LT(col / U, e.pagesAcross);
      ++perPageColumn[std::size_t(col / U)];
    }
  }
  for (int n : perPageColumn) EXPECT_GT(n, 0);
}

TEST_F(Layout, WithoutPageBreaksTheChartIsOnePage) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 6);
  page.pageColumns = 50;
  page.pageLines = 20;
  o.noPageBreaks = true;
  ASSERT_TRUE(Run(b, base).ok());
  EXPECT_EQ(e.pagesAcross, 1);
  EXPECT_EQ(e.pagesDown, 1);
  EXPECT_GT(e.chartColumns, 50);
}

TEST_F(Layout, CentreMovesRowsByHalfTheSpareAndSixLinesAPage) {
  // Rows of one generation each: 5 rows of 10 lines (the lowest 7 + 2)
  // on pages of 30 lines: 2 pages, 10 spare lines with a bottom margin.
  GedcomBuilder b;
  const int base = b.Person("Base /B/", 0);
  int child = base;
  for (int g = 0; g < 5; ++g) {
    const int father = b.Person("F" + std::to_string(g) + " /B/", 1);
    b.Family(father, b.Person("M /B/", 0), {child});
    child = father;
  }
  o.people = People::kAncestors;
  page.pageLines = 30;
  page.chartBottom = 0;
  ASSERT_TRUE(Run(b, base).ok());
  const int top = s.rows[std::size_t(s.highest)].line;
  EXPECT_EQ(e.pagesDown, 2);
  // Content 4 x 10 + 7 + 2 = 49 lines: spare 60 - 49 = 11.
  o.alignment = 1;
  s.Release();
  ASSERT_TRUE(Run(b, base).ok());
  EXPECT_EQ(s.rows[std::size_t(s.highest)].line, (11 + 6) / 2);
  EXPECT_EQ(top, 11);
}

TEST_F(Layout, AGroupWiderThanThePageEndsTheRun) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 1);
  page.pageColumns = 20;
  const ChartStatus st = Run(b, base);
  ASSERT_FALSE(st.ok());
  EXPECT_EQ(st.first(), kMsgFcWiderThanPage);
}

TEST_F(Layout, APageWithoutRoomIsRefused) {
  GedcomBuilder b;
  const int base = testing::Pedigree(b, 1);
  page.pageColumns = 10;
  page.marginLeft = 6;
  page.marginRight = 6;
  const ChartStatus st = Run(b, base);
  EXPECT_EQ(st.first(), 52);  // "Paper/printing area too small"
}

TEST_F(Layout, ALineOfFathersDropsStraight) {
  GedcomBuilder b;
  const int base = b.Person("Base /B/", 0);
  int child = base;
  for (int g = 0; g < 4; ++g) {
    const int father = b.Person("Father Number" + std::to_string(g) + " /Bell/", 1);
    const int sister = b.Person("Aunt Agatha /Bell/", 0);
    b.Family(father, b.Person("M /B/", 0), {sister, child});
    child = father;
  }
  o.noPageBreaks = true;
  ASSERT_TRUE(Run(b, base).ok());
  // Each man's parents' group stands so that his slot is above his name.
  TreeStyle tree(store, o, s);
  ASSERT_EQ(s.ancestralLinks.size(), 4u);
  for (std::size_t i = 1; i < s.ancestralLinks.size(); ++i) {
    const DescentLink& l = s.ancestralLinks[i];
    EXPECT_LE(std::abs(UpperColumn(s, tree, l) - LowerColumn(s, tree, l)), 1) << i;
  }
}

}  // namespace
}  // namespace dv
