#include "charts/full/FullChartOptionsDialog.h"

#include <gtest/gtest.h>

#include "charts/full/FullChartOptionsDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class FullChartOptionsTest : public ShellTest {
 protected:
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }
  HWND Open() {
    session_.settings = &settings_;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kFullChartOptionsTemplate, nullptr,
                                 FullChartOptionsDialogProc, reinterpret_cast<LPARAM>(&session_));
    return dialog_;
  }
  void Click(int control) { SendDlgItemMessageA(dialog_, control, BM_CLICK, 0, 0); }
  void Type(int control, const char* text) { SetDlgItemTextA(dialog_, control, text); }
  bool Enabled(int control) { return IsWindowEnabled(GetDlgItem(dialog_, control)) != 0; }
  bool Checked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }
  std::string Text(int control) {
    char text[64] = {};
    GetDlgItemTextA(dialog_, control, text, sizeof text);
    return text;
  }

  dv::Settings settings_;
  FullChartOptionsSession session_;
  HWND dialog_ = nullptr;
};

TEST_F(FullChartOptionsTest, OpensWithTheSettings) {
  settings_.dparam[36] = 1;
  settings_.dparam[37] = 5;
  settings_.dparam[31] = 4;
  settings_.bparam[1] = 2;
  settings_.dparam[32] = 1;
  settings_.dparam[6] = 1;
  Open();
  EXPECT_TRUE(Checked(IDC_FCOPT_ANCESTORS));
  EXPECT_TRUE(Checked(IDC_FCOPT_LIMITED));
  EXPECT_EQ(Text(IDC_FCOPT_MAX_ANCESTORS), "5");
  EXPECT_EQ(Text(IDC_FCOPT_LINE_WIDTH), "6");
  EXPECT_TRUE(Enabled(IDC_FCOPT_MAX_ANCESTORS));
  EXPECT_FALSE(Enabled(IDC_FCOPT_MAX_DESCENDANTS));  // not used for ancestors only
  EXPECT_TRUE(Checked(IDC_FCOPT_NUMBERS_TOP));
  EXPECT_TRUE(Checked(IDC_FCOPT_BLANK_PAGES));
  EXPECT_TRUE(Checked(IDC_FCOPT_LINKS_COLOUR));
  EXPECT_TRUE(Checked(IDC_FCOPT_ALIGN_CENTRE));
  EXPECT_TRUE(Checked(IDC_FCOPT_FOLD));
}

TEST_F(FullChartOptionsTest, AllSetsBothMaximaAndLimitedBackTo199ReadsAsAll) {
  settings_.dparam[37] = 3;
  Open();
  Click(IDC_FCOPT_ALL_GENERATIONS);
  EXPECT_EQ(settings_.dparam[37], 199);
  EXPECT_EQ(settings_.dparam[38], 199);
  EXPECT_FALSE(Enabled(IDC_FCOPT_MAX_ANCESTORS));
  EXPECT_FALSE(Enabled(IDC_FCOPT_MAX_DESCENDANTS));
  Click(IDOK);
  dialog_ = nullptr;
  Open();
  EXPECT_TRUE(Checked(IDC_FCOPT_ALL_GENERATIONS));
}

TEST_F(FullChartOptionsTest, OkClampsTheTypedValues) {
  Open();
  Click(IDC_FCOPT_LIMITED);
  Type(IDC_FCOPT_MAX_ANCESTORS, "500");
  Type(IDC_FCOPT_MAX_DESCENDANTS, "0");
  Type(IDC_FCOPT_LINE_WIDTH, "12");
  EXPECT_EQ(settings_.dparam[37], 500);  // stored as typed until OK
  Click(IDOK);
  dialog_ = nullptr;
  EXPECT_TRUE(session_.accepted);
  EXPECT_EQ(settings_.dparam[37], 199);
  EXPECT_EQ(settings_.dparam[38], 1);
  EXPECT_EQ(settings_.bparam[0], 10);
}

TEST_F(FullChartOptionsTest, PageNumbersNoneDisablesTheirFontAndBlankPages) {
  settings_.dparam[31] = 3;
  Open();
  Click(IDC_FCOPT_NUMBERS_NONE);
  EXPECT_FALSE(Enabled(IDC_FCOPT_NUMBERS_FONT));
  EXPECT_FALSE(Enabled(IDC_FCOPT_BLANK_PAGES));
  EXPECT_FALSE(Checked(IDC_FCOPT_BLANK_PAGES));
  Click(IDC_FCOPT_NUMBERS_BOTTOM);
  Click(IDC_FCOPT_BLANK_PAGES);
  Click(IDOK);
  dialog_ = nullptr;
  EXPECT_EQ(settings_.dparam[31], 3);
  EXPECT_EQ(PageNumberSetting(0, true), 0);
  EXPECT_EQ(PageNumberSetting(2, true), 4);
  EXPECT_EQ(PageNumberSetting(2, false), 2);
}

TEST_F(FullChartOptionsTest, CancelPutsEveryValueBack) {
  const dv::Settings before = settings_;
  Open();
  Click(IDC_FCOPT_DESCENDANTS);
  Click(IDC_FCOPT_LIMITED);
  Type(IDC_FCOPT_MAX_DESCENDANTS, "4");
  Type(IDC_FCOPT_LINE_WIDTH, "2");
  Click(IDCANCEL);
  dialog_ = nullptr;
  EXPECT_FALSE(session_.accepted);
  EXPECT_EQ(settings_.dparam, before.dparam);
  EXPECT_EQ(settings_.bparam, before.bparam);
}

TEST_F(FullChartOptionsTest, SwitchingMarriageByEqualsOnWarnsOnce) {
  Open();
  Click(IDC_FCOPT_EQUALS);
  Click(IDOK);
  dialog_ = nullptr;
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text.rfind("You have chosen to display marriages by '='.", 0), 0u);
  EXPECT_EQ(settings_.dparam[4], 1);
  Open();  // already on: no warning
  Click(IDOK);
  dialog_ = nullptr;
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(FullChartOptionsTest, AFullEditFieldSaysSo) {
  Open();
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_FCOPT_LINE_WIDTH, EN_MAXTEXT),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_FCOPT_LINE_WIDTH)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Edit control out of space");
}

TEST_F(FullChartOptionsTest, AddTitleOpensItsDialogOverTheOptions) {
  Open();
  ModalDriver driver;
  driver.Then("Add title", [](HWND title) {
    SendDlgItemMessageA(title, 161, BM_CLICK, 0, 0);
    ModalDriver::Press(title, IDOK);
  });
  ModalDriver::Press(dialog_, IDC_FCOPT_TITLE);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(settings_.dparam[41], 1);
}

}  // namespace
}  // namespace dv::win::test
