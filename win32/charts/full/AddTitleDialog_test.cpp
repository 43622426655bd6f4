#include "charts/full/AddTitleDialog.h"

#include <gtest/gtest.h>

#include "charts/full/AddTitleDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class AddTitleTest : public ShellTest {};

TEST_F(AddTitleTest, OkStoresTheChoiceAndTheFont) {
  State().printer.chooseFont = [](HWND, dv::FontRecord& font) {
    font.setFaceName("Arial");
    return true;
  };
  ModalDriver driver;
  driver.Then("Add title", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TITLE_NONE), BST_CHECKED);
    SendDlgItemMessageA(dialog, IDC_TITLE_ADD, BM_CLICK, 0, 0);
    ModalDriver::Press(dialog, IDC_TITLE_FONT);
    ModalDriver::Press(dialog, IDOK);
  });
  int option = 0;
  dv::FontRecord font;
  font.setFaceName("Times New Roman");
  EXPECT_TRUE(RunAddTitleDialog(nullptr, option, font));
  EXPECT_EQ(option, 1);
  EXPECT_EQ(font.faceName(), "Arial");
}

TEST_F(AddTitleTest, CancelKeepsTheTitleAsItWas) {
  State().printer.chooseFont = [](HWND, dv::FontRecord& font) {
    font.setFaceName("Arial");
    return true;
  };
  ModalDriver driver;
  driver.Then("Add title", [](HWND dialog) {
    // A running value (not placed last time) shows as "Add title".
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_TITLE_ADD), BST_CHECKED);
    SendDlgItemMessageA(dialog, IDC_TITLE_NONE, BM_CLICK, 0, 0);
    ModalDriver::Press(dialog, IDC_TITLE_FONT);
    ModalDriver::Press(dialog, IDCANCEL);
  });
  int option = -1;
  dv::FontRecord font;
  font.setFaceName("Times New Roman");
  EXPECT_FALSE(RunAddTitleDialog(nullptr, option, font));
  EXPECT_EQ(option, -1);
  EXPECT_EQ(font.faceName(), "Times New Roman");
}

}  // namespace
}  // namespace dv::win::test
