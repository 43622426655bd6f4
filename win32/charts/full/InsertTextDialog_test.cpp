#include "charts/full/InsertTextDialog.h"

#include <gtest/gtest.h>

#include "charts/full/InsertTextDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class InsertTextTest : public ShellTest {};

bool Visible(HWND dialog, int id) { return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE; }

std::string Text(HWND dialog, int id) {
  char buffer[4096] = {};
  GetDlgItemTextA(dialog, id, buffer, sizeof buffer);
  return buffer;
}

TEST_F(InsertTextTest, TheTextFollowsTheChosenAlignmentsField) {
  ModalDriver driver;
  driver.Then("Insert Text", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_INTXT_LEFT), BST_CHECKED);
    EXPECT_TRUE(Visible(dialog, IDC_INTXT_LEFT_TEXT));
    EXPECT_FALSE(Visible(dialog, IDC_INTXT_CENTRE_TEXT));
    SetDlgItemTextA(dialog, IDC_INTXT_LEFT_TEXT, "The Carricks\r\nof Auchterlea");
    SendDlgItemMessageA(dialog, IDC_INTXT_CENTRE, BM_CLICK, 0, 0);
    EXPECT_TRUE(Visible(dialog, IDC_INTXT_CENTRE_TEXT));
    EXPECT_FALSE(Visible(dialog, IDC_INTXT_LEFT_TEXT));
    EXPECT_EQ(Text(dialog, IDC_INTXT_CENTRE_TEXT), "The Carricks\r\nof Auchterlea");
    ModalDriver::Press(dialog, IDOK);
  });
  OverlayTextRecord r;
  ASSERT_TRUE(RunInsertTextDialog(nullptr, r));
  EXPECT_EQ(r.text, "The Carricks\r\nof Auchterlea");
  EXPECT_EQ(r.alignment, 2);
}

TEST_F(InsertTextTest, EditingStartsFromTheItemAndAnEmptyTextIsNotTaken) {
  ModalDriver driver;
  driver.Then("Insert Text", [](HWND dialog) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_INTXT_CENTRE), BST_CHECKED);
    EXPECT_EQ(Text(dialog, IDC_INTXT_CENTRE_TEXT), "old text");
    // At most 2047 characters.
    EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_INTXT_CENTRE_TEXT, EM_GETLIMITTEXT, 0, 0), 2047);
    SetDlgItemTextA(dialog, IDC_INTXT_CENTRE_TEXT, "");
    ModalDriver::Press(dialog, IDOK);
  });
  OverlayTextRecord r{"old text", 2};
  EXPECT_FALSE(RunInsertTextDialog(nullptr, r));
  EXPECT_EQ(r.text, "old text");
}

}  // namespace
}  // namespace dv::win::test
