#include "data/SelectIndividualDialog.h"

#include <gtest/gtest.h>

#include <string>

#include "data/DataTestSupport.h"
#include "data/SelectIndividualDialogRes.h"

namespace dv::win::test {
namespace {

// Forty people: twenty SMITHs after twenty others, so that positioning at
// "SM" must scroll the list.
std::string Crowd() {
  std::string text = "0 HEAD\r\n";
  const char* surnames[] = {"Adams", "Baker",  "Carter", "Dixon", "Evans",  "Fisher", "Green",
                            "Hill",  "Irving", "Jones",  "King",  "Lewis",  "Moore",  "Nash",
                            "Owen",  "Price",  "Quinn",  "Reed",  "Slater", "Smart"};
  int n = 0;
  for (const char* surname : surnames)
    text += "0 @I" + std::to_string(++n) + "@ INDI\r\n1 NAME Ann /" + surname + "/\r\n";
  for (int i = 0; i < 20; ++i)
    text += "0 @I" + std::to_string(++n) + "@ INDI\r\n1 NAME Tom" + std::string(1, char('a' + i)) +
            " /Smith/\r\n";
  return text + "0 TRLR\r\n";
}

class SelectIndividualTest : public DataTest {
 protected:
  HWND Open() {
    session_.store = &Data().store;
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), kSelectIndividualTemplate, nullptr,
                           SelectIndividualDialogProc, reinterpret_cast<LPARAM>(&session_));
    EXPECT_NE(dialog, nullptr);
    return dialog;
  }
  LRESULT List(HWND dialog, UINT message, WPARAM wParam = 0) {
    return SendDlgItemMessageA(dialog, IDC_SEL_LIST, message, wParam, 0);
  }
  std::string KeyAt(int position) { return Data().store.Kind(dv::kIndi).keys[position].key; }
  SelectIndividualSession session_;
};

TEST_F(SelectIndividualTest, ListsEveryIndividualInKeyOrder) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("crowd.ged", Crowd())));
  HWND dialog = Open();
  char title[64] = {};
  GetWindowTextA(dialog, title, sizeof title);
  EXPECT_EQ(std::string(title), "Select Base Individual");
  EXPECT_EQ(List(dialog, LB_GETCOUNT), 40);
  EXPECT_EQ(List(dialog, LB_GETCURSEL), LB_ERR);
  DestroyWindow(dialog);
}

TEST_F(SelectIndividualTest, TypingSmPositionsAtTheFirstKeyNotBeforeSm) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("crowd.ged", Crowd())));
  HWND dialog = Open();
  SetDlgItemTextA(dialog, IDC_SEL_SEARCH, "sm");
  const int selected = static_cast<int>(List(dialog, LB_GETCURSEL));
  ASSERT_GE(selected, 1);
  EXPECT_EQ(KeyAt(selected).substr(0, 10), "SMART Ann ");
  EXPECT_LT(KeyAt(selected - 1), std::string("SM"));
  EXPECT_EQ(List(dialog, LB_GETTOPINDEX), selected);
  SetDlgItemTextA(dialog, IDC_SEL_SEARCH, "smi");
  EXPECT_EQ(KeyAt(static_cast<int>(List(dialog, LB_GETCURSEL))).substr(0, 10), "SMITH Toma");
  // Past the last key: the last entry.
  SetDlgItemTextA(dialog, IDC_SEL_SEARCH, "zz");
  EXPECT_EQ(List(dialog, LB_GETCURSEL), 39);
  DestroyWindow(dialog);
}

TEST_F(SelectIndividualTest, OkWithoutASelectionAsksForOne) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("crowd.ged", Crowd())));
  boxes_.clear();
  HWND dialog = Open();
  SendMessageA(dialog, WM_COMMAND, IDC_SEL_OK, 0);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Select a name from the list by clicking on it");
  EXPECT_TRUE(IsWindow(dialog));
  List(dialog, LB_SETCURSEL, 2);
  SendMessageA(dialog, WM_COMMAND, IDC_SEL_OK, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(session_.accepted);
  EXPECT_EQ(session_.chosenKey, KeyAt(2));
  EXPECT_EQ(session_.chosenIndex, Data().store.Kind(dv::kIndi).keys[2].index);
}

