#include "charts/full/FullChartCommands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "charts/full/FullChartState.h"
#include "charts/full/FullChartTestData.h"
#include "data/RecordStore.h"
#include "output/CellDump.h"
#include "output/ChartTestSupport.h"

namespace dv::win::test {
namespace {

class FullChartCommandsTest : public ChartTest {
 protected:
  void SetUp() override {
    ChartTest::SetUp();
    ResetFullChartState();
    dv::testing::GedcomBuilder b;
    base_ = dv::testing::Pedigree(b, 4);
    b.LoadInto(store_);
    State().page.usableColumns = 40;
    State().page.usableLines = 20;
    State().settings.fonts[kPrinterFont] = State().settings.fonts[kChartFont];
    State().settings.fonts[kPrinterFont].setHeight(10);
  }
  void TearDown() override {
    UnregisterShownChart(ChartSlot::kFullChart);
    ResetFullChartState();
    ChartTest::TearDown();
  }
  // Runs the chart on a page of the given size and shows it.
  void RunAndShow(dv::FullChartOptions options, int columns = 60, int lines = 24) {
    dv::FullChartPage page;
    page.pageColumns = columns;
    page.pageLines = lines;
    ASSERT_TRUE(Full().chart.Run(store_, base_, options, page).ok());
    ShowFullChart(window_);
  }

  // Draws the chart on show in image mode as one piece and in strips of 7
  // lines (lines of descent and boxes cross their edges) and counts the
  // pixels that differ.
  int StripPixelsDifferent() {
    const ShownChartPart* part = ShownChart();
    EXPECT_NE(part, nullptr);
    if (part == nullptr) return -1;
    EXPECT_EQ(part->imagePage, -1);
    EXPECT_EQ(part->imageScreen, -1);
    const int cw = 6, ch = 10;
    const int width = Full().chart.Extent().chartColumns * cw;
    const int lines = Full().chart.Extent().chartLines;
    ScreenDc screen;
    Dib24 whole(screen.get(), width, lines * ch);
    {
      GdiSurface s(whole.dc());
      s.SelectFont(State().settings.fonts[kChartFont]);
      part->beforeStrip(0, lines);
      EXPECT_EQ(part->draw(s, cw, ch, -1, -1), 0);
    }
    EXPECT_GT(CountNonWhite(whole), 0);
    int different = 0;
    for (int first = 0; first < lines; first += 7) {
      const int end = std::min(lines, first + 7);
      Dib24 strip(screen.get(), width, (end - first) * ch);
      GdiSurface s(strip.dc());
      s.SelectFont(State().settings.fonts[kChartFont]);
      s.SetOrigin(0, first * ch);
      part->beforeStrip(first, end);
      EXPECT_EQ(part->draw(s, cw, ch, -1, -1), 0);
      for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < width; ++x)
          different += strip.PixelAt(x, y) != whole.PixelAt(x, first * ch + y);
    }
    return different;
  }

  dv::RecordStore store_;
  int base_ = 0;
};

TEST_F(FullChartCommandsTest, ShowingTheChartHandsItsSizeAndPagesToTheWindow) {
  dv::FullChartOptions o;
  RunAndShow(o);
  EXPECT_EQ(State().app.fullChartState, 2);
  ChartSlot slot{};
  const ShownChartPart* part = ShownChart(&slot);
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(slot, ChartSlot::kFullChart);
  EXPECT_TRUE(part->hasPages);
  EXPECT_EQ(State().view.chartColumns, Full().chart.Extent().chartColumns);
  EXPECT_EQ(State().view.chartLines, Full().chart.Extent().chartLines);
  EXPECT_EQ(State().view.pagesAcross, Full().chart.Extent().pagesAcross);
  const ChartExtent extent = part->extent();
  EXPECT_EQ(extent.pageList.size(), Full().chart.Composed().pageList.size());
  EXPECT_EQ(extent.minZoomLevel, 0);
  // CANCEL releases it.
  Command(IDM_CHART_CANCEL);
  EXPECT_FALSE(Full().chart.HasChart());
  EXPECT_EQ(State().app.fullChartState, 0);
}

TEST_F(FullChartCommandsTest, PrintingDrawsEveryPageWithItsNumber) {
  dv::FullChartOptions o;
  o.pageNumbers = 1;
  RunAndShow(o);
  std::vector<std::string> log;
  State().printer.printDialog = [&log](HWND, const PrintDialogRequest& request) {
    EXPECT_EQ(request.mode, 2);
    PrintDialogAnswer a;
    a.ok = true;
    a.device = "Office Laser";
    a.driver = "winspool";
    a.port = "LPT1:";
    a.printer = std::make_unique<RecordingPrinter>(log, 0, 0);
    return a;
  };
  Command(IDM_CHART_PRINT);
  EXPECT_TRUE(BoxTexts().empty() || BoxTexts().back().find("Cannot print") == std::string::npos);
  int pages = 0;
  for (const auto& entry : log) pages += entry == "StartPage";
  EXPECT_EQ(pages, Full().chart.pageCount());
  // Each printed page carries its label, at the bottom.
  for (const PageListEntry& p : Full().chart.Composed().pageList) {
    CellRecorder r;
    ASSERT_EQ(Full().chart.Draw(r, r.cellWidth(), r.cellHeight(), p.page, 0), 0);
    const int row = (p.page - 1) / Full().chart.Extent().pagesAcross;
    const int column = (p.page - 1) % Full().chart.Extent().pagesAcross;
    EXPECT_EQ(r.items().back().text, std::string(1, char('A' + row)) + std::to_string(column + 1));
  }
}

TEST_F(FullChartCommandsTest, TheImageStripsMakeTheSamePictureAsOnePiece) {
  dv::FullChartOptions o;
  o.noPageBreaks = true;
  RunAndShow(o);
  EXPECT_EQ(StripPixelsDifferent(), 0);
}

TEST_F(FullChartCommandsTest, AColouredBoxChartInStripsIsTheSameAsOnePiece) {
  dv::FullChartOptions o;
  o.noPageBreaks = true;
  o.boxChart = true;
  o.box.colourBoxes = true;
  RunAndShow(o);
  EXPECT_EQ(StripPixelsDifferent(), 0);
}

TEST_F(FullChartCommandsTest, ExportReordersTheItemsAndPutsThemBack) {
  dv::FullChartOptions o;
  RunAndShow(o);
  const ShownChartPart* part = ShownChart();
  ASSERT_NE(part, nullptr);
  const auto before = Full().chart.Composed().pageList;
  part->reorder(true);
  EXPECT_TRUE(Full().chart.Composed().imageOrder);
  part->reorder(false);
  EXPECT_FALSE(Full().chart.Composed().imageOrder);
  ASSERT_EQ(Full().chart.Composed().pageList.size(), before.size());
  const std::vector<int> plan = part->stripPlan(7, 12);
  EXPECT_EQ(plan.front(), 0);
  EXPECT_EQ(plan.back(), Full().chart.Extent().chartLines);
}

}  // namespace
}  // namespace dv::win::test
