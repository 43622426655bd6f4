#include "charts/full/FullChartDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "charts/full/FullChartDialogRes.h"
#include "charts/full/FullChartState.h"
#include "charts/full/FullChartTestData.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class FullChartDialogTest : public ShellTest, public ModelessDialogControls {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ResetDataState();
    ResetFullChartState();
    dv::testing::GedcomBuilder b;
    base_ = dv::testing::Pedigree(b, 3);
    lone_ = b.Person("Lone /Person/", 1);
    b.LoadInto(store_);
    FullChartLinks& links = Full().links;
    links.store = [this] { return &store_; };
    links.chooseBase = [this](HWND dialog, ChartSelection& selection) {
      chooserOwners_.push_back(dialog);
      if (choice_ == 0) return false;
      selection.baseIndex = choice_;
      return true;
    };
    links.page = [] { return dv::FullChartPage{}; };
    links.printerReached = [this] { return printer_; };
    links.printerDialog = [this](HWND dialog) { printerOwners_.push_back(dialog); };
  }

  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ResetFullChartState();
    ResetDataState();
    ShellTest::TearDown();
  }

  HWND Open() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kFullChartTemplate, nullptr,
                                 FullChartDialogProc, reinterpret_cast<LPARAM>(&session_));
    Pump();
    return dialog_;
  }
  void Click(int control) {
    SendDlgItemMessageA(dialog_, control, BM_CLICK, 0, 0);
    Pump();
  }
  bool Visible(int control) { return IsWindowVisible(GetDlgItem(dialog_, control)) != 0; }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes_) texts.push_back(box.text);
    return texts;
  }

  dv::RecordStore store_;
  int base_ = 0, lone_ = 0;
  std::int32_t choice_ = 0;
  bool printer_ = true;
  std::vector<HWND> chooserOwners_, printerOwners_;
  FullChartDialogSession session_;
};

TEST_F(FullChartDialogTest, OpensWithTheBaseAndTheFormat) {
  Data().selection.baseIndex = base_;
  State().settings.dparam[kSlotNoPageBreaks] = 1;
  Open();
  EXPECT_EQ(Text(IDC_FC_BASE_NAME), "Base Person");
  EXPECT_TRUE(Enabled(IDC_FC_RUN));
  EXPECT_TRUE(Enabled(IDC_FC_PRINTER));
  EXPECT_FALSE(Enabled(IDC_FC_PREVIEW));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog_, IDC_FC_RESULT)) && IsWindowVisible(dialog_));
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_FC_NO_PAGE_BREAKS), BST_CHECKED);
  EXPECT_TRUE(chooserOwners_.empty());
}

TEST_F(FullChartDialogTest, WithoutABaseTheListOpensAtOnce) {
  Open();
  EXPECT_FALSE(Enabled(IDC_FC_RUN));
  ASSERT_EQ(chooserOwners_.size(), 1u);
  EXPECT_EQ(chooserOwners_[0], dialog_);
}

TEST_F(FullChartDialogTest, RunShowsTheResultAndPrintPreviewShowsTheChart) {
  Data().selection.baseIndex = base_;
  Open();
  Press(IDC_FC_RUN);
  ASSERT_TRUE(Full().chart.HasChart());
  EXPECT_TRUE(boxes_.empty());
  const dv::FullChartPage page;
  EXPECT_EQ(
      Text(IDC_FC_RESULT),
      Full().chart.ResultText(page.printerCharWidth, page.printerLineHeight, page.dpiX, page.dpiY));
  EXPECT_EQ(Text(IDC_FC_RESULT).rfind("Size: ", 0), 0u);
  EXPECT_NE(Text(IDC_FC_RESULT).find("15  individuals, 7  families"), std::string::npos);
  EXPECT_FALSE(Enabled(IDC_FC_PRINTER));
  EXPECT_FALSE(Enabled(IDC_FC_PAGE_BREAKS));
  EXPECT_TRUE(Enabled(IDC_FC_PREVIEW));
  EXPECT_EQ(Text(IDC_FC_PREVIEW), "Print Preview");
  Press(IDC_FC_PREVIEW);
  EXPECT_TRUE(session_.printPreview);
}

TEST_F(FullChartDialogTest, WithoutPageBreaksTheButtonSaysView) {
  Data().selection.baseIndex = base_;
  Open();
  Click(IDC_FC_NO_PAGE_BREAKS);
  EXPECT_EQ(State().settings.dparam[kSlotNoPageBreaks], 1);
  Press(IDC_FC_RUN);
  EXPECT_EQ(Text(IDC_FC_PREVIEW), "View");
  EXPECT_EQ(Full().chart.Extent().pagesAcross, 1);
}

TEST_F(FullChartDialogTest, WithoutAPrinterOnlyAChartWithoutPageBreaksRuns) {
  Data().selection.baseIndex = base_;
  printer_ = false;
  Open();
  Press(IDC_FC_RUN);
  EXPECT_FALSE(Full().chart.HasChart());
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{
                "Cannot format for printer.\n\nYou must choose the 'No page breaks' option."}));
  Click(IDC_FC_NO_PAGE_BREAKS);
  Press(IDC_FC_RUN);
  EXPECT_TRUE(Full().chart.HasChart());
}

TEST_F(FullChartDialogTest, AFailedRunNamesTheStepTheCauseAndTheChart) {
  Data().selection.baseIndex = lone_;
  Open();
  Press(IDC_FC_RUN);
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{"Aborted in layout", "Base individual has no ancestors",
                                      "Cannot generate chart"}));
  EXPECT_FALSE(Full().chart.HasChart());
  EXPECT_EQ(State().app.fullChartState, 0);
  Press(IDC_FC_PREVIEW);
  EXPECT_EQ(Boxes().back(), "Cannot display");
  EXPECT_FALSE(session_.printPreview);
}

TEST_F(FullChartDialogTest, ANewBaseReleasesTheChart) {
  Data().selection.baseIndex = base_;
  Open();
  Press(IDC_FC_RUN);
  ASSERT_TRUE(Full().chart.HasChart());
  choice_ = 2;
  Press(IDC_FC_LIST);
  EXPECT_FALSE(Full().chart.HasChart());
  EXPECT_FALSE(Enabled(IDC_FC_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_FC_PRINTER));
  EXPECT_TRUE(Enabled(IDC_FC_RUN));
  EXPECT_EQ(Text(IDC_FC_BASE_NAME), "Father1 Line");
}

TEST_F(FullChartDialogTest, CloseReleasesTheChartAndPrinterOpensTheDialog) {
  Data().selection.baseIndex = base_;
  Open();
  Press(IDC_FC_PRINTER);
  ASSERT_EQ(printerOwners_.size(), 1u);
  Press(IDC_FC_RUN);
  Press(IDC_FC_CLOSE);
  EXPECT_FALSE(Full().chart.HasChart());
  EXPECT_FALSE(session_.printPreview);
  dialog_ = nullptr;  // ended
}

TEST_F(FullChartDialogTest, ATitleWithoutSpaceIsTriedAgainNextRun) {
  Data().selection.baseIndex = base_;
  State().settings.dparam[kSlotTitle] = 1;
  Open();
  Press(IDC_FC_RUN);
  // Placed or not, the setting says so: 1 or 3 placed, negative not.
  const int title = State().settings.dparam[kSlotTitle];
  EXPECT_NE(title, 0);
  if (title < 0) {
    EXPECT_EQ(Boxes(), (std::vector<std::string>{"Cannot find space for title"}));
  }
}

}  // namespace
}  // namespace dv::win::test
