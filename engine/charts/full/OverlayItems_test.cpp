#include "charts/full/OverlayItems.h"

#include <gtest/gtest.h>

#include "charts/full/FullChart.h"
#include "charts/full/FullChartTestData.h"
#include "charts/full/OverlayDraw.h"
#include "charts/full/OverlayFile.h"
#include "output/CellDump.h"

namespace dv {
namespace {

// A chart of 100 x 60 cells on pages of 50 x 30, one person's box at
// columns 20-29, line 10, and a title at 60-79, lines 2-7.
OverlayChart SmallChart(bool pageBreaks = true) {
  OverlayChart c;
  c.chartColumns = 100;
  c.chartLines = 60;
  c.pageBreaks = pageBreaks;
  c.usableColumns = 50;
  c.usableLines = 30;
  c.pagesAcross = 2;
  c.people.push_back({20, 10, 30, 11});
  c.hasTitle = true;
  c.title = {60, 2, 80, 8};
  return c;
}

struct Rules : ::testing::Test {
  void SetUp() override { o.SetChart(SmallChart()); }
  Overlays o;
};

TEST_F(Rules, FreeSpaceIsFreeAndChartEdgesAreRefused) {
  EXPECT_EQ(o.Test({3, 14, 12, 20}), 0);
  EXPECT_EQ(o.Test({1, 14, 12, 20}), kObstacleEdge);   // left below 2
  EXPECT_EQ(o.Test({3, 1, 12, 20}), kObstacleEdge);    // top below 2
  EXPECT_EQ(o.Test({88, 40, 99, 50}), kObstacleEdge);  // right beyond columns - 2
  EXPECT_EQ(o.Test({60, 50, 70, 59}), kObstacleEdge);  // bottom beyond lines - 2
  EXPECT_EQ(o.Test({5, 5, 5, 9}), kObstacleEdge);      // empty
}

// The person's box keeps a 2-cell margin: a band touching it cannot grow.
TEST_F(Rules, APersonsBoxKeepsTwoCellsClear) {
  EXPECT_EQ(o.Test({3, 10, 18, 11}), 0);
  EXPECT_GT(o.Test({3, 10, 19, 11}), 0);
  EXPECT_EQ(o.Test({20, 13, 30, 16}), 0);
  EXPECT_GT(o.Test({20, 12, 30, 16}), 0);
  EXPECT_EQ(o.Test({55, 3, 70, 6}), kObstacleTitle);
}

TEST_F(Rules, ABandCannotCrossAPageEdgeUnlessThereAreNoPageBreaks) {
  EXPECT_EQ(o.Test({40, 14, 49, 20}), 0);
  EXPECT_EQ(o.Test({40, 14, 50, 20}), kObstacleEdge);  // its right neighbour is on page 2
  EXPECT_EQ(o.Test({51, 14, 60, 20}), 0);
  EXPECT_EQ(o.Test({50, 14, 60, 20}), kObstacleEdge);  // its left neighbour is on page 1
  EXPECT_EQ(o.Test({5, 20, 10, 29}), 0);
  EXPECT_EQ(o.Test({5, 20, 10, 30}), kObstacleEdge);
  o.SetChart(SmallChart(false));
  EXPECT_EQ(o.Test({40, 14, 60, 40}), 0);
}

TEST_F(Rules, ItemsKeepClearOfEachOtherAndIgnoreThemselves) {
  const int a = o.AddItem({3, 14, 12, 20}, "a.png", kOverlayPicture, {});
  ASSERT_EQ(a, 0);
  // Right after an add the item counts 2 cells larger, after a rebuild 1.
  EXPECT_EQ(o.Test({13, 14, 17, 20}), -1);
  o.RebuildObstacles();
  EXPECT_EQ(o.Test({13, 14, 17, 20}), 0);
  EXPECT_EQ(o.Test({12, 14, 17, 20}), -1);
  EXPECT_EQ(o.Test({4, 15, 13, 21}, a), 0);
  EXPECT_EQ(o.PlaceItem(a, {4, 15, 13, 21}), 0);
  EXPECT_EQ(o.item(a).rect, (CellRect{4, 15, 13, 21}));
  EXPECT_EQ(o.PlaceItem(a, {15, 10, 25, 12}), 1);  // onto the person: stays
  EXPECT_EQ(o.item(a).rect, (CellRect{4, 15, 13, 21}));
  EXPECT_EQ(o.ItemAt(5, 16), a);
  EXPECT_EQ(o.ObstacleAt(5, 16), -1);
  EXPECT_EQ(o.ObstacleAt(22, 10), 1);
  EXPECT_EQ(o.ObstacleAt(65, 3), kObstacleTitle);
}

TEST_F(Rules, TheHundredthItemIsRefusedAndDeletingMovesLaterItemsUp) {
  for (int i = 0; i < kMaxOverlayItems; ++i)
    ASSERT_EQ(o.AddItem({2, 2, 3, 3}, "t" + std::to_string(i), kOverlayLeft, {}), i);
  EXPECT_EQ(o.AddItem({2, 2, 3, 3}, "one too many", kOverlayLeft, {}), -1);
  EXPECT_TRUE(o.DeleteItem(0));
  EXPECT_EQ(o.count(), kMaxOverlayItems - 1);
  EXPECT_EQ(o.item(0).content, "t1");
  EXPECT_FALSE(o.DeleteItem(200));
  EXPECT_EQ(o.AddItem({5, 5, 5, 9}, "empty", kOverlayLeft, {}), -1);
}

}  // namespace
}  // namespace dv
