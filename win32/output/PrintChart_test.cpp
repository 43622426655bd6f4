#include "output/PrintChart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "output/GdiGuards.h"
#include "output/PrintSetup.h"
#include "output/ShownChart.h"
#include "output/ChartTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class PrintChartTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    window_ = Start("");
    ASSERT_NE(window_, nullptr);
    // A small page that the screen-sized metafile holds easily.
    State().page.usableColumns = 40;
    State().page.usableLines = 20;
    State().settings.fonts[kPrinterFont] = State().settings.fonts[kChartFont];
    State().settings.fonts[kPrinterFont].setHeight(10);
    State().printer.printDialog = [this](HWND, const PrintDialogRequest& request) {
      requests_.push_back(request);
      if (cancelDialog_) return PrintDialogAnswer{};
      PrintDialogAnswer a;
      a.ok = true;
      a.device = device_;
      a.driver = "winspool";
      a.port = "LPT1:";
      a.copies = copies_;
      a.collate = collate_;
      a.pageRange = range_;
      a.fromPage = from_;
      a.toPage = to_;
      a.printer = std::make_unique<RecordingPrinter>(log_, failStartDoc_, failStartPageAt_);
      return a;
    };
  }

  // A chart of pages pages whose draw routine logs its page argument.
  PrintJob Chart(int pages) {
    PrintJob job;
    job.byPages = pages > 1;
    job.dialogMode = job.byPages ? 2 : 3;
    for (int p = 1; p <= pages; ++p) job.pageList.push_back({p, 10 * p});
    job.pageNumberSetting = 1;
    job.draw = [this](DrawSurface& surface, int cellWidth, int cellHeight, int page, int screen) {
      log_.push_back("draw " + std::to_string(page));
      EXPECT_EQ(screen, 0);
      EXPECT_GT(cellWidth, 0);
      EXPECT_GT(cellHeight, 0);
      EXPECT_EQ(surface.CurrentFont(), State().settings.fonts[kPrinterFont]);
      boxDuringDraw_ = State().printer.cancelBox;
      windowEnabledDuringDraw_ = IsWindowEnabled(window_) != 0;
      if (onDraw_) return onDraw_(page);
      return 0;
    };
    return job;
  }

  int Print(const PrintJob& job) {
    return PrintChart(window_, job, [this](int id, std::string_view suffix) {
      notices_.push_back(std::to_string(id) + " " + std::string(suffix));
    });
  }

  // The log without the set-up calls, pages only.
  std::string Pages() const {
    std::string out;
    for (const auto& entry : log_)
      if (entry.rfind("draw ", 0) == 0) out += entry.substr(5) + ",";
    return out;
  }

  HWND window_ = nullptr;
  std::vector<std::string> log_;
  std::vector<std::string> notices_;
  std::vector<PrintDialogRequest> requests_;
  std::string device_ = "Office Laser";
  int copies_ = 1;
  bool collate_ = false;
  bool range_ = false;
  int from_ = 1, to_ = 1;
  bool cancelDialog_ = false;
  int failStartDoc_ = 0;
  int failStartPageAt_ = 0;
  std::function<int(int page)> onDraw_;
  HWND boxDuringDraw_ = nullptr;
  bool windowEnabledDuringDraw_ = true;
};

TEST_F(PrintChartTest, TwoCopiesOfThreePagesPrintEachPageTwiceInARow) {
  copies_ = 2;
  EXPECT_EQ(Print(Chart(3)), 0);
  EXPECT_EQ(Pages(), "1,1,2,2,3,3,");
  ASSERT_FALSE(log_.empty());
  EXPECT_EQ(log_.front(), "SetAbortProc");
  EXPECT_EQ(log_[1], "StartDoc Dorvane: printing");
  EXPECT_EQ(log_.back(), "EndDoc");
  EXPECT_EQ(requests_.at(0).mode, 2);
  EXPECT_EQ(requests_.at(0).pageCount, 3);
}

TEST_F(PrintChartTest, CollatedCopiesRepeatTheWholeSequence) {
  copies_ = 2;
  collate_ = true;
  EXPECT_EQ(Print(Chart(3)), 0);
  EXPECT_EQ(Pages(), "1,2,3,1,2,3,");
}

TEST_F(PrintChartTest, EveryPageIsStartedDrawnAndEnded) {
  EXPECT_EQ(Print(Chart(2)), 0);
  const std::vector<std::string> expected = {"SetAbortProc", "StartDoc Dorvane: printing",
                                             "StartPage",    "draw 1",
                                             "EndPage",      "StartPage",
                                             "draw 2",       "EndPage",
                                             "EndDoc"};
  EXPECT_EQ(log_, expected);
  // Printing is over: copies back to 1, the window enabled, no box left.
  EXPECT_EQ(State().settings.dparam[29], 1);
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_EQ(State().printer.cancelBox, nullptr);
}

