#include "data/ChildrenDialog.h"

#include <gtest/gtest.h>

#include "data/ChildrenDialogRes.h"
#include "data/DataTestSupport.h"

namespace dv::win::test {
namespace {

using ChildrenDialogTest = DataTest;

TEST_F(ChildrenDialogTest, ListsTheChildrenAndDoubleClickChoosesOne) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  ChildrenSession session;
  session.store = &Data().store;
  session.family = 1;
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), kChildrenTemplate, nullptr,
                                   ChildrenDialogProc, reinterpret_cast<LPARAM>(&session));
  ASSERT_NE(dialog, nullptr);
  char title[32] = {};
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_EQ(std::string(title), "Children");
  ASSERT_EQ(SendDlgItemMessageA(dialog, IDC_CHILD_LIST, LB_GETCOUNT, 0, 0), 1);
  EXPECT_EQ(session.rows[0].text, "Ann Smith");
  SendDlgItemMessageA(dialog, IDC_CHILD_LIST, LB_SETCURSEL, 0, 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHILD_LIST, LBN_DBLCLK), 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(session.chosen, 3);
}

TEST_F(ChildrenDialogTest, OkClosesWithoutAChoice) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  DialogDriver ok([](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); });
  EXPECT_EQ(RunChildrenDialog(State().app.mainWindow, 1), 0);
  EXPECT_EQ(ok.seen, 1);
}

}  // namespace
}  // namespace dv::win::test
