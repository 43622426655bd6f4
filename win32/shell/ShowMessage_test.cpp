#include "shell/ShowMessage.h"

#include <gtest/gtest.h>

#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

using ShowMessageTest = ShellTest;

TEST_F(ShowMessageTest, UnknownIdsShowUndeterminedError) {
  showMessage(nullptr, 0, false);
  showMessage(nullptr, 259, false);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Undetermined error");
  EXPECT_EQ(boxes_[1].text, "Undetermined error");
}

TEST_F(ShowMessageTest, SuffixFollowsTheText) {
  showMessage(nullptr, 2, false, R"(C:\DATA\X.GED)");
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, R"(Cannot open fileC:\DATA\X.GED)");
  EXPECT_EQ(boxes_[0].caption, "Dorvane");
  EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
}

TEST_F(ShowMessageTest, AskingOffersCancelAndReportsIt) {
  boxAnswer_ = IDCANCEL;
  EXPECT_EQ(showMessage(nullptr, 1, true), 1);
  boxAnswer_ = IDOK;
  EXPECT_EQ(showMessage(nullptr, 1, true), 0);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].type, static_cast<UINT>(MB_ICONEXCLAMATION | MB_OKCANCEL));
}

TEST_F(ShowMessageTest, HelpContextIs319WhileShown) {
  State().app.helpContext = 306;
  showMessage(nullptr, 1, false);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].helpContext, 319);
  EXPECT_EQ(State().app.helpContext, 306);
}

TEST_F(ShowMessageTest, OwnerIsEnabledFirst) {
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance_,
                               nullptr);
  ASSERT_NE(owner, nullptr);
  EnableWindow(owner, FALSE);
  showMessage(owner, 1, false);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].owner, owner);
  EXPECT_TRUE(boxes_[0].ownerEnabled);
  DestroyWindow(owner);
}

}  // namespace
}  // namespace dv::win::test