TEST_F(PrintChartTest, AOnePageChartIsDrawnWithPageZeroWithoutTheBox) {
  EXPECT_EQ(Print(Chart(1)), 0);
  EXPECT_EQ(Pages(), "0,");
  EXPECT_EQ(boxDuringDraw_, nullptr);
  EXPECT_FALSE(windowEnabledDuringDraw_);
  EXPECT_EQ(requests_.at(0).mode, 3);
}

TEST_F(PrintChartTest, SeveralCopiesShowTheCancelBox) {
  copies_ = 2;
  EXPECT_EQ(Print(Chart(1)), 0);
  EXPECT_EQ(Pages(), "0,0,");
  EXPECT_NE(boxDuringDraw_, nullptr);
  EXPECT_FALSE(IsWindow(boxDuringDraw_));
}

TEST_F(PrintChartTest, ThePageArgumentComesFromThePageListOrCountsUp) {
  PrintJob job = Chart(3);
  job.pageList = {{4, 0}, {7, 0}, {9, 0}};
  EXPECT_EQ(Print(job), 0);
  EXPECT_EQ(Pages(), "4,7,9,");
  log_.clear();
  job.pageNumberSetting = 3;
  EXPECT_EQ(Print(job), 0);
  EXPECT_EQ(Pages(), "1,2,3,");
}

TEST_F(PrintChartTest, APageRangePrintsOnlyThoseAndARangeBelowOneNothing) {
  range_ = true;
  from_ = 2;
  to_ = 3;
  EXPECT_EQ(Print(Chart(4)), 0);
  EXPECT_EQ(Pages(), "2,3,");
  log_.clear();
  from_ = 0;
  EXPECT_EQ(Print(Chart(4)), 23);
  EXPECT_TRUE(log_.empty());
}

TEST_F(PrintChartTest, AFailingStartOfDocumentIsCannotPrintAndNothingIsAborted) {
  failStartDoc_ = 1;
  EXPECT_EQ(Print(Chart(2)), 23);
  EXPECT_EQ(Pages(), "");
  for (const auto& entry : log_) EXPECT_NE(entry, "AbortDoc");
  EXPECT_TRUE(IsWindowEnabled(window_));
}

TEST_F(PrintChartTest, AFailingStartOfPageAbortsTheDocument) {
  failStartPageAt_ = 2;
  EXPECT_EQ(Print(Chart(3)), 23);
  EXPECT_EQ(Pages(), "1,");
  EXPECT_EQ(log_.back(), "AbortDoc");
  for (const auto& entry : log_) EXPECT_NE(entry, "EndDoc");
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_EQ(State().printer.cancelBox, nullptr);
}

TEST_F(PrintChartTest, AFailingDrawAbortsTheDocument) {
  onDraw_ = [](int page) { return page == 2 ? 35 : 0; };
  EXPECT_EQ(Print(Chart(3)), 23);
  EXPECT_EQ(Pages(), "1,2,");
  EXPECT_EQ(log_.back(), "AbortDoc");
}

TEST_F(PrintChartTest, CancelInTheBoxStopsAndAbortsTheDocument) {
  copies_ = 3;
  onDraw_ = [](int) {
    SendMessageA(State().printer.cancelBox, WM_COMMAND, IDCANCEL, 0);
    return 0;
  };
  EXPECT_EQ(Print(Chart(3)), 109);
  EXPECT_EQ(Pages(), "1,");
  EXPECT_EQ(log_.back(), "AbortDoc");
  EXPECT_EQ(State().printer.userAbort, 1);
  EXPECT_TRUE(IsWindowEnabled(window_));
  EXPECT_FALSE(IsWindow(boxDuringDraw_));
}

TEST_F(PrintChartTest, TheAbortRoutineAnswersContinueUntilCancel) {
  State().printer.userAbort = 0;
  EXPECT_TRUE(PrintAbortProc(nullptr, 0));
  State().printer.userAbort = 1;
  EXPECT_FALSE(PrintAbortProc(nullptr, 0));
}

TEST_F(PrintChartTest, ACancelledDialogPrintsNothing) {
  cancelDialog_ = true;
  EXPECT_EQ(Print(Chart(3)), 109);
  EXPECT_TRUE(log_.empty());
  EXPECT_TRUE(notices_.empty());
}

