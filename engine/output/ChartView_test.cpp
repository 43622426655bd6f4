#include "output/ChartView.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

ChartView Window(int columns, int lines) {
  ChartView v;
  v.chartColumns = columns;
  v.chartLines = lines;
  v.cellWidth = 7;
  v.cellHeight = 12;
  v.clientWidth = 700;   // 100 columns
  v.clientHeight = 480;  // 40 lines
  return v;
}

TEST(ScrollRanges, NarrowChartHasNoHorizontalRangeAndOpensAtTheBottom) {
  ChartView v = Window(60, 130);
  UpdateScrollRanges(v);
  EXPECT_EQ(v.scrollMaxX, 0);
  EXPECT_EQ(v.scrollMaxY, 90);
  EXPECT_EQ(v.scrollY, 90);
}

TEST(ScrollRanges, WideChartKeepsTwoSpareColumnsAndClampsThePosition) {
  ChartView v = Window(300, 30);
  v.scrollX = 500;
  v.scrollY = 5;
  UpdateScrollRanges(v);
  EXPECT_EQ(v.scrollMaxX, 202);
  EXPECT_EQ(v.scrollX, 202);
  EXPECT_EQ(v.scrollMaxY, 0);
  EXPECT_EQ(v.scrollY, 0);
}

TEST(ScrollRanges, OverviewPageIsOneInchHighWithThePagesProportions) {
  ChartView v = Window(300, 200);
  v.zoomLevel = 0;
  v.usableColumns = 150;
  v.usableLines = 120;
  v.printerCharWidth = 30;
  v.printerLineHeight = 50;
  v.pagesAcross = 3;
  v.pagesDown = 6;
  v.scrollX = 40;
  UpdateScrollRanges(v);
  EXPECT_EQ(v.overviewPageWidth, 72);  // 4500 * 96 / 6000
  EXPECT_EQ(v.scrollMaxX, 0);          // 216 pixels in a 700-pixel window
  EXPECT_EQ(v.scrollMaxY, 96);         // 576 - 480
  EXPECT_EQ(v.scrollX, 0);
  EXPECT_EQ(v.scrollY, 96);
}

TEST(ScrollSteps, LinesPagesThumbAndEnds) {
  ChartView v = Window(300, 130);
  UpdateScrollRanges(v);  // maxX 202, maxY 90, at the bottom
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kLineForward), 0);
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kLineBack), -1);
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kPageBack), -40);
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kTop), -90);
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kThumb, 30), -60);
  EXPECT_EQ(ScrollStep(v, false, ScrollRequest::kPageForward), 100);
  EXPECT_EQ(ScrollStep(v, false, ScrollRequest::kLineBack), 0);  // already at the left
  EXPECT_EQ(ScrollStep(v, false, ScrollRequest::kBottom), 0);    // no ends horizontally
  v.scrollX = v.scrollMaxX;
  EXPECT_EQ(ScrollStep(v, false, ScrollRequest::kLineForward), 0);  // right edge
  EXPECT_EQ(ScrollUnit(v, true), 12);
}

TEST(ScrollSteps, TinyWindowStillPagesByOne) {
  ChartView v = Window(300, 130);
  v.clientHeight = 5;
  UpdateScrollRanges(v);
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kPageBack), -1);
}

TEST(ScrollSteps, OverviewMovesByPagesAndPixels) {
  ChartView v = Window(300, 200);
  v.zoomLevel = 0;
  v.usableColumns = 150;
  v.usableLines = 120;
  v.printerCharWidth = 30;
  v.printerLineHeight = 50;
  v.pagesAcross = 20;
  v.pagesDown = 6;
  UpdateScrollRanges(v);
  v.scrollY = 0;
  EXPECT_EQ(ScrollStep(v, true, ScrollRequest::kLineForward), 96);
  EXPECT_EQ(ScrollStep(v, false, ScrollRequest::kLineForward), 72);
  EXPECT_EQ(ScrollUnit(v, false), 1);
}

TEST(Overview, SmallGridIsCentredFramedAndNumbered) {
  ChartView v = Window(300, 200);
  v.zoomLevel = 0;
  v.cellWidth = 2;
  v.cellHeight = 4;
  v.usableColumns = 150;
  v.usableLines = 120;
  v.printerCharWidth = 30;
  v.printerLineHeight = 50;
  v.pagesAcross = 3;
  v.pagesDown = 2;
  UpdateScrollRanges(v);
  OverviewLayout o = LayoutOverview(v);
  EXPECT_EQ(o.offsetX, 242);  // (700 - 216) / 2
  EXPECT_EQ(o.offsetY, 144);  // (480 - 192) / 2
  EXPECT_EQ(o.frameLeft, -24);
  EXPECT_EQ(o.frameRight, 900 + 24);
  EXPECT_EQ(o.frameBottom, 960 + 24);
  EXPECT_EQ(o.labelHeight, 80);
  // Pages 1 to 6 left to right, top to bottom.
  EXPECT_EQ(OverviewPageLabel(v, 1).x, 0);
  EXPECT_EQ(OverviewPageLabel(v, 3).x, 600);
  EXPECT_EQ(OverviewPageLabel(v, 4).x, 0);
  EXPECT_EQ(OverviewPageLabel(v, 4).y, 480);
  EXPECT_EQ(OverviewPageLabel(v, 6).y, 480);
}

TEST(Overview, LargeGridIsNotMoved) {
  ChartView v = Window(300, 200);
  v.zoomLevel = 0;
  v.usableColumns = 150;
  v.usableLines = 120;
  v.printerCharWidth = 30;
  v.printerLineHeight = 50;
  v.pagesAcross = 20;
  v.pagesDown = 9;
  UpdateScrollRanges(v);
  OverviewLayout o = LayoutOverview(v);
  EXPECT_EQ(o.offsetX, 0);
  EXPECT_EQ(o.offsetY, 0);
}

}  // namespace
}  // namespace dv
