#include "setup/SetupWizard.h"

#include <commctrl.h>
#include <prsht.h>

#include "setup/SetupPaths.h"
#include "setup/SetupTestSupport.h"
#include "setup/SetupText.h"
#include "setup/SetupWindow.h"
#include "setup/SetupWizardRes.h"

namespace dv::win::setup {
namespace {

using test::SetupTest;

void Pump() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

class SetupWizardTest : public SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    programs_ = MakeFolder("Programs");
    CreateDirectoryA((programs_ + "\\Accessories").c_str(), nullptr);
    CreateDirectoryA((programs_ + "\\Old Dorvane").c_str(), nullptr);
    test::WriteText(programs_ + "\\Old Dorvane\\Dorvane.lnk", "");
    test::WriteText(programs_ + "\\not a folder.lnk", "");
    Installer().hooks.programsFolder = programs_;
    data_.destination = "";
    data_.programFolder = "";
  }

  void TearDown() override {
    if (sheet_ && IsWindow(sheet_)) DestroyWindow(sheet_);
    Pump();
    if (data_.banner) DeleteObject(data_.banner);
    SetupTest::TearDown();
  }

  void Open(bool uninstall) {
    data_.uninstall = uninstall;
    sheet_ = CreateSetupWizard(nullptr, data_);
    ASSERT_NE(sheet_, nullptr);
    Pump();
  }

  HWND Page() { return PropSheet_GetCurrentPageHwnd(sheet_); }

  int PageIndex() {
    HWND page = Page();
    return page ? static_cast<int>(PropSheet_HwndToIndex(sheet_, page)) : -1;
  }

  std::string PageTitle() {
    char text[64] = {};
    GetWindowTextA(sheet_, text, sizeof text);
    return text;
  }

  void Press(int button) {
    PropSheet_PressButton(sheet_, button);
    Pump();
  }

  std::string Text(int id) {
    char text[MAX_PATH] = {};
    GetDlgItemTextA(Page(), id, text, sizeof text);
    return text;
  }

  std::string programs_;
  WizardData data_;
  HWND sheet_ = nullptr;
};

TEST_F(SetupWizardTest, InstallPagesInOrderWithBackAndNext) {
  // The banner, bitmap 301 stretched to 76 x 140 dialog units, on every page.
  data_.banner = MakeBanner(GetModuleHandleA(nullptr));
  ASSERT_NE(data_.banner, nullptr);
  BITMAP size;
  ASSERT_TRUE(GetObjectA(data_.banner, sizeof size, &size));
  LONG units = GetDialogBaseUnits();
  EXPECT_EQ(size.bmWidth, 76 * LOWORD(units) / 4);
  EXPECT_EQ(size.bmHeight, 140 * HIWORD(units) / 8);
  Open(false);
  EXPECT_EQ(PageIndex(), 0);
  EXPECT_NE(SendDlgItemMessageA(Page(), IDC_SETUP_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageIndex(), 1);
  EXPECT_EQ(Text(IDC_SETUP_DESTINATION), "C:\\Program Files\\Dorvane");
  SetDlgItemTextA(Page(), IDC_SETUP_DESTINATION, (dir_ + "\\Program Files\\Dorvane").c_str());
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageIndex(), 2);
  EXPECT_EQ(data_.destination, dir_ + "\\Program Files\\Dorvane");
  EXPECT_EQ(Text(IDC_SETUP_GROUP), "Dorvane");
  Press(PSBTN_BACK);
  ASSERT_EQ(PageIndex(), 1);
  EXPECT_EQ(Text(IDC_SETUP_DESTINATION), dir_ + "\\Program Files\\Dorvane");
  Press(PSBTN_NEXT);
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageIndex(), 3);
  EXPECT_NE(SendDlgItemMessageA(Page(), IDC_SETUP_BANNER, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
  EXPECT_EQ(data_.programFolder, "Dorvane");
  EXPECT_FALSE(data_.finished);
  Press(PSBTN_FINISH);
  EXPECT_TRUE(data_.finished);
  EXPECT_EQ(Page(), nullptr);
  EXPECT_TRUE(boxes_.empty());
  // The test of the destination left no folder behind.
  EXPECT_FALSE(test::Exists(dir_ + "\\Program Files"));
}

TEST_F(SetupWizardTest, InvalidDestinationShowsTheMessageAndStays) {
  Open(false);
  Press(PSBTN_NEXT);
  for (std::string bad : {std::string("Dorvane"), dir_ + "\\a\\..\\b", std::string("")}) {
    boxes_.clear();
    SetDlgItemTextA(Page(), IDC_SETUP_DESTINATION, bad.c_str());
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 1) << bad;
    ASSERT_EQ(boxes_.size(), 1u) << bad;
    EXPECT_EQ(boxes_[0].text, "Invalid directory name specified.");
  }
  EXPECT_EQ(data_.destination, "C:\\Program Files\\Dorvane");
}

