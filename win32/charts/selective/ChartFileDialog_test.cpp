#include "charts/selective/ChartFileDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "charts/selective/BirthBriefState.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "charts/selective/ChartFileDialogRes.h"
#include "charts/selective/SelectiveState.h"
#include "data/DataState.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

constexpr const char* kBriefFile =
    "Chart\n1 Ann Smith/ Clerk/b Bath, Somerset,1990/\n2 John Smith/ //\n3 Mary Jones/ //\n";
constexpr const char* kTreeFile =
    "Tree\n2 \n1 Ann Smith\n1 1 (Wells,1985)/John Smith/Mary Jones\n1 Ann/1/1990/Tom/0/1992/\n";

class ChartFileDialogTest : public ShellTest, public ModelessDialogControls {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ResetDataState();
    ResetBirthBriefState();
    ResetSelectiveTreeState();
    SelectiveTree().links.page = [] {
      dv::PageGeometry g;
      g.pageColumns = 170;
      g.pageLines = 132;
      return g;
    };
  }
  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    ResetSelectiveTreeState();
    ResetBirthBriefState();
    ResetDataState();
    ShellTest::TearDown();
  }
  HWND Open(ChartFileKind kind, const std::string& path, bool automatic = false) {
    CopyText(State().app.currentSource, path);
    session_.kind = kind;
    session_.automatic = automatic;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kChartFileTemplate, nullptr,
                                 ChartFileDialogProc, reinterpret_cast<LPARAM>(&session_));
    Pump();
    return dialog_;
  }
  std::string Title() {
    char text[100] = {};
    GetWindowTextA(dialog_, text, sizeof text);
    return text;
  }
  ChartFileDialogSession session_;
};

TEST_F(ChartFileDialogTest, RunsTheBirthBriefFromItsChartFile) {
  Open(ChartFileKind::kBirthBrief, WriteFile("smith.dva", kBriefFile));
  EXPECT_EQ(Title(), "Birth Brief");
  EXPECT_EQ(Text(IDC_CF_FILE), "smith.dva");
  EXPECT_FALSE(Enabled(IDC_CF_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_CF_PRINT));
  Press(IDC_CF_RUN);
  EXPECT_TRUE(boxes_.empty());
  ASSERT_TRUE(BirthBrief().chart.HasChart());
  EXPECT_EQ(BirthBrief().chart.Tables()->Name(0), " Ann Smith");
  EXPECT_EQ(BirthBrief().chart.Tables()->Occupation(0), " Clerk");
  EXPECT_TRUE(Enabled(IDC_CF_PREVIEW));
  EXPECT_FALSE(Enabled(IDC_CF_PRINT));
  Press(IDC_CF_PREVIEW);
  EXPECT_TRUE(session_.printPreview);
}

TEST_F(ChartFileDialogTest, TheTreeRefusesABirthBriefFile) {
  Open(ChartFileKind::kTree, WriteFile("smith.dva", kBriefFile));
  EXPECT_EQ(Title(), "Tree");
  Press(IDC_CF_RUN);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Wrong format");
  EXPECT_EQ(boxes_[1].text, "Cannot generate tree");
  EXPECT_FALSE(Enabled(IDC_CF_PREVIEW));
  EXPECT_FALSE(SelectiveTree().chart.HasChart());
}

TEST_F(ChartFileDialogTest, FromTheCommandLineRunAndPreviewPressThemselves) {
  Open(ChartFileKind::kTree, WriteFile("tree.dvb", kTreeFile), true);
  Pump();
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(SelectiveTree().chart.HasChart());
  EXPECT_TRUE(session_.printPreview);
}

TEST_F(ChartFileDialogTest, AMissingFileIsReported) {
  const std::string path = dir_ + "\\gone.dva";
  Open(ChartFileKind::kBirthBrief, path);
  Press(IDC_CF_RUN);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Cannot open file" + path);
  EXPECT_EQ(boxes_[1].text, "Cannot generate chart");
  EXPECT_FALSE(Enabled(IDC_CF_PREVIEW));
}

}  // namespace
}  // namespace dv::win::test
