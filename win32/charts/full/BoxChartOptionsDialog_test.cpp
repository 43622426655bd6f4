#include "charts/full/BoxChartOptionsDialog.h"

#include <gtest/gtest.h>

#include "charts/full/BoxChartOptionsDialogRes.h"
#include "charts/full/FullChartOptionsDialog.h"
#include "charts/full/FullChartOptionsDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "data/DataState.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class BoxChartOptionsTest : public ShellTest {
 protected:
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    Data().hooks.chooseColour = nullptr;
    ShellTest::TearDown();
  }
  void Open() {
    session_.settings = &settings_;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kBoxChartOptionsTemplate, nullptr,
                                 BoxChartOptionsDialogProc, reinterpret_cast<LPARAM>(&session_));
    ASSERT_NE(dialog_, nullptr);
  }
  void Click(int control) { SendDlgItemMessageA(dialog_, control, BM_CLICK, 0, 0); }
  bool Checked(int control) { return IsDlgButtonChecked(dialog_, control) == BST_CHECKED; }

  dv::Settings settings_;
  BoxChartOptionsSession session_;
  HWND dialog_ = nullptr;
};

TEST_F(BoxChartOptionsTest, OpensWithTheSeventeenChoices) {
  settings_.gparam[2] = 0;
  settings_.gparam[8] = 1;
  settings_.gparam[11] = 1;
  settings_.dparam[30] = 0;
  settings_.dparam[43] = 1;
  Open();
  EXPECT_TRUE(Checked(IDC_BOXOPT_SPOUSE_BIRTH_DATE));
  EXPECT_FALSE(Checked(IDC_BOXOPT_SPOUSE_BIRTH_PLACE));
  EXPECT_TRUE(Checked(IDC_BOXOPT_CHILD_BIRTH_PLACE));
  EXPECT_TRUE(Checked(IDC_BOXOPT_OCCUPATION));
  EXPECT_FALSE(Checked(IDC_BOXOPT_MALE_FIRST));
  EXPECT_TRUE(Checked(IDC_BOXOPT_EXCLUDE_MARRIED));
}

TEST_F(BoxChartOptionsTest, OkStoresTheChecksAndDerivesShortChildLines) {
  for (int k = 7; k <= 10; ++k) settings_.gparam[std::size_t(k)] = 0;
  settings_.gparam[0] = 1;
  settings_.dparam[35] = 0;
  Open();
  Click(IDC_BOXOPT_CHILD_DEATH_DATE);
  Click(IDC_BOXOPT_FULL_CHILD_NAMES);
  Click(IDC_BOXOPT_COLOUR_BOXES);
  const int colourBefore = settings_.dparam[40];
  ModalDriver::Press(dialog_, IDC_BOXOPT_OK);
  EXPECT_TRUE(session_.accepted);
  EXPECT_EQ(settings_.gparam[9], 1);
  EXPECT_EQ(settings_.gparam[0], 0);  // a Child line is chosen now
  EXPECT_EQ(settings_.dparam[35], 1);
  EXPECT_EQ(settings_.dparam[40], colourBefore ? 0 : 1);
}

TEST_F(BoxChartOptionsTest, RestoreDefaultColoursResetsThemAndSaysSo) {
  settings_.customColours.fill(0x123456);
  Open();
  ModalDriver::Press(dialog_, IDC_BOXOPT_DEFAULT_COLOURS);
  EXPECT_EQ(settings_.customColours, dv::Settings().customColours);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "The default colours have been \nrestored.");
  EXPECT_EQ(boxes_[0].owner, dialog_);
}

TEST_F(BoxChartOptionsTest, CancelRestoresChecksAndColours) {
  settings_.customColours.fill(0x123456);
  const dv::Settings before = settings_;
  Data().hooks.chooseColour = [](HWND, std::array<COLORREF, 16>& colours, DWORD&) {
    colours.fill(0x00FF00);
    return true;
  };
  Open();
  Click(IDC_BOXOPT_SPOUSE_BIRTH_DATE);
  Click(IDC_BOXOPT_BLANK_LINES);
  ModalDriver::Press(dialog_, IDC_BOXOPT_COLOURS);
  EXPECT_EQ(settings_.customColours[0], 0x00FF00u);
  ModalDriver::Press(dialog_, IDC_BOXOPT_DEFAULT_COLOURS);
  ModalDriver::Press(dialog_, IDC_BOXOPT_CANCEL);
  EXPECT_FALSE(session_.accepted);
  EXPECT_EQ(settings_.gparam, before.gparam);
  EXPECT_EQ(settings_.dparam, before.dparam);
  EXPECT_EQ(settings_.customColours, before.customColours);
}

TEST_F(BoxChartOptionsTest, TheFullChartOptionsButtonOpensIt) {
  settings_.dparam[40] = 0;
  FullChartOptionsSession outer;
  outer.settings = &settings_;
  HWND options = CreateDialogParamA(GetModuleHandleA(nullptr), kFullChartOptionsTemplate, nullptr,
                                    FullChartOptionsDialogProc, reinterpret_cast<LPARAM>(&outer));
  ASSERT_NE(options, nullptr);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(options, IDC_FCOPT_BOX_OPTIONS)));
  ModalDriver driver;
  driver.Then("Boxchart Options", [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_BOXOPT_COLOUR_BOXES, BM_CLICK, 0, 0);
    ModalDriver::Press(dialog, IDC_BOXOPT_OK);
  });
  ModalDriver::Press(options, IDC_FCOPT_BOX_OPTIONS);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(settings_.dparam[40], 1);
  DestroyWindow(options);
}

}  // namespace
}  // namespace dv::win::test