TEST_F(SetupWizardTest, ProgramFolderListAndCheck) {
  Open(false);
  Press(PSBTN_NEXT);
  SetDlgItemTextA(Page(), IDC_SETUP_DESTINATION, (dir_ + "\\Dest").c_str());
  Press(PSBTN_NEXT);
  ASSERT_EQ(PageIndex(), 2);
  // The list holds the folders of the Programs menu, sorted; no files.
  HWND list = GetDlgItem(Page(), IDC_SETUP_GROUP_LIST);
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 2);
  char name[MAX_PATH] = {};
  SendMessageA(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(name));
  EXPECT_STREQ(name, "Accessories");
  // Picking one copies its name into the edit field.
  SendMessageA(list, LB_SETCURSEL, 1, 0);
  SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_SETUP_GROUP_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(Text(IDC_SETUP_GROUP), "Old Dorvane");
  // Another program's folder, and names that are no folder names, are refused.
  for (const char* bad : {"Accessories", "", "..\\Startup", "a/b", "not a folder.lnk"}) {
    boxes_.clear();
    SetDlgItemTextA(Page(), IDC_SETUP_GROUP, bad);
    Press(PSBTN_NEXT);
    EXPECT_EQ(PageIndex(), 2) << bad;
    ASSERT_EQ(boxes_.size(), 1u) << bad;
    EXPECT_EQ(boxes_[0].text, "Invalid program folder name specified.");
  }
  // The folder of an earlier installation (it holds our shortcut) is fine.
  SetDlgItemTextA(Page(), IDC_SETUP_GROUP, " Old Dorvane ");
  Press(PSBTN_NEXT);
  EXPECT_EQ(PageIndex(), 3);
  EXPECT_EQ(data_.programFolder, "Old Dorvane");
}

TEST_F(SetupWizardTest, CancelOnAnyPageLeavesItUnfinished) {
  for (int pages = 0; pages < 4; ++pages) {
    data_ = WizardData{};
    Open(false);
    for (int i = 0; i < pages; ++i) {
      if (PageIndex() == 1)
        SetDlgItemTextA(Page(), IDC_SETUP_DESTINATION, (dir_ + "\\Dest").c_str());
      Press(PSBTN_NEXT);
    }
    EXPECT_EQ(PageIndex(), pages);
    Press(PSBTN_CANCEL);
    EXPECT_EQ(Page(), nullptr);
    EXPECT_FALSE(data_.finished);
    DestroyWindow(sheet_);
    sheet_ = nullptr;
  }
  EXPECT_FALSE(test::Exists(dir_ + "\\Dest"));
}

TEST_F(SetupWizardTest, UninstallHasOnePage) {
  Open(true);
  EXPECT_EQ(PageIndex(), 0);
  EXPECT_EQ(PropSheet_IndexToHwnd(sheet_, 1), nullptr);
  EXPECT_EQ(GetDlgItem(Page(), IDC_SETUP_DESTINATION), nullptr);
  Press(PSBTN_FINISH);
  EXPECT_TRUE(data_.finished);
}

}  // namespace
}  // namespace dv::win::setup
