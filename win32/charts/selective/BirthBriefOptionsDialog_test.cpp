#include "charts/selective/BirthBriefOptionsDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "charts/selective/BirthBriefOptionsDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class BirthBriefOptionsDialogTest : public ShellTest {
 protected:
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }

  // The dialog, modeless, on settings_.
  HWND Open() {
    session_.settings = &settings_;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kBirthBriefOptionsTemplate, nullptr,
                                 BirthBriefOptionsDialogProc, reinterpret_cast<LPARAM>(&session_));
    return dialog_;
  }

  std::string Text(int control) {
    char text[64] = {};
    GetDlgItemTextA(dialog_, control, text, sizeof text);
    return text;
  }
  bool Checked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }
  void Click(int control) { SendDlgItemMessageA(dialog_, control, BM_CLICK, 0, 0); }
  void Type(int control, const char* text) { SetDlgItemTextA(dialog_, control, text); }
  void Press(int control) { ModalDriver::Press(dialog_, control); }

  dv::Settings settings_;
  BirthBriefOptionsSession session_;
  HWND dialog_ = nullptr;
};

TEST_F(BirthBriefOptionsDialogTest, OpensWithTheSettings) {
  settings_.eparam = {0, 1, 0, 1, 1, 0, 1};
  settings_.bparam[0] = 3;
  settings_.dparam[39] = 27;
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(Checked(IDC_BBOPT_GEN7));
  EXPECT_FALSE(Checked(IDC_BBOPT_GEN8));
  EXPECT_TRUE(Checked(IDC_BBOPT_CAPITALS));
  EXPECT_FALSE(Checked(IDC_BBOPT_BIRTH_DEATH));
  EXPECT_TRUE(Checked(IDC_BBOPT_OCCUPATION));
  EXPECT_TRUE(Checked(IDC_BBOPT_EXCLUDE_1_2));
  EXPECT_FALSE(Checked(IDC_BBOPT_EXCLUDE_6));
  EXPECT_TRUE(Checked(IDC_BBOPT_ALL_LINES));
  EXPECT_EQ(Text(IDC_BBOPT_LINE_WIDTH), "3");
  EXPECT_EQ(Text(IDC_BBOPT_WIDTH), "27");
}

TEST_F(BirthBriefOptionsDialogTest, UpDownControlsHaveTheLimits) {
  Open();
  int low = 0, high = 0;
  SendDlgItemMessageA(dialog_, IDC_BBOPT_WIDTH_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                      reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 20);
  EXPECT_EQ(high, 31);
  SendDlgItemMessageA(dialog_, IDC_BBOPT_LINE_WIDTH_SPIN, UDM_GETRANGE32,
                      reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 10);
  // The buddies are the edit fields.
  EXPECT_EQ(reinterpret_cast<HWND>(
                SendDlgItemMessageA(dialog_, IDC_BBOPT_WIDTH_SPIN, UDM_GETBUDDY, 0, 0)),
            GetDlgItem(dialog_, IDC_BBOPT_WIDTH));
}

