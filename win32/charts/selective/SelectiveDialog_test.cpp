#include "charts/selective/SelectiveDialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charts/selective/AncestorsDialog.h"
#include "charts/selective/AncestorsDialogRes.h"
#include "charts/selective/ChartDialogTestSupport.h"
#include "charts/selective/SelectiveDialogRes.h"
#include "charts/selective/SelectiveState.h"
#include "charts/selective/SelectiveTestData.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {
namespace {

class SelectiveDialogTest : public ShellTest, public ModelessDialogControls {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    State().app.instance = GetModuleHandleA(nullptr);
    ResetDataState();
    ResetSelectiveTreeState();
    ASSERT_EQ(dv::test::LoadGedcomText(store_, dv::test::kSelectiveFamilies), 0);
    SelectiveTreeLinks& links = SelectiveTree().links;
    links.store = [this] { return &store_; };
    links.chooseBase = [this](HWND, ChartSelection& selection,
                              const std::vector<dv::ListEntry>* descendants) {
      offeredDescendants_ = descendants != nullptr ? int(descendants->size()) : -1;
      if (choice_ == 0) return false;
      selection.baseIndex = choice_;
      return true;
    };
    links.page = [] {
      dv::PageGeometry g;
      g.pageColumns = 170;
      g.pageLines = 132;
      return g;
    };
    links.printerDialog = [this](HWND) { ++printerOpened_; };
  }

  void TearDown() override {
    if (dialog_) DestroyWindow(dialog_);
    ResetSelectiveTreeState();
    ResetDataState();
    ShellTest::TearDown();
  }

  std::int32_t Ind(int number) const { return store_.FindIndex(kIndi, number); }

  HWND Open() {
    dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), kSelectiveTreeTemplate, nullptr,
                                 SelectiveDialogProc, reinterpret_cast<LPARAM>(&session_));
    Pump();
    return dialog_;
  }
  std::string Text(HWND window, int control) {
    char text[1024] = {};
    GetDlgItemTextA(window, control, text, sizeof text);
    return text;
  }
  std::string Text(int control) { return Text(dialog_, control); }
  static int Count(HWND dialog, int list) {
    return int(SendDlgItemMessageA(dialog, list, LB_GETCOUNT, 0, 0));
  }
  // Selects the row of list 106 whose text starts with prefix and adds it.
  static void AddRow(HWND dialog, const std::string& prefix) {
    const int n = Count(dialog, IDC_ANC_ALL);
    for (int i = 0; i < n; ++i) {
      char text[64] = {};
      SendDlgItemMessageA(dialog, IDC_ANC_ALL, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      if (std::string(text).rfind(prefix, 0) == 0) {
        SendDlgItemMessageA(dialog, IDC_ANC_ALL, LB_SETCURSEL, i, 0);
        ModalDriver::Press(dialog, IDC_ANC_ADD);
        return;
      }
    }
    ADD_FAILURE() << "no row " << prefix;
  }

  dv::RecordStore store_;
  std::int32_t choice_ = 0;
  int offeredDescendants_ = -2;
  int printerOpened_ = 0;
  SelectiveDialogSession session_;
};

TEST_F(SelectiveDialogTest, WithoutChosenAncestorsTheHintIsShownAndRunWaits) {
  Data().selection.baseIndex = Ind(1);
  Open();
  EXPECT_EQ(Text(IDC_ST_BASE_NAME), "Ann Louise Carter");
  EXPECT_EQ(Text(IDC_ST_NAMES),
            "\n\n\n\nAlthough up to 18 ancestors may be selected to show descent, the number of "
            "separate lines of descent which can be accommodated through each generation will "
            "usually be 3 or 4, if all children are shown.");
  EXPECT_EQ(Text(IDC_ST_NUMBERS), "");
  EXPECT_FALSE(Enabled(IDC_ST_RUN));
  EXPECT_FALSE(Enabled(IDC_ST_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_ST_PRINTER));
  EXPECT_TRUE(Enabled(IDC_ST_SHOW_ANCESTORS));
  Press(IDC_ST_PRINTER);
  EXPECT_EQ(printerOpened_, 1);
}

