#include "data/ExtractDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataTestSupport.h"
#include "data/ExtractDialogRes.h"
#include "resources/resource.h"

namespace dv::win::test {
namespace {

class ExtractDialogTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    ExtractOutputPath().clear();
    window_ = Start("");
    source_ = WriteFile("family.ged", kSmallGedcom);
    ASSERT_TRUE(Load(source_));
    boxes_.clear();
    Data().selection.baseIndex = 3;  // Ann Smith, child of I1 and I2
  }
  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    DeleteFileA(Output().c_str());
    DataTest::TearDown();
  }
  std::string Output() const { return dir_ + "\\out.dva"; }
  HWND Open() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kExtractTemplate, window_,
                                 ExtractDialogProc, 0);
    EXPECT_NE(dialog_, nullptr);
    return dialog_;
  }
  void Ok(const std::string& path) {
    SetDlgItemTextA(dialog_, IDC_EX_PATH, path.c_str());
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_EX_OK, BN_CLICKED), 0);
  }
  bool Enabled(int control) { return IsWindowEnabled(GetDlgItem(dialog_, control)) != 0; }
  HWND window_ = nullptr;
  HWND dialog_ = nullptr;
  std::string source_;
};

TEST_F(ExtractDialogTest, WritesTheBirthBriefChartFileAndOffersTheEditor) {
  Open();
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_EX_BIRTH_BRIEF), BST_CHECKED);
  EXPECT_FALSE(Enabled(IDC_EX_EDIT));
  Ok(Output());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Data successfully extracted");
  EXPECT_EQ(ReadFile(Output()),
            "Chart\n1 Ann Smith/ //\n2 John Smith/ //\n3 Mary Jones/ //\n");
  EXPECT_TRUE(Enabled(IDC_EX_EDIT));
  EXPECT_FALSE(Enabled(IDC_EX_OK));  // until the dialog opens again
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_EX_EDIT, BN_CLICKED), 0);
  EXPECT_EQ(std::string(TextOf(State().work.pathBuffer)), "Notepad " + Output());
  EXPECT_EQ(PostedCommands(window_), std::vector<int>{IDM_RUN_EDITOR});
}

TEST_F(ExtractDialogTest, AnEmptyPathDoesNothing) {
  Open();
  Ok("");
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(Enabled(IDC_EX_OK));
}

TEST_F(ExtractDialogTest, TheDataSourceItselfIsRefusedInAnyCase) {
  const std::string before = ReadFile(source_);
  Open();
  for (const std::string& path : {source_, Upper(source_), dir_ + "\\.\\family.ged"}) {
    boxes_.clear();
    Ok(path);
    ASSERT_EQ(boxes_.size(), 1u) << path;
    EXPECT_EQ(boxes_[0].text, "Input & output files the same!");
    EXPECT_TRUE(Enabled(IDC_EX_OK));
  }
  EXPECT_EQ(ReadFile(source_), before);
}

TEST_F(ExtractDialogTest, ThePathIsKeptAndTheTreeChosenAfterTheSelectiveTree) {
  Open();
  Ok(Output());
  DestroyWindow(dialog_);
  State().app.chartKind = 3;  // the Selective Tree was used last
  Open();
  char text[300] = {};
  GetDlgItemTextA(dialog_, IDC_EX_PATH, text, sizeof text);
  EXPECT_EQ(std::string(text), Output());
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_EX_TREE), BST_CHECKED);
  // Without chosen ancestors the Tree cannot be extracted; the earlier
  // file is kept when the user agrees to replace it but the extract fails.
  boxes_.clear();
  Ok(Output());
  ASSERT_GE(boxes_.size(), 2u);
  EXPECT_EQ(boxes_.back().text, "Cannot extract data");
  EXPECT_EQ(ReadFile(Output()).substr(0, 6), "Chart\n");
}

}  // namespace
}  // namespace dv::win::test