TEST_F(PrintChartTest, ChangingThePrinterWarnsAndStillPrints) {
  State().printer.chosen = true;
  State().printer.target = {"winspool", "Old Printer", "LPT2:", {}};
  EXPECT_EQ(Print(Chart(1)), 0);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0],
            "179 Old Printer,winspool,LPT2:.\n\nIt may not be possible to print the chart after "
            "changing\r\nthe printer.  If not, you will need to select the printer\r\nbefore "
            "producing the chart.");
  EXPECT_EQ(Pages(), "0,");
}

TEST_F(PrintChartTest, TheSamePrinterGivesNoWarning) {
  State().printer.chosen = true;
  State().printer.target = {"winspool", "Office Laser", "LPT1:", {}};
  EXPECT_EQ(Print(Chart(1)), 0);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(PrintChartTest, APageSmallerThanTheChartPageIsRefused) {
  State().printer.chosen = true;
  State().printer.target = {"winspool", "Office Laser", "LPT1:", {}};
  State().page.usableColumns = 5000;
  EXPECT_EQ(Print(Chart(1)), 23);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0], "52 ");
  EXPECT_TRUE(log_.empty());
}

TEST_F(PrintChartTest, TheBoxSaysWhatIsPrinted) {
  EXPECT_EQ(PrintingBoxText(1, false), "Printing  1  copy");
  EXPECT_EQ(PrintingBoxText(3, false), "Printing  3  copies");
  EXPECT_EQ(PrintingBoxText(3, true), "Printing to file");
}

TEST_F(PrintChartTest, TheCommandShowsTheStatusAndTheHelpContext) {
  cancelDialog_ = true;
  PrintChartCommand(window_, Chart(1));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Print cancelled");
  EXPECT_EQ(boxes_[0].caption, "Dorvane");
  EXPECT_EQ(State().app.helpContext, 301);
}

TEST_F(PrintChartTest, TheCommandShowsCannotInitialisePrinterThenCannotPrint) {
  State().printer.printDialog = [](HWND, const PrintDialogRequest&) {
    PrintDialogAnswer a;
    a.dialogError = true;
    return a;
  };
  PrintChartCommand(window_, Chart(1));
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Cannot initialise printer");
  EXPECT_EQ(boxes_[1].text, "Cannot print");
}

TEST_F(PrintChartTest, AChartWithoutPageBreaksAsksFirst) {
  PrintJob job = Chart(1);
  job.withoutPageBreaks = true;
  boxAnswer_ = IDNO;
  PrintChartCommand(window_, job);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].type & MB_YESNO, UINT(MB_YESNO));
  EXPECT_TRUE(requests_.empty());
  boxAnswer_ = IDYES;
  PrintChartCommand(window_, job);
  EXPECT_EQ(requests_.size(), 1u);
  EXPECT_EQ(Pages(), "0,");
}

TEST_F(PrintChartTest, PrintCommandPrintsTheChartOnShow) {
  SendMessageA(window_, WM_COMMAND, 23, 0);  // nothing on show: nothing happens
  EXPECT_TRUE(requests_.empty());
  const PrintJob chart = Chart(2);
  ShownChartPart part;
  part.draw = chart.draw;
  part.extent = [] {
    ChartExtent extent;
    extent.pageList = {{1, 0}, {3, 0}};
    return extent;
  };
  part.hasPages = true;
  part.pageNumberSetting = [] { return 1; };
  RegisterShownChart(ChartSlot::kFullChart, part);
  State().app.fullChartState = 2;
  SendMessageA(window_, WM_COMMAND, 23, 0);
  UnregisterShownChart(ChartSlot::kFullChart);
  ASSERT_EQ(requests_.size(), 1u);
  EXPECT_EQ(requests_[0].mode, 2);
  EXPECT_EQ(Pages(), "1,3,");
}

TEST_F(PrintChartTest, TheBirthBriefAndTheSelectiveTreePrintAsOnePage) {
  PrintJob job;
  ShownChartPart part;
  part.draw = Chart(1).draw;
  part.extent = [] { return ChartExtent{}; };
  RegisterShownChart(ChartSlot::kBirthBrief, part);
  State().app.birthBriefChartState = 2;
  ASSERT_TRUE(ShownChartPrintJob(job));
  EXPECT_FALSE(job.byPages);
  EXPECT_EQ(job.dialogMode, 4);
  UnregisterShownChart(ChartSlot::kBirthBrief);
  RegisterShownChart(ChartSlot::kSelectiveTree, part);
  State().app.selectiveChartState = 2;
  ASSERT_TRUE(ShownChartPrintJob(job));
  EXPECT_EQ(job.dialogMode, 3);
  UnregisterShownChart(ChartSlot::kSelectiveTree);
}

}  // namespace
}  // namespace dv::win::test