TEST_F(BirthBriefOptionsDialogTest, OkStoresEveryOptionAndSharesAllCapitals) {
  Open();
  Click(IDC_BBOPT_GEN7);
  Click(IDC_BBOPT_CAPITALS);
  Click(IDC_BBOPT_OCCUPATION);
  Click(IDC_BBOPT_EXCLUDE_6);
  Type(IDC_BBOPT_LINE_WIDTH, "2");
  Type(IDC_BBOPT_WIDTH, "25");
  Press(IDOK);
  EXPECT_TRUE(session_.accepted);
  EXPECT_EQ(settings_.eparam, (std::array<std::int32_t, 7>{0, 1, 1, 0, 0, 1, 0}));
  EXPECT_EQ(settings_.dparam[14], 1);
  EXPECT_EQ(settings_.bparam[0], 2);
  EXPECT_EQ(settings_.dparam[39], 25);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(BirthBriefOptionsDialogTest, ClearingAllCapitalsClearsTheSelectiveTreeSettingToo) {
  settings_.eparam[1] = 1;
  settings_.dparam[14] = 1;
  Open();
  Click(IDC_BBOPT_CAPITALS);
  Press(IDOK);
  EXPECT_EQ(settings_.eparam[1], 0);
  EXPECT_EQ(settings_.dparam[14], 0);
}

TEST_F(BirthBriefOptionsDialogTest, FortyCharactersAreStoredAs31WithMessage116) {
  Open();
  Type(IDC_BBOPT_WIDTH, "40");
  Press(IDOK);
  EXPECT_EQ(settings_.dparam[39], 31);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Maximum 31 characters per generation");
  EXPECT_EQ(boxes_[0].caption, "Dorvane");
  EXPECT_EQ(boxes_[0].owner, dialog_);
}

TEST_F(BirthBriefOptionsDialogTest, ThirtyTwoIsTooWideThirtyOneIsNot) {
  Open();
  Type(IDC_BBOPT_WIDTH, "31");
  Press(IDOK);
  EXPECT_EQ(settings_.dparam[39], 31);
  EXPECT_TRUE(boxes_.empty());
  DestroyWindow(dialog_);
  Open();
  Type(IDC_BBOPT_WIDTH, "32");
  Press(IDOK);
  EXPECT_EQ(settings_.dparam[39], 31);
  EXPECT_EQ(boxes_.size(), 1u);
}

TEST_F(BirthBriefOptionsDialogTest, FiveCharactersBecome20Silently) {
  Open();
  Type(IDC_BBOPT_WIDTH, "5");
  Press(IDOK);
  EXPECT_EQ(settings_.dparam[39], 20);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(BirthBriefOptionsDialogTest, LineWidthIsClampedToOneToTen) {
  Open();
  Type(IDC_BBOPT_LINE_WIDTH, "0");
  Press(IDOK);
  EXPECT_EQ(settings_.bparam[0], 1);
  DestroyWindow(dialog_);
  Open();
  Type(IDC_BBOPT_LINE_WIDTH, "12");
  Press(IDOK);
  EXPECT_EQ(settings_.bparam[0], 10);
}

TEST_F(BirthBriefOptionsDialogTest, AnEmptiedFieldKeepsTheLastNumber) {
  Open();
  Type(IDC_BBOPT_WIDTH, "26");
  Type(IDC_BBOPT_WIDTH, "");
  Press(IDOK);
  EXPECT_EQ(settings_.dparam[39], 26);
}

TEST_F(BirthBriefOptionsDialogTest, CancelPutsBackTheValuesOfTheOpening) {
  const dv::Settings before = settings_;
  Open();
  Click(IDC_BBOPT_GEN7);
  Click(IDC_BBOPT_CAPITALS);
  Type(IDC_BBOPT_LINE_WIDTH, "3");
  Type(IDC_BBOPT_WIDTH, "40");
  Press(IDCANCEL);
  EXPECT_FALSE(session_.accepted);
  EXPECT_EQ(settings_.eparam, before.eparam);
  EXPECT_EQ(settings_.bparam, before.bparam);
  EXPECT_EQ(settings_.dparam, before.dparam);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(BirthBriefOptionsDialogTest, OverflowingFieldShowsMessage22) {
  Open();
  HWND edit = GetDlgItem(dialog_, IDC_BBOPT_WIDTH);
  SetWindowTextA(edit, "");
  for (int i = 0; i < kOptionEditLimit + 1; ++i) SendMessageA(edit, WM_CHAR, '1', 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Edit control out of space");
}

TEST_F(BirthBriefOptionsDialogTest, ModalRunHasHelpContext311AndReportsOk) {
  int helpWhileOpen = 0;
  ModalDriver driver;
  driver.Then("Birth Brief Options", [&](HWND dialog) {
    helpWhileOpen = State().app.helpContext;
    SetDlgItemTextA(dialog, IDC_BBOPT_WIDTH, "24");
    ModalDriver::Press(dialog, IDOK);
  });
  State().app.instance = instance_;
  EXPECT_TRUE(RunBirthBriefOptionsDialog(nullptr, settings_));
  EXPECT_EQ(helpWhileOpen, 311);
  EXPECT_EQ(State().app.helpContext, 301);
  EXPECT_EQ(settings_.dparam[39], 24);
}

TEST(ClampCharsPerGeneration, Limits) {
  bool tooWide = true;
  EXPECT_EQ(ClampCharsPerGeneration(19, tooWide), 20);
  EXPECT_FALSE(tooWide);
  EXPECT_EQ(ClampCharsPerGeneration(20, tooWide), 20);
  EXPECT_EQ(ClampCharsPerGeneration(-3, tooWide), 20);
  EXPECT_FALSE(tooWide);
  EXPECT_EQ(ClampCharsPerGeneration(32, tooWide), 31);
  EXPECT_TRUE(tooWide);
}

}  // namespace
}  // namespace dv::win::test
