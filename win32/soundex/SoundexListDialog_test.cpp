#include "soundex/SoundexListDialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "shell/AppState.h"
#include "shell/ShellTestSupport.h"
#include "soundex/SoundexListDialogRes.h"

namespace dv::win::test {
namespace {

constexpr const char* kSurnames =
    "0 HEAD\n"
    "0 @I1@ INDI\n1 NAME William /Smith/\n"
    "0 @I2@ INDI\n1 NAME Patrick /O'Hara/\n"
    "0 @I3@ INDI\n1 NAME Jan /van Dyke/\n"
    "0 @I4@ INDI\n1 NAME Ann /Smith/\n"
    "0 @I5@ INDI\n1 NAME Nobody\n"
    "0 @I6@ INDI\n1 NAME Alice /Burroughs/\n"
    "0 TRLR\n";

class SoundexListTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    std::string summary;
    ASSERT_EQ(dv::LoadDataSourceBytes(store_, kSurnames, dv::LoadOptions{}, summary), 0);
  }
  void TearDown() override {
    if (dialog_ && IsWindow(dialog_)) DestroyWindow(dialog_);
    ShellTest::TearDown();
  }
  HWND Open() {
    session_.store = &store_;
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kSoundexListTemplate, nullptr,
                                 SoundexListDialogProc, reinterpret_cast<LPARAM>(&session_));
    list_ = GetDlgItem(dialog_, IDC_SOUNDEX_ROWS);
    return dialog_;
  }
  // The rows as the list view holds them, "cell\tcell\tcell" each.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    const int count = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
      std::string row;
      for (int c = 0; c < 3; ++c) {
        char text[64] = {};
        LVITEMA item{};
        item.iSubItem = c;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list_, LVM_GETITEMTEXTA, r, reinterpret_cast<LPARAM>(&item));
        row += (c ? "\t" : "") + std::string(text);
      }
      rows.push_back(row);
    }
    return rows;
  }
  void ClickColumn(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = list_;
    click.hdr.idFrom = IDC_SOUNDEX_ROWS;
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageA(dialog_, WM_NOTIFY, IDC_SOUNDEX_ROWS, reinterpret_cast<LPARAM>(&click));
  }

  dv::RecordStore store_;
  SoundexListSession session_;
  HWND dialog_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(SoundexListTest, ListsEachSurnameOnceWithBothCodes) {
  ASSERT_NE(Open(), nullptr);
  char caption[64] = {};
  GetWindowTextA(dialog_, caption, sizeof caption);
  EXPECT_STREQ(caption, "Soundex List");
  EXPECT_EQ(Rows(), (std::vector<std::string>{"BURROUGHS\tB622\tB620", "O'HARA\tO600\tO600",
                                              "SMITH\tS530\tS530", "VAN DYKE\tV532\tV532"}));
  char title[64] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT;
  column.pszText = title;
  column.cchTextMax = sizeof title;
  const char* expected[] = {"Surname", "Simplified Soundex", "American Soundex"};
  for (int c = 0; c < 3; ++c) {
    SendMessageA(list_, LVM_GETCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(title, expected[c]);
    EXPECT_EQ(SendMessageA(list_, LVM_GETCOLUMNWIDTH, c, 0), dv::kSoundexDefaultWidths[c]);
  }
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list_, LVM_GETBKCOLOR, 0, 0)), RGB(215, 225, 225));
  EXPECT_EQ(static_cast<COLORREF>(SendMessageA(list_, LVM_GETTEXTBKCOLOR, 0, 0)),
            RGB(215, 225, 225));
  EXPECT_TRUE(SendMessageA(list_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
}

TEST_F(SoundexListTest, AColumnHeadingSortsByThatColumn) {
  Open();
  ClickColumn(2);  // American: B620 < O600 < S530 < V532
  EXPECT_EQ(Rows().front(), "BURROUGHS\tB622\tB620");
  session_.rows.push_back({"ADAMS", "Z999", "A352"});  // a row only the sort can place
  ClickColumn(1);
  EXPECT_EQ(Rows(), (std::vector<std::string>{"BURROUGHS\tB622\tB620", "O'HARA\tO600\tO600",
                                              "SMITH\tS530\tS530", "VAN DYKE\tV532\tV532",
                                              "ADAMS\tZ999\tA352"}));
  ClickColumn(0);
  EXPECT_EQ(Rows().front(), "ADAMS\tZ999\tA352");
  EXPECT_EQ(session_.sortedBy, 0);
}

TEST_F(SoundexListTest, ColumnWidthsAreKeptForTheNextTime) {
  State().settings.lvparam[37] = 90;
  Open();
  EXPECT_EQ(SendMessageA(list_, LVM_GETCOLUMNWIDTH, 1, 0), 90);
  SendMessageA(list_, LVM_SETCOLUMNWIDTH, 0, 200);
  SendMessageA(dialog_, WM_COMMAND, IDC_SOUNDEX_LIST_OK, 0);
  EXPECT_FALSE(IsWindow(dialog_));
  EXPECT_EQ(State().settings.lvparam[36], 200);
  EXPECT_EQ(State().settings.lvparam[37], 90);
  EXPECT_EQ(State().settings.lvparam[38], 120);
}

TEST_F(SoundexListTest, WithoutDataTheListIsEmpty) {
  session_.store = nullptr;
  dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kSoundexListTemplate, nullptr,
                               SoundexListDialogProc, reinterpret_cast<LPARAM>(&session_));
  ASSERT_NE(dialog_, nullptr);
  EXPECT_EQ(SendMessageA(GetDlgItem(dialog_, IDC_SOUNDEX_ROWS), LVM_GETITEMCOUNT, 0, 0), 0);
  SendMessageA(dialog_, WM_COMMAND, IDC_SOUNDEX_LIST_CANCEL, 0);
  EXPECT_FALSE(IsWindow(dialog_));
}

}  // namespace
}  // namespace dv::win::test
