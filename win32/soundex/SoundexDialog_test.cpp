#include "soundex/SoundexDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "charts/selective/ChartDialogTestSupport.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/ShellTestSupport.h"
#include "soundex/SoundexDialogRes.h"

namespace dv::win::test {
namespace {

class SoundexDialogTest : public ShellTest {
 protected:
  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }
  HWND Open() {
    session_.listNames = [this](HWND dialog) { listOwners_.push_back(dialog); };
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kSoundexTemplate, nullptr,
                                 SoundexDialogProc, reinterpret_cast<LPARAM>(&session_));
    return dialog_;
  }
  std::string Text(int control) {
    char text[64] = {};
    GetDlgItemTextA(dialog_, control, text, sizeof text);
    return text;
  }
  void Type(const char* name) { SetDlgItemTextA(dialog_, IDC_SOUNDEX_NAME, name); }
  void ChooseVariant(int radio) {
    CheckRadioButton(dialog_, IDC_SOUNDEX_SIMPLIFIED, IDC_SOUNDEX_AMERICAN, radio);
    ModalDriver::Press(dialog_, radio);
  }

  SoundexDialogSession session_;
  HWND dialog_ = nullptr;
  std::vector<HWND> listOwners_;
};

TEST_F(SoundexDialogTest, OpensWithTheStoredVariantAndAnEmptyName) {
  State().settings.fparam[kSoundexVariantSlot] = 1;
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_SOUNDEX_AMERICAN), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog_, IDC_SOUNDEX_SIMPLIFIED), BST_UNCHECKED);
  EXPECT_EQ(Text(IDC_SOUNDEX_NAME), "");
  EXPECT_EQ(Text(IDC_SOUNDEX_CODE), "0000");
  EXPECT_EQ(SendDlgItemMessageA(dialog_, IDC_SOUNDEX_NAME, EM_GETLIMITTEXT, 0, 0), 32);
  char caption[64] = {};
  GetWindowTextA(dialog_, caption, sizeof caption);
  EXPECT_STREQ(caption, "Soundex Calculator");
}

TEST_F(SoundexDialogTest, TheCodeFollowsTheNameAndTheVariant) {
  Open();
  Type("ashcraft");
  EXPECT_EQ(Text(IDC_SOUNDEX_NAME), "ASHCRAFT");  // the edit takes capitals
  EXPECT_EQ(Text(IDC_SOUNDEX_CODE), "A226");
  ChooseVariant(IDC_SOUNDEX_AMERICAN);
  EXPECT_EQ(State().settings.fparam[kSoundexVariantSlot], 1);
  EXPECT_EQ(Text(IDC_SOUNDEX_CODE), "A261");
  Type("O'Hara");
  EXPECT_EQ(Text(IDC_SOUNDEX_CODE), "O600");
  ChooseVariant(IDC_SOUNDEX_SIMPLIFIED);
  EXPECT_EQ(State().settings.fparam[kSoundexVariantSlot], 0);
  Type("");
  EXPECT_EQ(Text(IDC_SOUNDEX_CODE), "0000");
}

TEST_F(SoundexDialogTest, ListAllNamesAndOverflow) {
  Open();
  ModalDriver::Press(dialog_, IDC_SOUNDEX_LIST);
  ASSERT_EQ(listOwners_.size(), 1u);
  EXPECT_EQ(listOwners_[0], dialog_);
  SendMessageA(dialog_, WM_COMMAND, MAKEWPARAM(IDC_SOUNDEX_NAME, EN_MAXTEXT),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog_, IDC_SOUNDEX_NAME)));
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Edit control out of space");
}

TEST_F(SoundexDialogTest, ToolsCommandOpensTheCalculator) {
  HWND window = Start("");
  ModalDriver driver;
  std::string code;
  driver.Then("Soundex Calculator", [&code](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SOUNDEX_NAME, "PFISTER");
    char text[8] = {};
    GetDlgItemTextA(dialog, IDC_SOUNDEX_CODE, text, sizeof text);
    code = text;
    ModalDriver::Press(dialog, IDC_SOUNDEX_CLOSE);
  });
  SendMessageA(window, WM_COMMAND, IDM_TOOLS_SOUNDEX, 0);
  EXPECT_TRUE(driver.Done());
  EXPECT_EQ(code, "P236");
}

}  // namespace
}  // namespace dv::win::test
