#include "charts/selective/ManualFormatDialog.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "charts/selective/ChartDialogTestSupport.h"
#include "charts/selective/ChartFileWrite.h"
#include "charts/selective/ManualFormatDialogRes.h"
#include "charts/selective/SelectiveChart.h"
#include "charts/selective/SelectiveTestData.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class ManualFormatDialogTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    const std::string ged = WriteFile("families.ged", dv::test::kSelectiveFamilies);
    dvb_ = dir_ + "\\tree.dvb";
    dv::ExtractRequest rq;
    rq.sourcePath = ged;
    rq.outputPath = dvb_;
    rq.baseNumber = 1;
    rq.selection = {8, 12};
    ASSERT_EQ(dv::ExtractTree(rq, prompter_), 0);
    dv::SelectivePage page;
    page.pageColumns = 140;
    page.pageLines = 90;
    ASSERT_EQ(chart_.RunChartFile(dvb_, dv::SelectiveOptions{}, page, prompter_), 0);
    session_.tables = chart_.Tables();
    session_.list = &list_;
    session_.usableColumns = chart_.Extent().usableColumns;
    session_.minColumn = 0;
    session_.maxColumn = chart_.Extent().usableColumns;
    session_.canSave = true;
    session_.path = dvb_;
  }
  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    DeleteFileA(dvb_.c_str());
    ShellTest::TearDown();
  }
  HWND Open() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kManualFormatTemplate, nullptr,
                                 ManualFormatDialogProc, reinterpret_cast<LPARAM>(&session_));
    EXPECT_NE(dialog_, nullptr);
    return dialog_;
  }
  std::string Text(int control) {
    char text[600] = {};
    GetDlgItemTextA(dialog_, control, text, sizeof text);
    return text;
  }
  std::string ReadAll() {
    std::ifstream in(dvb_, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Sets the shift of the entry at index through the edit dialog.
  void EditShift(int index, const std::string& shift) {
    ModalDriver driver;
    driver.Then("Manual shift", [index, shift](HWND edit) {
      SendDlgItemMessageA(edit, IDC_ME_LIST, LB_SETCURSEL, WPARAM(index), 0);
      SendMessageA(edit, WM_COMMAND, MAKEWPARAM(IDC_ME_LIST, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(edit, IDC_ME_LIST)));
      SetDlgItemTextA(edit, IDC_ME_SHIFT, shift.c_str());
      ModalDriver::Press(edit, IDC_ME_OK);
    });
    ModalDriver::Press(dialog_, IDC_MF_EDIT);
    EXPECT_TRUE(driver.Done());
  }
  dv::SelectivePrompter prompter_;
  dv::SelectiveChart chart_;
  std::vector<dv::ManualShift> list_;
  ManualFormatSession session_;
  std::string dvb_;
  HWND dialog_ = nullptr;
};

TEST_F(ManualFormatDialogTest, ListsTheGroupsWithTheirRanges) {
  Open();
  EXPECT_EQ(Text(IDC_MF_KEYS), "1\r\n2\r\n3\r\n4\r\n6\r\n");
  EXPECT_EQ(Text(IDC_MF_GENERATIONS), "1\r\n2\r\n2\r\n3\r\n3\r\n");
  EXPECT_EQ(Text(IDC_MF_SHIFTS), "0\r\n0\r\n0\r\n0\r\n0\r\n");
  EXPECT_EQ(Text(IDC_MF_NEW_MINS), "");  // the keys were new: no new range yet
  EXPECT_EQ(Text(IDC_MF_LIMIT_MIN), "min   0");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog_, IDC_MF_SAVE)));
  ASSERT_EQ(list_.size(), 5u);
}

TEST_F(ManualFormatDialogTest, EditedShiftsShowAndOkKeepsThem) {
  Open();
  EditShift(3, "2");
  EXPECT_EQ(Text(IDC_MF_SHIFTS), "0\r\n0\r\n0\r\n2\r\n0\r\n");
  EXPECT_NE(Text(IDC_MF_NEW_MINS), "");
  ModalDriver::Press(dialog_, IDC_MF_OK);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(session_.ok);
  EXPECT_EQ(list_[3].shift, 2);
}

TEST_F(ManualFormatDialogTest, AnOverlapIsRefusedAndCancelPutsTheShiftsBack) {
  Open();
  EditShift(0, "-999");
  ModalDriver::Press(dialog_, IDC_MF_OK);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Format error: family groups overlap.");
  EXPECT_FALSE(session_.ok);
  ModalDriver::Press(dialog_, IDC_MF_CANCEL);
  for (const dv::ManualShift& e : list_) EXPECT_EQ(e.shift, 0);
}

TEST_F(ManualFormatDialogTest, SaveWritesOneSectionIntoTheChartFile) {
  Open();
  EditShift(4, "-1");
  ModalDriver::Press(dialog_, IDC_MF_SAVE);
  ModalDriver::Press(dialog_, IDC_MF_SAVE);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Data will be appended to file " + dvb_ +
                                ", or will replace existing manual format data.");
  const std::string text = ReadAll();
  EXPECT_EQ(text.find("\n-1\n"), text.rfind("\n-1\n"));
  EXPECT_NE(text.find("\n-1\n@ 1,0\n@ 2,0\n@ 3,0\n@ 4,0\n@ 6,-1\n"), std::string::npos) << text;
}

TEST_F(ManualFormatDialogTest, TypingWithoutASelectionIsRefused) {
  Open();
  ModalDriver driver;
  driver.Then("Manual shift", [](HWND edit) {
    SetDlgItemTextA(edit, IDC_ME_SHIFT, "3");
    ModalDriver::Press(edit, IDC_ME_CANCEL);
  });
  ModalDriver::Press(dialog_, IDC_MF_EDIT);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "No current selection");
  EXPECT_EQ(Text(IDC_MF_SHIFTS), "0\r\n0\r\n0\r\n0\r\n0\r\n");
}

}  // namespace
}  // namespace dv::win::test
