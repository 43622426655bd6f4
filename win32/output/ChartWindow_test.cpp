#include "output/ChartWindow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "output/ChartTestSupport.h"

namespace dv::win::test {
namespace {

bool StatusBarShown() {
  return (GetWindowLongA(State().ui.statusBar, GWL_STYLE) & WS_VISIBLE) != 0;
}

// ---- Showing a chart (32) --------------------------------------------------

using ShowChartTest = ChartTest;

TEST_F(ShowChartTest, PutsUpTheChartBarAtZoomFour) {
  ShowChart(40, 30);
  const auto& state = State();
  EXPECT_EQ(state.app.chartState, 1);
  EXPECT_EQ(state.app.helpContext, 305);
  EXPECT_EQ(GetMenu(window_), state.ui.chartMenuBar);
  EXPECT_FALSE(StatusBarShown());
  EXPECT_EQ(state.view.zoomLevel, 4);
  EXPECT_EQ(state.view.maxZoomLevel, 7);
  EXPECT_EQ(state.view.displayEnabled, 1);
  EXPECT_EQ(state.view.chartColumns, 40);
  EXPECT_EQ(state.view.chartLines, 30);
  // The screen font is zoom 4's: 12 high; its cell is what the paint uses.
  EXPECT_EQ(state.app.screenFont->height(), 12);
  EXPECT_GT(state.view.cellWidth, 0);
  EXPECT_GE(state.view.cellHeight, 12);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(ShowChartTest, LargerChartFontStartsHigher) {
  State().app.chartFont->setHeight(-16);
  ShowChart(40, 30);
  EXPECT_EQ(State().view.zoomLevel, 6);
}

TEST_F(ShowChartTest, NothingWithoutAComputedChart) {
  RegisterShownChart(ChartSlot::kSelectiveTree, part_);
  Command(IDM_SHOW_CHART);  // selectiveChartState is still 0
  EXPECT_EQ(State().app.chartState, 0);
  EXPECT_EQ(GetMenu(window_), State().ui.mainMenu);
}

TEST_F(ShowChartTest, ChartTooLargeAtEveryZoomStaysOpenUndisplayed) {
  ShowChart(40000, 30);  // 32767 / 40000 allows no cell at all
  const auto& state = State();
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Chart too large to display");
  EXPECT_EQ(state.view.displayEnabled, 0);
  EXPECT_EQ(state.view.zoomLevel, 0);
  EXPECT_EQ(state.app.chartState, 1);
  EXPECT_EQ(GetMenu(window_), state.ui.chartMenuBar);
}

// ---- Zoom (21, 22) ---------------------------------------------------------

using ZoomTest = ChartTest;

TEST_F(ZoomTest, MagnifyStopsWhereTheCellStillFits) {
  ShowChart(4000, 30);
  auto& view = State().view;
  EXPECT_EQ(view.maxCellWidth, 8);  // 32767 / 4000
  for (int i = 0; i < 8; ++i) Command(IDM_CHART_MAGNIFY);
  const int level = view.zoomLevel;
  EXPECT_EQ(view.maxZoomLevel, level);
  EXPECT_LE(view.cellWidth, 8);
  ASSERT_LT(level, 7);
  // The next level's cell is wider than 4000 columns allow.
  EXPECT_GT(ComputeScreenCell(level + 1).width, 8);
  ComputeScreenCell(level);
  // Further MAGNIFY does nothing; REDUCE still works.
  Command(IDM_CHART_MAGNIFY);
  EXPECT_EQ(view.zoomLevel, level);
  Command(IDM_CHART_REDUCE);
  EXPECT_EQ(view.zoomLevel, level - 1);
}

TEST_F(ZoomTest, MagnifyAndReduceStepOneLevel) {
  ShowChart(40, 30);
  auto& view = State().view;
  Command(IDM_CHART_MAGNIFY);
  EXPECT_EQ(view.zoomLevel, 5);
  EXPECT_EQ(State().app.screenFont->height(), 15);
  for (int i = 0; i < 5; ++i) Command(IDM_CHART_MAGNIFY);
  EXPECT_EQ(view.zoomLevel, 7);
  for (int i = 0; i < 9; ++i) Command(IDM_CHART_REDUCE);
  EXPECT_EQ(view.zoomLevel, 0);
}

TEST_F(ZoomTest, ReduceOfAChartWithoutPageBreaksStopsAtOne) {
  extent_.minZoomLevel = 1;
  ShowChart(40, 30);
  for (int i = 0; i < 6; ++i) Command(IDM_CHART_REDUCE);
  EXPECT_EQ(State().view.zoomLevel, 1);
}

// ---- Scroll ranges (31) and scrolling --------------------------------------

using ScrollTest = ChartTest;

TEST_F(ScrollTest, RangesFollowTheChartAndItOpensAtTheBottom) {
  ShowChart(40, 200);
  const auto& view = State().view;
  // The client area is what the window has left beside its menu and bars.
  const int maxY = 200 - view.clientHeight / view.cellHeight;
  EXPECT_EQ(view.scrollMaxY, maxY);
  EXPECT_EQ(view.scrollMaxX, 0);  // narrower than the window
  Scroll(true, SB_BOTTOM);  // the menu bar changed the client area after opening
  EXPECT_EQ(view.scrollY, maxY);
  int low = -1, high = -1;
  GetScrollRange(window_, SB_VERT, &low, &high);
  EXPECT_EQ(high, maxY);
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), maxY);
}

TEST_F(ScrollTest, WideChartHasAHorizontalRange) {
  ShowChart(300, 20);
  const auto& view = State().view;
  EXPECT_EQ(view.scrollMaxX, 302 - view.clientWidth / view.cellWidth);
  EXPECT_EQ(view.scrollMaxY, 0);
}

TEST_F(ScrollTest, VerticalMessagesMoveByLinePageThumbAndEnds) {
  ShowChart(40, 200);
  auto& view = State().view;
  Scroll(true, SB_BOTTOM);
  const int maxY = view.scrollMaxY;
  const int page = view.clientHeight / view.cellHeight;
  Scroll(true, SB_LINEUP);
  EXPECT_EQ(view.scrollY, maxY - 1);
  Scroll(true, SB_PAGEUP);
  EXPECT_EQ(view.scrollY, maxY - 1 - page);
  Scroll(true, SB_THUMBPOSITION, 5);
  EXPECT_EQ(view.scrollY, 5);
  EXPECT_EQ(GetScrollPos(window_, SB_VERT), 5);
  Scroll(true, SB_TOP);
  EXPECT_EQ(view.scrollY, 0);
  Scroll(true, SB_LINEUP);  // already at the top
  EXPECT_EQ(view.scrollY, 0);
  Scroll(true, SB_LINEDOWN);
  EXPECT_EQ(view.scrollY, 1);
  Scroll(true, SB_BOTTOM);
  EXPECT_EQ(view.scrollY, maxY);
  Scroll(true, SB_PAGEDOWN);  // limited to the maximum
  EXPECT_EQ(view.scrollY, maxY);
}

TEST_F(ScrollTest, HorizontalMessagesMoveByColumnAndWindowWidth) {
  ShowChart(300, 20);
  auto& view = State().view;
  const int maxX = view.scrollMaxX;
  const int page = view.clientWidth / view.cellWidth;
  Scroll(false, SB_LINEDOWN);
  EXPECT_EQ(view.scrollX, 1);
  Scroll(false, SB_PAGEDOWN);
  EXPECT_EQ(view.scrollX, 1 + page);
  Scroll(false, SB_PAGEUP);
  Scroll(false, SB_PAGEUP);
  EXPECT_EQ(view.scrollX, 0);
  Scroll(false, SB_THUMBPOSITION, maxX);
  EXPECT_EQ(view.scrollX, maxX);
  Scroll(false, SB_LINEDOWN);  // at the right edge
  EXPECT_EQ(view.scrollX, maxX);
  EXPECT_EQ(GetScrollPos(window_, SB_HORZ), maxX);
}

TEST_F(ScrollTest, ScrollingEndsAnOverlaySelectionOnlyWhenItMoves) {
  ShowChart(40, 200);
  auto& app = State().app;
  Scroll(true, SB_BOTTOM);
  app.chartState = 2;
  Scroll(true, SB_LINEDOWN);  // at the bottom: nothing moves
  EXPECT_EQ(app.chartState, 2);
  Scroll(true, SB_LINEUP);
  EXPECT_EQ(app.chartState, 1);
}

// ---- Paint -----------------------------------------------------------------

using PaintTest = ChartTest;

TEST_F(PaintTest, DrawsTheSamePixelsAsTheChartDrawnDirectly) {
  ShowChart(60, 80);
  Scroll(true, SB_THUMBPOSITION, 3);
  Scroll(false, SB_THUMBPOSITION, 0);
  const auto& view = State().view;
  Dib24 painted(nullptr, kClientWidth, kClientHeight);
  Dib24 direct(nullptr, kClientWidth, kClientHeight);
  ASSERT_TRUE(painted.ok());
  PaintInto(painted);
  DrawDirect(direct, view.cellWidth * view.scrollX, view.cellHeight * view.scrollY);
  EXPECT_GT(CountNonWhite(direct), 100);
  EXPECT_EQ(CountDifferent(painted, direct), 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PaintTest, ScrollPositionMovesTheDrawing) {
  ShowChart(60, 80);
  Scroll(true, SB_THUMBPOSITION, 0);
  Dib24 top(nullptr, kClientWidth, kClientHeight);
  PaintInto(top);
  Scroll(true, SB_THUMBPOSITION, 2);
  Dib24 lower(nullptr, kClientWidth, kClientHeight);
  PaintInto(lower);
  // Two lines further down the chart, the picture is two cells higher.
  const int shift = 2 * State().view.cellHeight;
  int differences = 0;
  for (int y = 0; y + shift < kClientHeight; ++y)
    for (int x = 0; x < kClientWidth; ++x)
      differences += top.PixelAt(x, y + shift) != lower.PixelAt(x, y);
  EXPECT_EQ(differences, 0);
  EXPECT_GT(CountDifferent(top, lower), 0);
}

TEST_F(PaintTest, RulePenFollowsTheCellHeight) {
  State().settings.bparam[0] = 6;
  State().page.printerLineHeight = 25;
  EXPECT_EQ(ChartPenWidth(25, 1), 6);
  EXPECT_EQ(ChartPenWidth(12, 1), 2);  // 12 x 6 / 25
  EXPECT_EQ(ChartPenWidth(12, 0), 6);  // on paper the setting itself
  State().settings.bparam[0] = 40;     // out of range: at most 10
  EXPECT_EQ(ChartPenWidth(25, 1), 10);
}

TEST_F(PaintTest, FailingDrawSaysCannotDisplayOnce) {
  part_.draw = [](DrawSurface&, int, int, int, int) { return 35; };
  ShowChart(40, 30);
  Dib24 image(nullptr, kClientWidth, kClientHeight);
  PaintInto(image);
  PaintInto(image);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot display");
  EXPECT_EQ(State().app.chartState, 1);
  // At another zoom it may be said again.
  Command(IDM_CHART_REDUCE);
  PaintInto(image);
  EXPECT_EQ(boxes_.size(), 2u);
}

TEST_F(PaintTest, WmPaintReportsAFailingDrawAfterPainting) {
  part_.draw = [](DrawSurface&, int, int, int, int) { return 36; };
  ShowChart(40, 30);
  ShowWindow(window_, SW_SHOWNOACTIVATE);  // hidden windows are not painted
  InvalidateRect(window_, nullptr, TRUE);
  UpdateWindow(window_);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot display");
}

TEST_F(PaintTest, NothingIsDrawnWhenNoChartIsShown) {
  Dib24 image(nullptr, kClientWidth, kClientHeight);
  PaintInto(image);
  EXPECT_EQ(CountNonWhite(image), 0);  // the bitmap's own white, untouched
}

TEST_F(PaintTest, OverviewCentresAndFramesThePageGrid) {
  auto& page = State().page;
  page.usableColumns = 60;
  page.usableLines = 40;
  page.printerCharWidth = 15;
  page.printerLineHeight = 25;
  part_.hasPages = true;
  extent_.pagesAcross = 3;
  extent_.pagesDown = 2;
  ShowChart(180, 80);
  for (int i = 0; i < 4; ++i) Command(IDM_CHART_REDUCE);
  const auto& view = State().view;
  ASSERT_EQ(view.zoomLevel, 0);
  // One page is one inch high with the printed page's proportions.
  EXPECT_EQ(view.overviewPageWidth, MulDiv(15 * 60, view.screenDpiX, 25 * 40));
  EXPECT_EQ(view.scrollMaxX, 0);
  EXPECT_EQ(view.scrollMaxY, 0);
  Dib24 image(nullptr, kClientWidth, kClientHeight);
  PaintInto(image);
  // Every mark lies on the centred grid or its frame; the corners of the
  // window stay white and the frame's corners are drawn.
  const int gridWidth = 3 * view.overviewPageWidth;
  const int gridHeight = 2 * view.screenDpiY;
  const int left = (view.clientWidth - gridWidth) / 2;
  const int top = (view.clientHeight - gridHeight) / 2;
  int minX = kClientWidth, minY = kClientHeight, maxX = -1, maxY = -1;
  for (int y = 0; y < kClientHeight; ++y)
    for (int x = 0; x < kClientWidth; ++x)
      if (image.PixelAt(x, y) != kWhite) {
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
      }
  // The frame stands off the grid by a fifth of a page's line count (8) in
  // logical units, and its pen is 6 units wide: its outer edge lies 11
  // units outside the grid, scaled to the one-inch pages.
  const double unitX = double(view.overviewPageWidth) / (view.cellWidth * 60);
  const double unitY = double(view.screenDpiY) / (view.cellHeight * 40);
  EXPECT_NEAR(minX, left - 11 * unitX, 2);
  EXPECT_NEAR(minY, top - 11 * unitY, 2);
  EXPECT_NEAR(maxX, left + gridWidth + 11 * unitX, 2);
  EXPECT_NEAR(maxY, top + gridHeight + 11 * unitY, 2);
  EXPECT_TRUE(boxes_.empty());
}

// Whether the overview has marks in the small box where page n is numbered.
class OverviewNumbersTest : public ChartTest {
 protected:
  void ShowPagedOverview() {
    auto& page = State().page;
    page.usableColumns = 60;
    page.usableLines = 40;
    page.printerCharWidth = 15;
    page.printerLineHeight = 25;
    part_.hasPages = true;
    part_.draw = [](DrawSurface&, int, int, int, int) { return 0; };  // numbers only
    extent_.pagesAcross = 3;
    extent_.pagesDown = 2;
    ShowChart(180, 80);
    for (int i = 0; i < 4; ++i) Command(IDM_CHART_REDUCE);
    image_ = std::make_unique<Dib24>(nullptr, kClientWidth, kClientHeight);
    PaintInto(*image_);
  }
  bool Numbered(int n) const {
    const auto& view = State().view;
    const int left = (view.clientWidth - 3 * view.overviewPageWidth) / 2;
    const int top = (view.clientHeight - 2 * view.screenDpiY) / 2;
    const int x0 = left + ((n - 1) % 3) * view.overviewPageWidth + 3;
    const int y0 = top + ((n - 1) / 3) * view.screenDpiY + 3;
    for (int y = y0; y < y0 + 10; ++y)
      for (int x = x0; x < x0 + 8; ++x)
        if (image_->PixelAt(x, y) != kWhite) return true;
    return false;
  }
  std::unique_ptr<Dib24> image_;
};

TEST_F(OverviewNumbersTest, EveryPageOfTheGridIsNumbered) {
  part_.pageNumberSetting = [] { return 3; };
  ShowPagedOverview();
  for (int n = 1; n <= 6; ++n) EXPECT_TRUE(Numbered(n)) << "page " << n;
}

TEST_F(OverviewNumbersTest, OnlyThePrintedPagesAreNumberedBelowSettingThree) {
  part_.pageNumberSetting = [] { return 1; };
  extent_.pageList = {{2, 0}, {5, 14}};
  ShowPagedOverview();
  for (int n = 1; n <= 6; ++n) EXPECT_EQ(Numbered(n), n == 2 || n == 5) << "page " << n;
}

TEST_F(ScrollTest, ChartWithoutPagesScrollsInCellsAtZoomZero) {
  ShowChart(40, 300);
  for (int i = 0; i < 4; ++i) Command(IDM_CHART_REDUCE);
  const auto& view = State().view;
  ASSERT_EQ(view.zoomLevel, 0);
  EXPECT_EQ(view.scrollMaxY, 300 - view.clientHeight / view.cellHeight);
  Scroll(true, SB_TOP);
  Scroll(true, SB_LINEDOWN);
  EXPECT_EQ(view.scrollY, 1);
}

// ---- Closing the chart (25) ------------------------------------------------

using CloseChartTest = ChartTest;

TEST_F(CloseChartTest, RestoresTheMainWindowState) {
  ShowChart(300, 200);
  Command(IDM_CHART_MAGNIFY);
  TakeMessages();
  Command(IDM_CHART_CANCEL);
  const auto& state = State();
  EXPECT_EQ(released_, 1);
  EXPECT_EQ(state.app.selectiveChartState, 0);
  EXPECT_EQ(state.app.chartState, 0);
  EXPECT_EQ(state.app.helpContext, 301);
  EXPECT_TRUE(StatusBarShown());
  EXPECT_EQ(GetMenu(window_), state.ui.mainMenu);
  EXPECT_EQ(state.view.chartColumns, 10);
  EXPECT_EQ(state.view.chartLines, 10);
  EXPECT_EQ(state.view.zoomLevel, 4);
  EXPECT_EQ(state.view.scrollMaxX, 0);
  EXPECT_EQ(state.view.scrollMaxY, 0);
  EXPECT_EQ(ShownChart(), nullptr);
  EXPECT_TRUE(PostedCommands(window_).empty());
}

TEST_F(CloseChartTest, ResumesViewModeWithGedcomData) {
  ShowChart(40, 30);
  State().app.resumeMode = 1;
  State().app.sourceFormat = kFormatGedcom;
  TakeMessages();
  Command(IDM_CHART_CANCEL);
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_FILE_VIEW});
  EXPECT_EQ(State().app.resumeMode, 0);
}

