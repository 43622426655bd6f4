#include "output/PrinterDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "output/PrinterDialogRes.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

std::string ItemText(HWND dialog, int id) {
  char text[128] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

bool Visible(HWND dialog, int id) {
  return (GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
}

class PrinterDialogTest : public ShellTest {
 protected:
  void Open(const PrinterPanel& panel) {
    panel_ = panel;
    state_.copies = 2;
    state_.refresh = [this] {
      ++refreshes_;
      return panel_;
    };
    state_.setup = [this](HWND) { ++setups_; };
    state_.setPage = [this](int columns, int lines) {
      typedColumns_ = columns;
      typedLines_ = lines;
    };
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kPrinterTemplate, nullptr,
                                 PrinterDialogProc, reinterpret_cast<LPARAM>(&state_));
    ASSERT_NE(dialog_, nullptr);
  }
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }
  void Press(int id) { SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

  static PrinterPanel A4Laser() {
    PrinterPanel p;
    p.device = "Office Laser";
    p.port = "LPT1:";
    p.paper.nameId = 0;
    p.paper.paperName = "A4 210 x 297 mm";
    p.paper.landscape = 1;
    p.paper.lengthMm = 297;
    p.paper.widthMm = 210;
    p.pageKnown = true;
    return p;
  }

  PrinterPanel panel_;
  PrinterDialogState state_;
  HWND dialog_ = nullptr;
  int refreshes_ = 0, setups_ = 0;
  int typedColumns_ = -1, typedLines_ = -1;
};

TEST_F(PrinterDialogTest, ShowsThePrinterPaperOrientationSizeAndCopies) {
  Open(A4Laser());
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_DEVICE), "Office Laser");
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_PORT), "LPT1:");
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_PAPER), "A4 210 x 297 mm");
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_ORIENTATION), "Landscape");
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_COPIES), "2");
  EXPECT_TRUE(Visible(dialog_, IDC_PRN_LENGTH_LABEL));
  EXPECT_TRUE(Visible(dialog_, IDC_PRN_LENGTH_TEXT));
  EXPECT_FALSE(Visible(dialog_, IDC_PRN_LENGTH_EDIT));
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_LENGTH_TEXT), "297");
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_WIDTH_TEXT), "210");
  int low = 0, high = 0;
  SendDlgItemMessageA(dialog_, IDC_PRN_COPIES_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                      reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 1);
  EXPECT_EQ(high, 100);
}

TEST_F(PrinterDialogTest, AFallbackPageWithoutAPaperSizeHidesTheSizeFields) {
  PrinterPanel p;
  p.paper.nameId = 5;  // ANSI A, from the paper code alone
  p.paper.landscape = 0;
  p.pageKnown = true;
  Open(p);
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_PAPER), "ANSI A");
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_ORIENTATION), "Portrait");
  for (int id : {IDC_PRN_LENGTH_LABEL, IDC_PRN_LENGTH_TEXT, IDC_PRN_LENGTH_EDIT,
                 IDC_PRN_WIDTH_LABEL, IDC_PRN_WIDTH_TEXT, IDC_PRN_WIDTH_EDIT})
    EXPECT_FALSE(Visible(dialog_, id)) << id;
  Press(IDOK);
  EXPECT_EQ(state_.ended, IDOK);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrinterDialogTest, TypedCopiesAreTakenAtOnce) {
  Open(A4Laser());
  SetDlgItemTextA(dialog_, IDC_PRN_COPIES, "7");
  EXPECT_EQ(state_.copies, 7);
  SetDlgItemTextA(dialog_, IDC_PRN_COPIES, "");
  EXPECT_EQ(state_.copies, 7);
}

TEST_F(PrinterDialogTest, WithoutAPageSizeTheTypedPaperMakesThePage) {
  PrinterPanel p;
  p.paper.nameId = 18;
  p.paper.landscape = 0;
  Open(p);
  EXPECT_TRUE(Visible(dialog_, IDC_PRN_LENGTH_EDIT));
  EXPECT_TRUE(Visible(dialog_, IDC_PRN_WIDTH_EDIT));
  EXPECT_FALSE(Visible(dialog_, IDC_PRN_LENGTH_TEXT));
  SetDlgItemTextA(dialog_, IDC_PRN_LENGTH_EDIT, "297");
  SetDlgItemTextA(dialog_, IDC_PRN_WIDTH_EDIT, "210");
  Press(IDOK);
  EXPECT_EQ(state_.ended, IDOK);
  // Portrait: the short side across at 600 / 254 / 3, the long side down at 600 / 254 / 5.
  EXPECT_EQ(typedColumns_, 165);
  EXPECT_EQ(typedLines_, 140);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PrinterDialogTest, AWidthAboveTheLengthKeepsTheDialogOpen) {
  PrinterPanel p;
  p.paper.landscape = 0;
  Open(p);
  SetDlgItemTextA(dialog_, IDC_PRN_LENGTH_EDIT, "210");
  SetDlgItemTextA(dialog_, IDC_PRN_WIDTH_EDIT, "297");
  Press(IDOK);
  EXPECT_EQ(state_.ended, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Length must be greater than width");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
  EXPECT_EQ(typedColumns_, -1);
}

TEST_F(PrinterDialogTest, NoPaperTypedSaysSoAndCloses) {
  PrinterPanel p;
  p.paper.landscape = -1;
  Open(p);
  Press(IDOK);
  EXPECT_EQ(state_.ended, IDOK);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Paper dimensions have not been supplied!");
  EXPECT_EQ(typedColumns_, -1);
}

TEST_F(PrinterDialogTest, SettingsRunsTheSetUpAndRefreshes) {
  Open(A4Laser());
  EXPECT_EQ(refreshes_, 1);
  panel_.device = "Plotter";
  Press(IDC_PRN_SETTINGS);
  EXPECT_EQ(setups_, 1);
  EXPECT_EQ(refreshes_, 2);
  EXPECT_EQ(ItemText(dialog_, IDC_PRN_DEVICE), "Plotter");
}

}  // namespace
}  // namespace dv::win::test
