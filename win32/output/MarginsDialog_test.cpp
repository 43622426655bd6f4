#include "output/MarginsDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "output/MarginsDialogRes.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

std::string ItemText(HWND dialog, int id) {
  char text[64] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

class MarginsDialogTest : public ShellTest {
 protected:
  void Open(const MarginValues& start) {
    result_ = start;
    state_ = MarginsDialogState{start, &result_, 0};
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kMarginsTemplate, nullptr,
                                 MarginsDialogProc, reinterpret_cast<LPARAM>(&state_));
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }
  void Press(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  MarginValues result_;
  MarginsDialogState state_;
  HWND dialog_ = nullptr;
};

const MarginValues kStart{{1, 2, 3, 4}, {5, 6, 7, 8}};

TEST_F(MarginsDialogTest, ShowsTheEightMarginsWithArrowsFromZeroToFifty) {
  Open(kStart);
  EXPECT_EQ(ItemText(dialog_, IDC_MARGIN_PAGE_TOP), "1");
  EXPECT_EQ(ItemText(dialog_, IDC_MARGIN_PAGE_RIGHT), "4");
  EXPECT_EQ(ItemText(dialog_, IDC_MARGIN_CHART_TOP), "5");
  EXPECT_EQ(ItemText(dialog_, IDC_MARGIN_CHART_RIGHT), "8");
  int low = -1, high = -1;
  SendDlgItemMessageA(dialog_, IDC_MARGIN_CHART_LEFT_SPIN, UDM_GETRANGE32,
                      reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 0);
  EXPECT_EQ(high, 50);
}

TEST_F(MarginsDialogTest, OkStoresTypedValuesBeyondTheArrowRange) {
  Open(kStart);
  SetDlgItemTextA(dialog_, IDC_MARGIN_PAGE_BOTTOM, "75");
  SetDlgItemTextA(dialog_, IDC_MARGIN_CHART_LEFT, "12");
  Press(IDOK);
  EXPECT_EQ(state_.ended, IDOK);
  const MarginValues expected{{1, 75, 3, 4}, {5, 6, 12, 8}};
  EXPECT_EQ(result_, expected);
}

TEST_F(MarginsDialogTest, CancelDropsTheChanges) {
  Open(kStart);
  SetDlgItemTextA(dialog_, IDC_MARGIN_PAGE_TOP, "9");
  Press(IDCANCEL);
  EXPECT_EQ(state_.ended, IDCANCEL);
  EXPECT_EQ(result_, kStart);
}

TEST_F(MarginsDialogTest, EmptyAndOverlongFieldsKeepTheLastValue) {
  Open(kStart);
  SetDlgItemTextA(dialog_, IDC_MARGIN_PAGE_LEFT, "");
  SetDlgItemTextA(dialog_, IDC_MARGIN_PAGE_RIGHT, std::string(30, '7').c_str());
  Press(IDOK);
  EXPECT_EQ(result_.page.left, 3);
  EXPECT_EQ(result_.page.right, 4);
}

TEST_F(MarginsDialogTest, AFullFieldSaysSo) {
  Open(kStart);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_MARGIN_PAGE_TOP, EN_MAXTEXT),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_MARGIN_PAGE_TOP)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Edit control out of space");
}

TEST(MarginSettings, PageMarginsAreSlotsFifteenToEighteenChartMarginsNineteenToTwentyTwo) {
  Settings s;
  StoreMargins(s, kStart);
  EXPECT_EQ(s.dparam[15], 1);
  EXPECT_EQ(s.dparam[18], 4);
  EXPECT_EQ(s.dparam[19], 5);
  EXPECT_EQ(s.dparam[22], 8);
  EXPECT_EQ(MarginsOf(s), kStart);
}

}  // namespace
}  // namespace dv::win::test
