#include "shell/PreferencesDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/PreferencesDialogRes.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class PreferencesDialogTest : public ShellTest {
 protected:
  HWND Open() {
    session_.settings = &settings_;
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), kPreferencesTemplate, nullptr,
                                     PreferencesDialogProc, reinterpret_cast<LPARAM>(&session_));
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
  dv::Settings settings_;
  PreferencesSession session_;
};

TEST_F(PreferencesDialogTest, OpensWithTheStoredValuesAndTheRunTimeText) {
  settings_.fparam[0] = 0;
  settings_.fparam[1] = 1;
  settings_.fparam[2] = 0;
  settings_.fparam[19] = 1;
  settings_.fparam[20] = 1;
  HWND dialog = Open();
  char text[128] = {};
  GetDlgItemTextA(dialog, IDC_PREF_COMBINE_SOURCES, text, sizeof text);
  EXPECT_EQ(std::string(text), "Combine sources with same title, on conversion to records");
  GetWindowTextA(dialog, text, sizeof text);
  EXPECT_EQ(std::string(text), "Preferences");
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_AUTOLOAD), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_OPTIONS_DIALOGS), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_TOOLTIPS), BST_UNCHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_COMBINE_SOURCES), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_NAMES_LAST), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_PREF_NAMES_FIRST), BST_UNCHECKED);
  DestroyWindow(dialog);
}

TEST_F(PreferencesDialogTest, OkStoresTheSwitches) {
  settings_.fparam[0] = 1;
  settings_.fparam[19] = 0;
  HWND dialog = Open();
  Click(dialog, IDC_PREF_AUTOLOAD);
  Click(dialog, IDC_PREF_COMBINE_SOURCES);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(session_.accepted);
  EXPECT_EQ(settings_.fparam[0], 0);
  EXPECT_EQ(settings_.fparam[19], 1);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PreferencesDialogTest, ANewNameRuleWithDataOpenAsksForAReload) {
  settings_.fparam[20] = 0;
  session_.sourceOpen = true;
  HWND dialog = Open();
  Click(dialog, IDC_PREF_NAMES_LAST);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(settings_.fparam[20], 1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text,
            "You must reload your data from the file\r\nfor this change to take effect.");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
}

TEST_F(PreferencesDialogTest, ANewNameRuleWithoutDataNeedsNoWarning) {
  HWND dialog = Open();
  Click(dialog, IDC_PREF_NAMES_LAST);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(settings_.fparam[20], 1);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PreferencesDialogTest, CancelPutsTheNameRuleBackAndStoresNothing) {
  settings_.fparam[20] = 0;
  settings_.fparam[2] = 1;
  HWND dialog = Open();
  Click(dialog, IDC_PREF_NAMES_LAST);
  EXPECT_EQ(settings_.fparam[20], 1);
  Click(dialog, IDC_PREF_TOOLTIPS);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(session_.accepted);
  EXPECT_EQ(settings_.fparam[20], 0);
  EXPECT_EQ(settings_.fparam[2], 1);
}

}  // namespace
}  // namespace dv::win::test
