#include "charts/selective/BirthBriefDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "charts/selective/BirthBriefDialogRes.h"
#include "charts/selective/BirthBriefState.h"
#include "charts/selective/BirthBriefTestData.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "data/DataSource.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class BirthBriefDialogTest : public ShellTest, public ModelessDialogControls {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ResetDataState();
    ResetBirthBriefState();
    std::string summary;
    ASSERT_EQ(dv::LoadDataSourceBytes(store_, kBirthBriefFamily, dv::LoadOptions{}, summary), 0);
    BirthBriefLinks& links = BirthBrief().links;
    links.store = [this] { return loaded_ ? &store_ : nullptr; };
    links.chooseBase = [this](HWND dialog, ChartSelection& selection) {
      chooserOwners_.push_back(dialog);
      if (choice_ == 0) return false;
      selection.baseIndex = choice_;
      return true;
    };
    links.printerDialog = [this](HWND dialog) { printerOwners_.push_back(dialog); };
  }

  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ResetBirthBriefState();
    ResetDataState();
    ShellTest::TearDown();
  }

  // The dialog, modeless; the messages it posted to itself are handled.
  HWND Open(bool automatic = false) {
    session_.automatic = automatic;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kBirthBriefTemplate, nullptr,
                                 BirthBriefDialogProc, reinterpret_cast<LPARAM>(&session_));
    Pump();
    return dialog_;
  }



  dv::RecordStore store_;
  bool loaded_ = true;
  std::int32_t choice_ = 0;
  std::vector<HWND> chooserOwners_;
  std::vector<HWND> printerOwners_;
  BirthBriefDialogSession session_;
};

TEST_F(BirthBriefDialogTest, ShowsTheBaseIndividualAndEnablesRun) {
  Data().selection.baseIndex = 1;
  ASSERT_NE(Open(), nullptr);
  EXPECT_NE(Text(IDC_BB_BASE_NAME).find("Morwenna"), std::string::npos);
  EXPECT_EQ(GetParent(GetDlgItem(dialog_, IDC_BB_BASE_NAME)), dialog_);
  EXPECT_EQ(Text(IDC_BB_BASE_GROUP), "Base Individual");
  EXPECT_TRUE(Enabled(IDC_BB_RUN));
  EXPECT_FALSE(Enabled(IDC_BB_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_BB_PRINTER));
  EXPECT_TRUE(chooserOwners_.empty());
}

TEST_F(BirthBriefDialogTest, WithoutABaseTheListOpensAtOnce) {
  choice_ = 2;
  Open();
  ASSERT_EQ(chooserOwners_.size(), 1u);
  EXPECT_EQ(chooserOwners_[0], dialog_);
  EXPECT_EQ(Data().selection.baseIndex, 2);
  EXPECT_NE(Text(IDC_BB_BASE_NAME).find("Jory"), std::string::npos);
  EXPECT_TRUE(Enabled(IDC_BB_RUN));
}

TEST_F(BirthBriefDialogTest, ListCancelledLeavesRunDisabled) {
  Open();
  EXPECT_EQ(chooserOwners_.size(), 1u);
  EXPECT_EQ(Text(IDC_BB_BASE_NAME), "");
  EXPECT_FALSE(Enabled(IDC_BB_RUN));
}

TEST_F(BirthBriefDialogTest, WithoutRecordsNoListAndNoRun) {
  loaded_ = false;
  Data().selection.baseIndex = 1;
  Open();
  EXPECT_TRUE(chooserOwners_.empty());
  EXPECT_EQ(Data().selection.baseIndex, 0);
  EXPECT_FALSE(Enabled(IDC_BB_RUN));
}

TEST_F(BirthBriefDialogTest, RunEnablesPrintPreviewAndDisablesPrinterAndRun) {
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_RUN);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(BirthBrief().chart.HasChart());
  EXPECT_TRUE(Enabled(IDC_BB_PREVIEW));
  EXPECT_FALSE(Enabled(IDC_BB_PRINTER));
  EXPECT_FALSE(Enabled(IDC_BB_RUN));
  EXPECT_EQ(LOWORD(SendMessageA(dialog_, DM_GETDEFID, 0, 0)), IDC_BB_PREVIEW);
  EXPECT_TRUE(IsWindowEnabled(dialog_));
  // The chart holds the base and the grandfather's line.
  const dv::BirthBriefTables* tables = BirthBrief().chart.Tables();
  ASSERT_NE(tables, nullptr);
  EXPECT_NE(std::string(tables->Name(0)).find("Morwenna"), std::string::npos);
  EXPECT_NE(std::string(tables->Name(3)).find("Petroc"), std::string::npos);
}

TEST_F(BirthBriefDialogTest, RunUsesTheOptionsOfTheSettings) {
  State().settings.eparam[0] = 0;  // 7 generations
  State().settings.dparam[39] = 28;
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_RUN);
  EXPECT_EQ(BirthBrief().chart.Options().generations, 7);
  EXPECT_EQ(BirthBrief().chart.Options().width, 28);
  // The page leaves room for 6 W + 34 columns inside the margins.
  EXPECT_GE(BirthBrief().chart.Extent().chartColumns, 6 * 28 + 34);
}

TEST_F(BirthBriefDialogTest, PrintPreviewClosesWithTheChartKept) {
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_RUN);
  Press(IDC_BB_PREVIEW);
  EXPECT_TRUE(session_.printPreview);
  EXPECT_TRUE(BirthBrief().chart.HasChart());
}

TEST_F(BirthBriefDialogTest, CloseReleasesTheChart) {
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_RUN);
  Press(IDC_BB_CLOSE);
  EXPECT_FALSE(session_.printPreview);
  EXPECT_FALSE(BirthBrief().chart.HasChart());
}

TEST_F(BirthBriefDialogTest, ChoosingAnotherBaseDropsTheChartRunForTheOldOne) {
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_RUN);
  choice_ = 2;
  Press(IDC_BB_LIST);
  EXPECT_FALSE(BirthBrief().chart.HasChart());
  EXPECT_FALSE(Enabled(IDC_BB_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_BB_RUN));
  EXPECT_TRUE(Enabled(IDC_BB_PRINTER));
}

TEST_F(BirthBriefDialogTest, PrinterOpensThePrinterDialog) {
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_PRINTER);
  ASSERT_EQ(printerOwners_.size(), 1u);
  EXPECT_EQ(printerOwners_[0], dialog_);
}

TEST_F(BirthBriefDialogTest, StartedFromTheCommandLineRunsAndPreviewsByItself) {
  Data().selection.baseIndex = 1;
  Open(true);
  EXPECT_TRUE(BirthBrief().chart.HasChart());
  EXPECT_TRUE(session_.printPreview);
}

TEST_F(BirthBriefDialogTest, PrintPreviewWithoutAChartDoesNothing) {
  Data().selection.baseIndex = 1;
  Open();
  Press(IDC_BB_PREVIEW);
  EXPECT_FALSE(session_.printPreview);
}

}  // namespace
}  // namespace dv::win::test