TEST_F(SelectiveDialogTest, WithoutABaseTheListOpensAtOnce) {
  choice_ = Ind(1);
  Open();
  EXPECT_EQ(offeredDescendants_, -1);
  EXPECT_EQ(Text(IDC_ST_BASE_NAME), "Ann Louise Carter");
  EXPECT_TRUE(Enabled(IDC_ST_SHOW_ANCESTORS));
  EXPECT_FALSE(Enabled(IDC_ST_RUN));
}

TEST_F(SelectiveDialogTest, ChosenAncestorsRunAndEnablePrintPreview) {
  Data().selection.baseIndex = Ind(1);
  Open();
  ModalDriver driver;
  driver.Then("Ancestors", [&](HWND d) {
    // The base individual is not offered: her 10 ancestors are.
    EXPECT_EQ(Count(d, IDC_ANC_ALL), 10);
    AddRow(d, "CARTER George");
    AddRow(d, "LOWE Samuel");
    EXPECT_EQ(Count(d, IDC_ANC_CHOSEN), 2);
    SendDlgItemMessageA(d, IDC_ANC_CHOSEN, LB_SETCURSEL, 1, 0);
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(IDC_ANC_CHOSEN, LBN_SELCHANGE), 0);
    EXPECT_EQ(Text(d, IDC_ANC_NUMBER), "Ahnentafel number: 12");
    ModalDriver::Press(d, IDC_ANC_OK);
  });
  Press(IDC_ST_SHOW_ANCESTORS);
  ASSERT_TRUE(driver.Done());
  EXPECT_EQ(Text(IDC_ST_DESCENT_LABEL), "Show descent from: ");
  EXPECT_EQ(Text(IDC_ST_NAMES), "CARTER George\nLOWE Samuel\n");
  EXPECT_EQ(Text(IDC_ST_NUMBERS), "8\n12\n");
  EXPECT_EQ(Data().selection.ancestorCount, 2);
  EXPECT_TRUE(Enabled(IDC_ST_RUN));

  Press(IDC_ST_RUN);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_TRUE(SelectiveTree().chart.HasChart());
  EXPECT_TRUE(Enabled(IDC_ST_PREVIEW));
  EXPECT_FALSE(Enabled(IDC_ST_PRINTER));
  EXPECT_FALSE(Enabled(IDC_ST_RUN));
  // The chart's column width was 29 only while it was gathered.
  EXPECT_EQ(State().app.birthBriefWidth, 23);

  Press(IDC_ST_PREVIEW);
  EXPECT_TRUE(session_.printPreview);
}

TEST_F(SelectiveDialogTest, AFailedRunSaysCannotGenerateTree) {
  Data().selection.baseIndex = Ind(1);
  SelectiveTree().links.page = [] { return dv::PageGeometry{}; };  // no paper
  SelectiveTree().ancestorsOf = Ind(1);
  SelectiveTree().chosen = {{"CARTER George", 8}};
  SelectiveTree().ancestorList.resize(1);
  Open();
  ASSERT_TRUE(Enabled(IDC_ST_RUN));
  Press(IDC_ST_RUN);
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "Paper dimensions have not been supplied!");
  EXPECT_EQ(boxes_[1].text, "Cannot generate tree");
  EXPECT_FALSE(Enabled(IDC_ST_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_ST_PRINTER));
  EXPECT_FALSE(SelectiveTree().chart.HasChart());
}

