#include "data/ColumnPickerDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "data/ColumnPickerDialogRes.h"
#include "data/DataTestSupport.h"

namespace dv::win::test {
namespace {

class PickerTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    Start("");
    ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  }
  HWND Open(dv::PickerKind kind, std::int32_t current, bool edit) {
    session_.store = &Data().store;
    session_.kind = kind;
    session_.current = current;
    session_.editState = edit;
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), kPickerTemplate, nullptr,
                                     PickerDialogProc, reinterpret_cast<LPARAM>(&session_));
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  HWND List(HWND dialog) { return GetDlgItem(dialog, IDC_PICK_LIST); }
  std::string Header(HWND dialog, int column) {
    char text[64] = {};
    LVCOLUMNA c{};
    c.mask = LVCF_TEXT;
    c.pszText = text;
    c.cchTextMax = sizeof text;
    SendMessageA(List(dialog), LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&c));
    return text;
  }
  std::string Cell(HWND dialog, int row, int column) {
    char text[128] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(List(dialog), LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
  }
  int Selected(HWND dialog) {
    return static_cast<int>(
        SendMessageA(List(dialog), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  }
  PickerSession session_;
};

TEST_F(PickerTest, IndividualListHasItsTitleColumnsAndRows) {
  HWND dialog = Open(dv::PickerKind::kIndividual, 0, true);
  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_EQ(std::string(title), "Individual List");
  EXPECT_EQ(Header(dialog, 0), "Name");
  EXPECT_EQ(Header(dialog, 3), "Place of Birth/Baptism");
  EXPECT_EQ(SendMessageA(List(dialog), LVM_GETCOLUMNWIDTH, 0, 0), 141);
  EXPECT_EQ(SendMessageA(List(dialog), LVM_GETCOLUMNWIDTH, 1, 0), 37);
  ASSERT_EQ(SendMessageA(List(dialog), LVM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_EQ(Cell(dialog, 1, 0), "JONES Mary");
  EXPECT_EQ(Cell(dialog, 1, 1), "F");
  EXPECT_EQ(Selected(dialog), -1);
  DestroyWindow(dialog);
}

TEST_F(PickerTest, TheCurrentLinkIsPreselectedAndOkInEditStateChoosesIt) {
  HWND dialog = Open(dv::PickerKind::kFamily, 1, true);
  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_EQ(std::string(title), "Family List");
  EXPECT_EQ(Cell(dialog, 0, 0), "SMITH John");
  EXPECT_EQ(Cell(dialog, 0, 1), "JONES Mary");
  EXPECT_EQ(Selected(dialog), 0);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_EQ(session_.chosen, 1);
}

TEST_F(PickerTest, InViewStateThePickerOnlyShows) {
  HWND dialog = Open(dv::PickerKind::kIndividual, 2, false);
  EXPECT_EQ(Selected(dialog), 1);
  SendMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(session_.chosen, 0);
}

TEST_F(PickerTest, ColumnWidthsAreKeptForTheNextOpening) {
  HWND dialog = Open(dv::PickerKind::kSource, 0, true);
  EXPECT_EQ(SendMessageA(List(dialog), LVM_GETCOLUMNWIDTH, 2, 0), 80);
  SendMessageA(List(dialog), LVM_SETCOLUMNWIDTH, 2, 133);
  SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  HWND again = Open(dv::PickerKind::kSource, 0, true);
  EXPECT_EQ(SendMessageA(List(again), LVM_GETCOLUMNWIDTH, 2, 0), 133);
  DestroyWindow(again);
  // Another picker keeps its own defaults.
  HWND other = Open(dv::PickerKind::kRepository, 0, true);
  EXPECT_EQ(SendMessageA(List(other), LVM_GETCOLUMNWIDTH, 2, 0), 80);
  EXPECT_EQ(Header(other, 1), "Address1");
  DestroyWindow(other);
}

}  // namespace
}  // namespace dv::win::test
