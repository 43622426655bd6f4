#include "charts/full/FullChartStorage.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(FullChartStorage, AllocatesForTheStoreAndReleasesEverything) {
  FullChartStorage s;
  EXPECT_FALSE(s.allocated());
  ASSERT_TRUE(s.Allocate(10, 4));
  EXPECT_TRUE(s.allocated());
  EXPECT_EQ(s.families.size(), 5u);
  EXPECT_EQ(s.individuals.size(), 11u);
  EXPECT_EQ(s.ancestral.size(), 1u);  // the zeroed sentinel
  EXPECT_EQ(s.ancestralLinks.size(), 1u);
  EXPECT_GE(s.ancestral.capacity(), std::size_t(kPlacementCapacity + 1));
  s.rowGroups[201].push_back(1);
  s.Release();
  EXPECT_FALSE(s.allocated());
  EXPECT_TRUE(s.rowGroups[201].empty());
}

TEST(FullChartStorage, RowIndexesStayInsideTheTable) {
  FullChartStorage s;
  s.lowest = 2;
  EXPECT_EQ(s.RowOf(2), 1);
  EXPECT_EQ(s.RowOf(400), 399);
  EXPECT_EQ(s.RowOf(1), 0);
  EXPECT_EQ(s.RowOf(2 + 499), 0);
  EXPECT_EQ(s.Row(1), nullptr);
  EXPECT_NE(s.Row(201), nullptr);
}

TEST(FullChartStorage, PlaceholdersAreFoundByTheirNegativeNumber) {
  FullChartStorage s;
  ASSERT_TRUE(s.Allocate(1, 1));
  Placeholder p;
  p.number = -1;
  s.placeholders.push_back(p);
  EXPECT_EQ(s.PlaceholderOf(-1), &s.placeholders[1]);
  EXPECT_EQ(s.PlaceholderOf(-2), nullptr);
  EXPECT_EQ(s.PlaceholderOf(0), nullptr);
  EXPECT_EQ(s.PlaceholderOf(1), nullptr);
}

}  // namespace
}  // namespace dv