TEST_F(CloseChartTest, ViewModeIsNotResumedOverAChartFile) {
  ShowChart(40, 30);
  State().app.resumeMode = 1;
  State().app.sourceFormat = kFormatTree;
  TakeMessages();
  Command(IDM_CHART_CANCEL);
  EXPECT_TRUE(PostedCommands(window_).empty());
  EXPECT_EQ(State().app.resumeMode, 0);
}

TEST_F(CloseChartTest, ResumesEditMode) {
  ShowChart(40, 30);
  State().app.resumeMode = 2;
  TakeMessages();
  Command(IDM_CHART_CANCEL);
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_FILE_EDIT});
}

TEST_F(CloseChartTest, TheFirstComputedChartTypeIsTheOneShownAndReleased) {
  int birthBriefReleased = 0;
  ShownChartPart birthBrief = part_;
  birthBrief.release = [&] { ++birthBriefReleased; };
  RegisterShownChart(ChartSlot::kBirthBrief, birthBrief);
  State().app.birthBriefChartState = 2;
  ShowChart(40, 30);  // the Selective Tree comes first
  Command(IDM_CHART_CANCEL);
  EXPECT_EQ(released_, 1);
  EXPECT_EQ(birthBriefReleased, 0);
  EXPECT_EQ(State().app.birthBriefChartState, 2);
  ChartSlot slot{};
  EXPECT_NE(ShownChart(&slot), nullptr);
  EXPECT_EQ(slot, ChartSlot::kBirthBrief);
  UnregisterShownChart(ChartSlot::kBirthBrief);
}

}  // namespace
}  // namespace dv::win::test
