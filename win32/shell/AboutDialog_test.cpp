#include "shell/AboutDialog.h"

#include <gtest/gtest.h>

#include "shell/AboutDialogRes.h"

namespace dv::win {
namespace {

std::string ItemText(HWND dialog, int id) {
  char text[128] = {};
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST(AboutDialog, ShowsNameVersionAndLine) {
  HWND dialog =
      CreateDialogParamA(GetModuleHandleA(nullptr), kAboutTemplate, nullptr, AboutDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(ItemText(dialog, IDC_ABOUT_NAME), "Dorvane v4.07");
  EXPECT_EQ(ItemText(dialog, IDC_ABOUT_LINE), "Genealogy Chart Program");
  EXPECT_EQ(ItemText(dialog, IDOK), "OK");
  DestroyWindow(dialog);
}

}  // namespace
}  // namespace dv::win