TEST_F(SelectIndividualTest, ChooseBaseIndividualFillsTheChartDialog) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("crowd.ged", Crowd())));
  HWND chart = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                               nullptr);
  CreateWindowExA(0, "EDIT", "", WS_CHILD, 0, 0, 80, 12, chart, reinterpret_cast<HMENU>(500),
                  nullptr, nullptr);
  HWND run = CreateWindowExA(0, "BUTTON", "Run", WS_CHILD | WS_DISABLED, 0, 20, 80, 12, chart,
                             reinterpret_cast<HMENU>(501), nullptr, nullptr);
  DialogDriver pick([](HWND dialog) {
    // Only the upper-case surname takes part: "SMITH TOMC" sorts before
    // every "SMITH Tom..." key, so the first SMITH is chosen.
    SetDlgItemTextA(dialog, IDC_SEL_SEARCH, "smith tomc");
    PostMessageA(dialog, WM_COMMAND, IDC_SEL_OK, 0);
  });
  ChartSelection selection;
  ASSERT_TRUE(ChooseBaseIndividual(chart, selection, 500, {501}));
  EXPECT_EQ(selection.baseName.substr(0, 10), "SMITH Toma");
  EXPECT_EQ(selection.baseIndex, 21);
  EXPECT_EQ(selection.baseNumber, 21);
  char name[64] = {};
  GetDlgItemTextA(chart, 500, name, sizeof name);
  EXPECT_EQ(std::string(name), selection.baseName);
  EXPECT_TRUE(IsWindowEnabled(run));
  DestroyWindow(chart);
}

TEST_F(SelectIndividualTest, UnlinkedOnlyListsThePeopleWithoutFamilies) {
  Start("");
  ASSERT_TRUE(Load(WriteFile(
      "five.ged",
      std::string(kSmallGedcom)
          .insert(std::string(kSmallGedcom).find("0 TRLR"),
                  "0 @I4@ INDI\r\n1 NAME Bob /Loner/\r\n0 @I5@ INDI\r\n1 NAME Al /Alone/\r\n"))));
  std::vector<std::int32_t> table = UnlinkedOnly(nullptr, Data().store);
  EXPECT_TRUE(boxes_.size() == 1u);  // only the load summary
  session_.subset = &table;
  HWND dialog = Open();
  ASSERT_EQ(List(dialog, LB_GETCOUNT), 2);
  List(dialog, LB_SETCURSEL, 0);
  SendMessageA(dialog, WM_COMMAND, IDC_SEL_OK, 0);
  EXPECT_EQ(session_.chosenKey.substr(0, 9), "ALONE Al ");
  EXPECT_EQ(session_.chosenIndex, 5);
}

TEST_F(SelectIndividualTest, NoUnlinkedIndividualsIsReported) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  boxes_.clear();
  EXPECT_TRUE(UnlinkedOnly(nullptr, Data().store).empty());
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "There are no unlinked individuals");
  EXPECT_EQ(boxes_[0].type & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
}

TEST_F(SelectIndividualTest, ADescendantListIsSearchedByStepping) {
  Start("");
  ASSERT_TRUE(Load(WriteFile("family.ged", kSmallGedcom)));
  std::vector<dv::ListEntry> list;
  ASSERT_EQ(dv::BuildDescendantList(Data().store, 1, list), 2);
  session_.descendants = &list;
  HWND dialog = Open();
  EXPECT_EQ(List(dialog, LB_GETCOUNT), 2);
  SetDlgItemTextA(dialog, IDC_SEL_SEARCH, "smith j");
  EXPECT_EQ(List(dialog, LB_GETCURSEL), 1);
  SendMessageA(dialog, WM_COMMAND, IDC_SEL_OK, 0);
  EXPECT_EQ(session_.chosenIndex, 1);
}

}  // namespace
}  // namespace dv::win::test
