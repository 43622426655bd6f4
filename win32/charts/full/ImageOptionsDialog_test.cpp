#include "charts/full/ImageOptionsDialog.h"

#include <gtest/gtest.h>

#include "charts/full/ImageOptionsDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class ImageOptionsTest : public ShellTest {};

TEST_F(ImageOptionsTest, ShowsTheSettingsAndStoresTheChoicesOnOk) {
  State().printer.chooseFont = [](HWND, dv::FontRecord& font) {
    font.setFaceName("Arial");
    return true;
  };
  dv::Settings settings;
  ImageOptions o = ImageOptions::FromSettings(settings);
  EXPECT_TRUE(o.insertionEnabled);
  EXPECT_EQ(o.scaling, 1);
  int help = 0;
  ModalDriver driver;
  driver.Then("Image options", [&help](HWND dialog) {
    help = State().app.helpContext;
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_IMGOPT_ENABLE), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_IMGOPT_DOWNWARDS), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_IMGOPT_AUTORESIZE), BST_UNCHECKED);
    SendDlgItemMessageA(dialog, IDC_IMGOPT_FIT, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDC_IMGOPT_AUTORESIZE, BM_CLICK, 0, 0);
    SendDlgItemMessageA(dialog, IDC_IMGOPT_ENABLE, BM_CLICK, 0, 0);
    ModalDriver::Press(dialog, IDC_IMGOPT_FONT);
    ModalDriver::Press(dialog, IDOK);
  });
  ASSERT_TRUE(RunImageOptionsDialog(nullptr, o));
  EXPECT_EQ(help, kHelpImageOptions);
  EXPECT_FALSE(o.insertionEnabled);
  EXPECT_EQ(o.scaling, 0);
  EXPECT_TRUE(o.autoResize);
  EXPECT_EQ(o.font.faceName(), "Arial");
  o.ToSettings(settings);
  EXPECT_EQ(settings.fparam[16], 0);
  EXPECT_EQ(settings.fparam[17], 0);
  EXPECT_EQ(settings.fparam[18], 1);
  EXPECT_EQ(settings.fonts[kFont4].faceName(), "Arial");
}

TEST_F(ImageOptionsTest, CancelKeepsTheOptions) {
  ImageOptions o;
  o.scaling = 0;
  ModalDriver driver;
  driver.Then("Image options", [](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_IMGOPT_DOWNWARDS, BM_CLICK, 0, 0);
    ModalDriver::Press(dialog, IDCANCEL);
  });
  EXPECT_FALSE(RunImageOptionsDialog(nullptr, o));
  EXPECT_EQ(o.scaling, 0);
}

}  // namespace
}  // namespace dv::win::test
