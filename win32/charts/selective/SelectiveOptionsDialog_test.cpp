#include "charts/selective/SelectiveOptionsDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "charts/selective/SelectiveOptionsDialogRes.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class SelectiveOptionsDialogTest : public ShellTest {
 protected:
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }
  void Open() {
    session_.settings = &settings_;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kSelectiveOptionsTemplate, nullptr,
                                 SelectiveOptionsDialogProc, reinterpret_cast<LPARAM>(&session_));
    ASSERT_NE(dialog_, nullptr);
  }
  void Press(int control) {
    SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog_, control)));
  }
  bool Checked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }
  void Check(int control, bool on) {
    CheckDlgButton(dialog_, control, on ? BST_CHECKED : BST_UNCHECKED);
  }

  dv::Settings settings_;
  SelectiveOptionsSession session_;
  HWND dialog_ = nullptr;
};

TEST_F(SelectiveOptionsDialogTest, ShowsTheFifteenOptionsAndStoresThemOnOk) {
  Open();
  // Fresh settings: birth and marriage data and top surnames in capitals.
  for (int i = 0; i < 15; ++i) EXPECT_EQ(Checked(IDC_STOPT_FIRST + i), i == 0 || i == 5) << i;
  Check(IDC_STOPT_NO_SIBLINGS, true);
  Check(IDC_STOPT_BIRTH_MARRIAGE, false);
  Check(IDC_STOPT_ALL_CAPITALS, true);
  Press(IDOK);
  EXPECT_TRUE(session_.accepted);
  EXPECT_EQ(settings_.dparam[0], 0);
  EXPECT_EQ(settings_.dparam[1], 1);
  EXPECT_EQ(settings_.dparam[14], 1);
  EXPECT_EQ(settings_.eparam[1], 1);  // the Birth Brief's "All capitals" too
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(SelectiveOptionsDialogTest, TheLineWidthIsClampedOnOkAndPutBackOnCancel) {
  Open();
  SetDlgItemTextA(dialog_, IDC_STOPT_LINE_WIDTH, "25");
  EXPECT_EQ(settings_.bparam[0], 25);
  Press(IDOK);
  EXPECT_EQ(settings_.bparam[0], 10);
  DestroyWindow(dialog_);

  settings_.bparam[0] = 4;
  Open();
  SetDlgItemTextA(dialog_, IDC_STOPT_LINE_WIDTH, "0");
  Press(IDCANCEL);
  EXPECT_EQ(settings_.bparam[0], 4);
  EXPECT_FALSE(session_.accepted);
  DestroyWindow(dialog_);

  Open();
  SetDlgItemTextA(dialog_, IDC_STOPT_LINE_WIDTH, "0");
  Press(IDOK);
  EXPECT_EQ(settings_.bparam[0], 1);
}

TEST_F(SelectiveOptionsDialogTest, TurningOnMarriageByEqualsWarnsOnce) {
  Open();
  Check(IDC_STOPT_EQUALS, true);
  Press(IDOK);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(std::string(boxes_[0].text).rfind("You have chosen to display marriages by '='.", 0),
            0u);
  DestroyWindow(dialog_);
  Open();  // already on: no warning
  Press(IDOK);
  EXPECT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(settings_.dparam[4], 1);
}

}  // namespace
}  // namespace dv::win::test