TEST_F(SelectiveDialogTest, AnotherBaseClearsTheChosenAncestors) {
  Data().selection.baseIndex = Ind(1);
  SelectiveTree().ancestorsOf = Ind(1);
  SelectiveTree().chosen = {{"CARTER George", 8}};
  SelectiveTree().ancestorList.resize(1);
  Open();
  EXPECT_EQ(Text(IDC_ST_NUMBERS), "8\n");
  choice_ = Ind(30);
  Press(IDC_ST_LIST);
  EXPECT_EQ(Text(IDC_ST_BASE_NAME), "Paul Grey");
  EXPECT_TRUE(SelectiveTree().chosen.empty());
  EXPECT_EQ(Text(IDC_ST_NUMBERS), "");
  EXPECT_EQ(Text(IDC_ST_NAMES).substr(0, 12), "\n\n\n\nAlthough");
  EXPECT_FALSE(Enabled(IDC_ST_RUN));
  EXPECT_FALSE(Enabled(IDC_ST_PREVIEW));
  EXPECT_TRUE(Enabled(IDC_ST_PRINTER));
}

TEST_F(SelectiveDialogTest, ListDescendantsOffersTheBaseAndItsDescendants) {
  Data().selection.baseIndex = Ind(8);  // George Carter: Henry, Tom, Ann and her siblings...
  Open();
  choice_ = Ind(2);
  Press(IDC_ST_DESCENDANTS);
  // George, Henry, Tom, Mark, Ben, Ann, Cara, Lily.
  EXPECT_EQ(offeredDescendants_, 8);
  EXPECT_EQ(Text(IDC_ST_BASE_NAME), "Tom Carter");
}

TEST_F(SelectiveDialogTest, TheAncestorListTakesEighteenAtMost) {
  Data().selection.baseIndex = Ind(1);
  Open();
  ModalDriver driver;
  driver.Then("Ancestors", [&](HWND d) {
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ANC_REMOVE)));
    ModalDriver::Press(d, IDC_ANC_ADD);  // nothing selected
    for (int i = 0; i < 18; ++i) AddRow(d, "CARTER George");
    EXPECT_EQ(Count(d, IDC_ANC_CHOSEN), 18);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_ANC_ADD)));
    EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_ANC_OK));
    ModalDriver::Press(d, IDC_ANC_REMOVE);  // nothing selected in the chosen list
    SendDlgItemMessageA(d, IDC_ANC_CHOSEN, LB_SETCURSEL, 0, 0);
    ModalDriver::Press(d, IDC_ANC_REMOVE);
    EXPECT_EQ(Count(d, IDC_ANC_CHOSEN), 17);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_ANC_ADD)));
    ModalDriver::Press(d, IDC_ANC_OK);
  });
  Press(IDC_ST_SHOW_ANCESTORS);
  ASSERT_TRUE(driver.Done());
  ASSERT_EQ(boxes_.size(), 2u);
  EXPECT_EQ(boxes_[0].text, "No current selection");
  EXPECT_EQ(boxes_[1].text, "No current selection");
  EXPECT_EQ(SelectiveTree().chosen.size(), 17u);
}

TEST_F(SelectiveDialogTest, TheSearchFieldMovesTheAncestorList) {
  Data().selection.baseIndex = Ind(1);
  Open();
  ModalDriver driver;
  driver.Then("Ancestors", [&](HWND d) {
    SetDlgItemTextA(d, IDC_ANC_SEARCH, "lowe");
    const int row = int(SendDlgItemMessageA(d, IDC_ANC_ALL, LB_GETCURSEL, 0, 0));
    char text[64] = {};
    SendDlgItemMessageA(d, IDC_ANC_ALL, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::string(text).substr(0, 10), "LOWE Jane ");
    // Cancel puts the choice back as it was.
    AddRow(d, "HILL Rose");
    ModalDriver::Press(d, IDCANCEL);
  });
  Press(IDC_ST_SHOW_ANCESTORS);
  ASSERT_TRUE(driver.Done());
  EXPECT_TRUE(SelectiveTree().chosen.empty());
  EXPECT_FALSE(Enabled(IDC_ST_RUN));
}

}  // namespace
}  // namespace dv::win::test
