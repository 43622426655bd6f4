// View/edit mode driven through the main window's commands and the real
// page dialogs, on a copy of our sample data.

#include <windows.h>

#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "data/DataTestSupport.h"
#include "data/Lists.h"
#include "data/viewedit/Edits.h"
#include "data/viewedit/FamilyPageRes.h"
#include "data/viewedit/HeaderPageRes.h"
#include "data/GedcomWriter.h"
#include "data/viewedit/IndividualPageRes.h"
#include "data/viewedit/ListPanel.h"
#include "data/viewedit/ListPanelRes.h"
#include "data/ColumnPickerDialogRes.h"
#include "data/viewedit/BoundPage.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/SourcePageRes.h"
#include "data/viewedit/IndividualDetailsPageRes.h"
#include "data/viewedit/FamilyDetailsPageRes.h"
#include "common/StringTable.h"
#include "data/viewedit/SourceCitationPanel.h"
#include "data/viewedit/SourceCitationPanelRes.h"
#include "data/viewedit/PedigreePage.h"
#include "data/viewedit/PedigreePageRes.h"
#include "data/viewedit/PicturePage.h"
#include "data/viewedit/PicturePageRes.h"
#include "data/viewedit/ViewEditFrame.h"
#include "output/GdiGuards.h"
#include "resources/resource.h"

namespace dv::win::test {
namespace {

using dv::viewedit::Tab;

std::string SampleText() {
  std::string path = std::string("Z:") + DORVANE_TESTDATA + "/../sample/sample.ged";
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class ViewEditTest : public DataTest {
 protected:
  void SetUp() override {
    DataTest::SetUp();
    State().settings.fparam[2] = 1;
    window_ = Start("");
    ASSERT_NE(window_, nullptr);
    TakeMessages();
    original_ = SampleText();
    ASSERT_FALSE(original_.empty());
    path_ = WriteFile("sample.ged", Prepare(original_));
    ASSERT_TRUE(Load(path_));
    ASSERT_TRUE(State().app.recordsLoaded);
    boxes_.clear();  // the counts the loader showed
  }
  // The GEDCOM text the test loads (the sample as it is, unless a test adds lines).
  virtual std::string Prepare(const std::string& text) { return text; }
  void TearDown() override {
    ResetViewEdit();
    DeleteFileA((path_ + ".bak").c_str());
    DataTest::TearDown();
  }

  void Command(int id) {
    SendMessageA(window_, WM_COMMAND, id, 0);
    Pump();
  }
  HWND Page() { return State().app.viewEditDialog; }
  std::string Text(int control) {
    char text[512] = {};
    GetDlgItemTextA(Page(), control, text, sizeof text);
    return text;
  }
  void Type(int control, const char* text) { SetDlgItemTextA(Page(), control, text); }
  void Click(int control, HWND dialog = nullptr) {
    HWND d = dialog ? dialog : Page();
    SendMessageA(d, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(d, control)));
    Pump();
  }
  bool Enabled(int control) { return IsWindowEnabled(GetDlgItem(Page(), control)) != 0; }
  // Shown on its page (the main window itself stays hidden in the tests).
  bool Visible(int control) {
    return (GetWindowLongA(GetDlgItem(Page(), control), GWL_STYLE) & WS_VISIBLE) != 0;
  }
  bool ToolEnabled(int command) {
    return SendMessageA(ViewEdit().toolbar, TB_ISBUTTONENABLED, command, 0) != 0;
  }
  dv::viewedit::Session& Session() { return *ViewEditSession(); }
  std::int32_t Person(int number) { return Data().store.FindIndex(dv::kIndi, number); }
  std::int32_t ShownIndividual() { return Session().Page(Tab::kIndividual).index; }
  // A tab chosen the way a click does it: changing, set, changed.
  void ChooseTab(int position) {
    NMHDR header{ViewEdit().tabs, 91, static_cast<UINT>(TCN_SELCHANGING)};
    if (SendMessageA(window_, WM_NOTIFY, 91, reinterpret_cast<LPARAM>(&header))) return;
    SendMessageA(ViewEdit().tabs, TCM_SETCURSEL, position, 0);
    header.code = static_cast<UINT>(TCN_SELCHANGE);
    SendMessageA(window_, WM_NOTIFY, 91, reinterpret_cast<LPARAM>(&header));
    Pump();
  }
  // A list-panel row chosen by its individual.
  bool ChooseInList(std::int32_t individual) {
    HWND panel = ViewEdit().list;
    for (int row = 0; row < ListPanelCount(panel); ++row) {
      if (ListPanelRecord(row) != individual) continue;
      SendDlgItemMessageA(panel, IDC_LIST_ROWS, LB_SETCURSEL, row, 0);
      SendMessageA(panel, WM_COMMAND, MAKEWPARAM(IDC_LIST_ROWS, LBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(GetDlgItem(panel, IDC_LIST_ROWS)));
      Pump();
      return true;
    }
    return false;
  }
  void ChooseSubTab(int position) {
    SendMessageA(ViewEdit().subTabs, TCM_SETCURSEL, position, 0);
    NMHDR header{ViewEdit().subTabs, 92, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(window_, WM_NOTIFY, 92, reinterpret_cast<LPARAM>(&header));
    Pump();
  }
  std::string LastBox() { return boxes_.empty() ? std::string() : boxes_.back().text; }

  HWND window_ = nullptr;
  std::string original_;
  std::string path_;
};

TEST_F(ViewEditTest, ViewShowsTheIndividualReadOnlyWithPedigreeTab) {
  Command(IDM_FILE_VIEW);
  ASSERT_EQ(State().app.viewEditMode, 1);
  EXPECT_EQ(SendMessageA(ViewEdit().tabs, TCM_GETITEMCOUNT, 0, 0), 6);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  EXPECT_EQ(Text(IDC_IND_GIVEN), "Isla Bronwen");
  EXPECT_EQ(Text(IDC_IND_SURNAME), "Carrick");
  EXPECT_EQ(Text(IDC_IND_BIRTH_DAY), "20");
  EXPECT_EQ(Text(IDC_IND_BIRTH_MONTH), "2");
  EXPECT_EQ(Text(IDC_IND_BIRTH_YEAR), "1991");
  EXPECT_EQ(Text(IDC_IND_OCCUPATION), "Marine biologist");
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(Page(), IDC_IND_GIVEN), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(IsDlgButtonChecked(Page(), IDC_IND_FEMALE));
  EXPECT_TRUE(Visible(IDC_IND_FATHER));
  EXPECT_FALSE(Visible(IDC_PAGE_ADD));
  EXPECT_FALSE(ToolEnabled(IDM_VIEWEDIT_TO_VIEW));
  EXPECT_TRUE(ToolEnabled(IDM_VIEWEDIT_TO_EDIT));
}

TEST_F(ViewEditTest, EditStateHasNoPedigreeTabAndShowsTheEditButtons) {
  Command(IDM_FILE_EDIT);
  ASSERT_EQ(State().app.viewEditMode, 2);
  EXPECT_EQ(SendMessageA(ViewEdit().tabs, TCM_GETITEMCOUNT, 0, 0), 5);
  EXPECT_TRUE(Visible(IDC_PAGE_NEW));
  EXPECT_FALSE(Enabled(IDC_PAGE_ADD));
  EXPECT_FALSE(Visible(IDC_IND_FATHER));
  Type(IDC_IND_OCCUPATION, "Diver");
  EXPECT_TRUE(Enabled(IDC_PAGE_ADD));
  // View from the File menu switches the open mode over (posted as 65).
  boxAnswer_ = IDNO;
  Command(IDM_FILE_VIEW);
  EXPECT_EQ(State().app.viewEditMode, 1);
  EXPECT_EQ(SendMessageA(ViewEdit().tabs, TCM_GETITEMCOUNT, 0, 0), 6);
  EXPECT_EQ(LastBox(), "Save individual?");
}

TEST_F(ViewEditTest, AMonthOutsideOneToTwelveIsRefused) {
  Command(IDM_FILE_EDIT);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  Type(IDC_IND_BIRTH_MONTH, "13");
  EXPECT_EQ(LastBox(), "Invalid month!");
  EXPECT_EQ(Text(IDC_IND_BIRTH_MONTH), "2");
}

TEST_F(ViewEditTest, AnEditSavedAndReloadedChangesOnlyThatLine) {
  Command(IDM_FILE_EDIT);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  Type(IDC_IND_OCCUPATION, "Oceanographer");
  boxAnswer_ = IDYES;
  Command(IDM_FILE_SAVE);
  ASSERT_FALSE(boxes_.empty());
  EXPECT_EQ(boxes_.front().text, "Save individual?");
  EXPECT_EQ(Data().store.dataChanged, 0);

  // Nothing but the occupation (and the header's own lines) differs.
  std::vector<std::string> before = Lines(original_), after = Lines(ReadFile(path_));
  ASSERT_EQ(before.size(), after.size());
  bool inHeader = true;
  int changed = 0;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (i > 0 && before[i].rfind("0 ", 0) == 0) inHeader = false;
    if (before[i] == after[i] || inHeader) continue;
    ++changed;
    EXPECT_EQ(before[i], "1 OCCU Marine biologist");
    EXPECT_EQ(after[i], "1 OCCU Oceanographer");
  }
  EXPECT_EQ(changed, 1);

  Command(IDM_FILE_CLOSE);
  ASSERT_EQ(State().app.viewEditMode, 0);
  ASSERT_TRUE(Load(path_));
  Command(IDM_FILE_VIEW);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  EXPECT_EQ(Text(IDC_IND_OCCUPATION), "Oceanographer");
}

TEST_F(ViewEditTest, BackAndForwardWalkTheIndividualHistory) {
  Command(IDM_FILE_VIEW);
  for (int n : {1, 2, 3}) ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(n)));
  Command(IDM_VIEWEDIT_PREVIOUS);
  EXPECT_EQ(ShownIndividual(), Person(2));
  EXPECT_TRUE(ToolEnabled(IDM_VIEWEDIT_NEXT));
  Command(IDM_VIEWEDIT_PREVIOUS);
  EXPECT_EQ(ShownIndividual(), Person(1));
  // Back to the record the mode opened on, then Forward to the end.
  while (ToolEnabled(IDM_VIEWEDIT_PREVIOUS)) Command(IDM_VIEWEDIT_PREVIOUS);
  EXPECT_EQ(Session().IndividualHistory().Position(), 1);
  Command(IDM_VIEWEDIT_PREVIOUS);
  EXPECT_EQ(Session().IndividualHistory().Position(), 1);
  while (ToolEnabled(IDM_VIEWEDIT_NEXT)) Command(IDM_VIEWEDIT_NEXT);
  EXPECT_EQ(ShownIndividual(), Person(3));
  EXPECT_FALSE(ToolEnabled(IDM_VIEWEDIT_NEXT));
  EXPECT_EQ(Text(IDC_IND_GIVEN), dv::viewedit::GetField(Session().Page(Tab::kIndividual), "given"));
}

TEST_F(ViewEditTest, FatherButtonShowsTheFather) {
  Command(IDM_FILE_VIEW);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  const auto* family = Data().store.Family(Data().store.Individual(Person(1))->parentFamily);
  ASSERT_NE(family, nullptr);
  Click(IDC_IND_FATHER);
  EXPECT_EQ(ShownIndividual(), family->husband);
}

TEST_F(ViewEditTest, DeletingAPersonAsksFirstAndCancelKeepsIt) {
  Command(IDM_FILE_EDIT);
  const std::int32_t person = Person(1);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, person));
  boxAnswer_ = IDCANCEL;
  Click(IDC_PAGE_DELETE);
  EXPECT_EQ(LastBox(), "Delete all records of this person?");
  EXPECT_NE(Data().store.Individual(person)->line, nullptr);
  boxAnswer_ = IDOK;
  Click(IDC_PAGE_DELETE);
  EXPECT_EQ(Data().store.Individual(person)->line, nullptr);
  EXPECT_NE(ShownIndividual(), person);
  EXPECT_NE(ShownIndividual(), 0);
  EXPECT_EQ(dv::viewedit::StoreProblems(Data().store), 0);
}

TEST_F(ViewEditTest, DeletingAFamilyAsksFirst) {
  Command(IDM_FILE_EDIT);
  const std::int32_t family = Data().store.Individual(Person(1))->parentFamily;
  ASSERT_TRUE(NavigateTo(Tab::kFamily, family));
  EXPECT_EQ(Session().CurrentTab(), Tab::kFamily);
  boxAnswer_ = IDOK;
  Click(IDC_PAGE_DELETE);
  EXPECT_EQ(LastBox(), "Delete all records of this family?");
  EXPECT_EQ(Data().store.Family(family)->line, nullptr);
  EXPECT_EQ(Data().store.Individual(Person(1))->parentFamily, 0);
  EXPECT_EQ(dv::viewedit::StoreProblems(Data().store), 0);
}

TEST_F(ViewEditTest, ANewFamilyGetsASpouseAndAChild) {
  Command(IDM_FILE_EDIT);
  auto& store = Data().store;
  // A man and a person without parents, neither in the family yet.
  std::int32_t man = 0, child = 0;
  for (std::int32_t i = 1; i <= store.IndividualCount(); ++i) {
    const auto* s = store.Individual(i);
    if (!s || !s->line) continue;
    if (!man && s->sex == 1) man = i;
    else if (!child && !s->parentFamily && i != man) child = i;
  }
  ASSERT_TRUE(man && child);
  ChooseTab(static_cast<int>(Tab::kFamily));
  ASSERT_EQ(Session().CurrentTab(), Tab::kFamily);
  Click(IDC_PAGE_NEW);
  ASSERT_EQ(Session().Page(Tab::kFamily).record, nullptr);
  ASSERT_TRUE(ChooseInList(man));
  EXPECT_EQ(Text(IDC_FAM_ADD_SPOUSE), "<< Add as Husband");
  Click(IDC_FAM_ADD_SPOUSE);
  EXPECT_FALSE(Enabled(IDC_FAM_ADD_SPOUSE));
  EXPECT_EQ(Text(IDC_FAM_HUSBAND), PersonName(store, man));
  ASSERT_TRUE(ChooseInList(child));
  Click(IDC_FAM_ADD_CHILD);
  EXPECT_EQ(SendDlgItemMessageA(Page(), IDC_FAM_CHILDREN, LB_GETCOUNT, 0, 0), 1);
  ASSERT_TRUE(Enabled(IDC_PAGE_ADD));
  Click(IDC_PAGE_ADD);
  const std::int32_t family = Session().Page(Tab::kFamily).index;
  ASSERT_NE(family, 0);
  EXPECT_EQ(store.Family(family)->husband, man);
  EXPECT_EQ(store.Family(family)->children[0], child);
  EXPECT_EQ(store.Individual(child)->parentFamily, family);
  EXPECT_EQ(dv::viewedit::StoreProblems(store), 0);
}

TEST_F(ViewEditTest, AddingTheSamePersonTwiceIsRefused) {
  Command(IDM_FILE_EDIT);
  const std::int32_t family = Data().store.Individual(Person(1))->parentFamily;
  ASSERT_TRUE(NavigateTo(Tab::kFamily, family));
  ASSERT_TRUE(ChooseInList(Person(1)));
  Click(IDC_FAM_ADD_CHILD);
  EXPECT_EQ(LastBox(), "This person has already been added to this family.");
  EXPECT_FALSE(Enabled(IDC_FAM_ADD_CHILD));
}

TEST_F(ViewEditTest, PedigreeButtonsMoveThroughTheGenerations) {
  Command(IDM_FILE_VIEW);
  const auto& store = Data().store;
  ASSERT_TRUE(NavigateTo(Tab::kPedigree, Person(1)));
  ASSERT_EQ(Session().CurrentTab(), Tab::kPedigree);
  auto people = PedigreeOf(store, Person(1));
  EXPECT_EQ(Text(IDC_PED_BOX + 1), PersonName(store, Person(1)));
  EXPECT_EQ(Text(IDC_PED_BOX + 2), PersonName(store, people[2]));
  EXPECT_FALSE(ToolEnabled(IDM_VIEWEDIT_TO_EDIT));
  // The first outer ancestor present: its button re-centres the page there.
  int outer = 16;
  while (outer <= 31 && !people[outer]) ++outer;
  ASSERT_LE(outer, 31);
  Click(IDC_PED_FURTHER + outer - 16);
  EXPECT_EQ(ShownIndividual(), people[outer]);
  EXPECT_EQ(Text(IDC_PED_BOX + 1), PersonName(store, people[outer]));
  // Back returns to where the page was, on the same tab.
  Command(IDM_VIEWEDIT_PREVIOUS);
  EXPECT_EQ(ShownIndividual(), Person(1));
  EXPECT_EQ(Session().CurrentTab(), Tab::kPedigree);
  // Double-clicking the father's box re-centres on him.
  SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_PED_BOX + 2, STN_DBLCLK), 0);
  EXPECT_EQ(ShownIndividual(), people[2]);
  // The person's children button goes down again: to the only child, or
  // through the Children list (cancelled here).
  DialogDriver driver;
  Click(IDC_PED_CHILDREN);
  EXPECT_NE(ShownIndividual(), 0);
}

TEST_F(ViewEditTest, ListSearchPositionsTheList) {
  Command(IDM_FILE_VIEW);
  HWND panel = ViewEdit().list;
  SetDlgItemTextA(panel, IDC_LIST_SEARCH, "carr");
  const int top =
      static_cast<int>(SendDlgItemMessageA(panel, IDC_LIST_ROWS, LB_GETTOPINDEX, 0, 0));
  const auto& keys = Data().store.Kind(dv::kIndi).keys;
  ASSERT_LT(static_cast<std::size_t>(top), keys.size());
  EXPECT_GE(std::string(keys[top].key), "CARR");
  if (top > 0) {
    EXPECT_LT(std::string(keys[top - 1].key), "CARR");
  }
  // Choosing a row shows that individual.
  ASSERT_TRUE(ChooseInList(keys[top].index));
  EXPECT_EQ(ShownIndividual(), keys[top].index);
}

TEST_F(ViewEditTest, UnlinkedIndividualsOnly) {
  Command(IDM_FILE_EDIT);
  HWND panel = ViewEdit().list;
  // Everyone in the sample belongs to a family.
  Click(IDC_LIST_UNLINKED, panel);
  EXPECT_EQ(LastBox(), "There are no unlinked individuals");
  EXPECT_EQ(ListPanelCount(panel), 0);
  // A new individual stored on its own is the one unlinked row.
  Click(IDC_PAGE_NEW);
  Type(IDC_IND_GIVEN, "Wren");
  Type(IDC_IND_SURNAME, "Solitary");
  Click(IDC_PAGE_ADD);
  const std::int32_t added = ShownIndividual();
  ASSERT_NE(added, 0);
  EXPECT_EQ(ListPanelCount(panel), 1);
  EXPECT_EQ(ListPanelRecord(0), added);
  Click(IDC_LIST_ALL, panel);
  EXPECT_EQ(ListPanelCount(panel), dv::KeyCount(Data().store.Kind(dv::kIndi)));
}

TEST_F(ViewEditTest, ACitationNeedsItsSourceBeforeItIsStored) {
  Command(IDM_FILE_EDIT);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  Click(IDC_IND_NAME_SOURCE);
  HWND panel = ViewEdit().citation;
  ASSERT_NE(panel, nullptr);
  EXPECT_FALSE(GetWindowLongA(ViewEdit().list, GWL_STYLE) & WS_VISIBLE);
  SetDlgItemTextA(panel, IDC_CIT_PAGE, "Register p. 12");
  auto& page = Session().Page(Tab::kIndividual);
  EXPECT_EQ(dv::viewedit::GetField(page, "name.source.page"), "Register p. 12");
  EXPECT_TRUE(Enabled(IDC_PAGE_ADD));
  Click(IDC_PAGE_ADD);
  EXPECT_EQ(LastBox(), "You must select a source record\r\nfor the source data to be saved.");

  // "..." opens the Source List; its first row is chosen.
  {
    DialogDriver driver([](HWND d) {
      LVITEMA item{};
      item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendDlgItemMessageA(d, IDC_PICK_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
      PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    Click(IDC_CIT_CHOOSE, panel);
    EXPECT_EQ(driver.seen, 1);
  }
  const std::string pointer = dv::viewedit::GetField(page, "name.source");
  ASSERT_FALSE(pointer.empty());
  char shown[128] = {};
  GetDlgItemTextA(panel, IDC_CIT_SOURCE, shown, sizeof shown);
  EXPECT_EQ(shown, CitedSourceText(Data().store, pointer));
  Click(IDC_PAGE_ADD);
  EXPECT_EQ(Session().Page(Tab::kIndividual).mark, 0);
  EXPECT_EQ(dv::viewedit::GetField(Session().Page(Tab::kIndividual), "name.source.page"),
            "Register p. 12");
  Click(IDC_CIT_CLOSE, panel);
  EXPECT_EQ(ViewEdit().citation, nullptr);
  EXPECT_TRUE(GetWindowLongA(ViewEdit().list, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(ViewEditTest, TheFamilyAndEachEventOpenTheirOwnCitations) {
  Command(IDM_FILE_EDIT);
  const std::int32_t family = Data().store.Individual(Person(1))->parentFamily;
  ASSERT_TRUE(NavigateTo(Tab::kFamily, family));
  Click(IDC_FAM_RECORD_SOURCE);
  HWND panel = ViewEdit().citation;
  ASSERT_NE(panel, nullptr);
  SetDlgItemTextA(panel, IDC_CIT_PAGE, "Banns book f. 3");
  EXPECT_EQ(dv::viewedit::GetField(Session().Page(Tab::kFamily), "source.page"), "Banns book f. 3");
  EXPECT_TRUE(Enabled(IDC_PAGE_ADD));
  boxAnswer_ = IDNO;  // leaving drops the family's citation
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  EXPECT_EQ(ViewEdit().citation, nullptr);

  // On the Details page the button cites the event chosen in the list.
  ChooseSubTab(kSubDetails);
  HWND events = GetDlgItem(Page(), IDC_INDX_EVENTS);
  ASSERT_GE(SendMessageA(events, LB_GETCOUNT, 0, 0), 1);
  const int chosen = static_cast<int>(
      SendMessageA(events, LB_GETITEMDATA, SendMessageA(events, LB_GETCURSEL, 0, 0), 0));
  ASSERT_GE(chosen, 1);
  EXPECT_TRUE(Enabled(IDC_INDX_EVENT_SOURCE));
  Click(IDC_INDX_EVENT_SOURCE);
  panel = ViewEdit().citation;
  ASSERT_NE(panel, nullptr);
  SetDlgItemTextA(panel, IDC_CIT_PAGE, "Entry 41");
  {
    DialogDriver driver([](HWND d) {
      LVITEMA item{};
      item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendDlgItemMessageA(d, IDC_PICK_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
      PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    Click(IDC_CIT_CHOOSE, panel);
    EXPECT_EQ(driver.seen, 1);
  }
  const std::string prefix = "event." + std::to_string(chosen) + ".source";
  auto& page = Session().Page(Tab::kIndividual);
  EXPECT_FALSE(dv::viewedit::GetField(page, prefix).empty());
  EXPECT_EQ(dv::viewedit::GetField(page, prefix + ".page"), "Entry 41");
  // The record's own citation is left alone.
  EXPECT_TRUE(dv::viewedit::GetField(page, "source.page").empty());
  ASSERT_TRUE(StoreShownPage(window_));
  EXPECT_EQ(Session().Page(Tab::kIndividual).mark, 0);
  EXPECT_EQ(dv::viewedit::GetField(Session().Page(Tab::kIndividual), prefix + ".page"), "Entry 41");
}

TEST_F(ViewEditTest, DetailsPageAddsAnAssociateThatThenGuardsItsPerson) {
  Command(IDM_FILE_EDIT);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  ChooseSubTab(kSubDetails);
  HWND list = GetDlgItem(Page(), IDC_INDX_ASSOCIATES);
  ASSERT_NE(list, nullptr);
  const LRESULT before = SendMessageA(list, LB_GETCOUNT, 0, 0);
  EXPECT_FALSE(Enabled(IDC_INDX_ASSOCIATE_DELETE) && before == 0);
  // "New" takes the person chosen in the Individual List.
  {
    DialogDriver driver([](HWND d) {
      LVITEMA item{};
      item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendDlgItemMessageA(d, IDC_PICK_LIST, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
      PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    Click(IDC_INDX_ASSOCIATE_NEW);
    EXPECT_EQ(driver.seen, 1);
  }
  ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), before + 1);
  const std::string n = std::to_string(before + 1);
  auto& page = Session().Page(Tab::kIndividual);
  const std::int32_t associate =
      dv::viewedit::IndividualOf(Data().store, dv::viewedit::GetField(page, "associate." + n));
  ASSERT_NE(associate, 0);
  Type(IDC_INDX_ASSOCIATE_RELATION, "Godparent");
  EXPECT_EQ(dv::viewedit::GetField(page, "associate." + n + ".relation"), "Godparent");
  char row[256] = {};
  SendMessageA(list, LB_GETTEXT, SendMessageA(list, LB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(row));
  EXPECT_NE(std::string(row).find("Godparent"), std::string::npos) << row;
  ASSERT_TRUE(StoreShownPage(window_));
  EXPECT_EQ(Session().Page(Tab::kIndividual).mark, 0);

  // The person named as an associate cannot be deleted while the link stands.
  ChooseSubTab(kSubMain);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, associate));
  DeleteShownRecord(window_);
  EXPECT_EQ(LastBox(),
            "This person is linked as an associate:\r\nyou must remove this link before deleting.");
  ASSERT_NE(Data().store.Individual(associate)->line, nullptr);

  // Deleting the associate asks first; stored, the person is free again.
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  ChooseSubTab(kSubDetails);
  list = GetDlgItem(Page(), IDC_INDX_ASSOCIATES);
  SendMessageA(list, LB_SETCURSEL, before, 0);
  SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_INDX_ASSOCIATES, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  boxAnswer_ = IDOK;
  Click(IDC_INDX_ASSOCIATE_DELETE);
  EXPECT_EQ(LastBox(), "Delete this item?");
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), before);
  ASSERT_TRUE(StoreShownPage(window_));
  EXPECT_EQ(dv::viewedit::CanDelete(Data().store, dv::viewedit::PageKind::kIndividual, associate).refusal, 0);
}

TEST_F(ViewEditTest, HeaderPageShowsAndStoresTheSubmitter) {
  Command(IDM_FILE_VIEW);
  ChooseTab(static_cast<int>(Tab::kHeader));
  EXPECT_EQ(Text(IDC_SUBM_NAME), "Isla Bronwen Carrick");
  EXPECT_EQ(Text(IDC_SUBM_ADDRESS), "3 Kelpie Lane\r\nGlenmorran\r\nFernshire, Scotland");
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(Page(), IDC_SUBM_NAME), GWL_STYLE) & ES_READONLY);

  Command(IDM_VIEWEDIT_TO_EDIT);
  ASSERT_EQ(Session().CurrentTab(), Tab::kHeader);
  EXPECT_FALSE(GetWindowLongA(GetDlgItem(Page(), IDC_SUBM_NAME), GWL_STYLE) & ES_READONLY);
  Type(IDC_SUBM_PHONE, "01234 567890");
  Type(IDC_SUBM_ADDRESS, "3 Kelpie Lane\r\nGlenmorran");
  // A multi-line box tells no change for a text set by program: typing would.
  SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_SUBM_ADDRESS, EN_CHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(Page(), IDC_SUBM_ADDRESS)));
  EXPECT_EQ(dv::viewedit::GetField(Session().SubmitterPage(), "phone"), "01234 567890");
  // Leaving the tab asks, and Yes stores the submitter record in place.
  boxAnswer_ = IDYES;
  ChooseTab(static_cast<int>(Tab::kIndividual));
  EXPECT_EQ(LastBox(), "Save changes?");
  EXPECT_EQ(Session().CurrentTab(), Tab::kIndividual);
  const std::string text = dv::GedcomText(Data().store);
  const std::size_t at = text.find("0 @SUB1@ SUBM\r\n");
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(text.substr(at, text.find("\r\n0 ", at) + 2 - at),
            "0 @SUB1@ SUBM\r\n1 NAME Isla Bronwen Carrick\r\n1 ADDR 3 Kelpie Lane\r\n"
            "2 CONT Glenmorran\r\n1 PHON 01234 567890\r\n");
}

TEST_F(ViewEditTest, SourcePageShowsItsRepositoryAndAsksBeforeDeleting) {
  Command(IDM_FILE_EDIT);
  ChooseTab(static_cast<int>(Tab::kSource));
  ASSERT_EQ(Session().CurrentTab(), Tab::kSource);
  auto& page = Session().Page(Tab::kSource);
  ASSERT_NE(page.record, nullptr);
  EXPECT_EQ(Text(IDC_SRC_ABBR), dv::viewedit::GetField(page, "abbr"));
  EXPECT_EQ(Text(IDC_SRC_REPOSITORY),
            PointedRecordText(Data().store, dv::kRepo, dv::viewedit::GetField(page, "repository")));
  // A source that citations name is refused; an unnamed one asks first.
  const dv::viewedit::DeleteVerdict verdict = Session().CanDeleteCurrent();
  boxAnswer_ = IDCANCEL;
  Click(IDC_PAGE_DELETE);
  EXPECT_EQ(LastBox(), dv::MessageText(verdict.refusal ? verdict.refusal : verdict.question));
  EXPECT_NE(page.record, nullptr);
  // "..." chooses the repository from the Repository List.
  {
    DialogDriver driver([](HWND d) {
      LVITEMA item{};
      item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
      SendDlgItemMessageA(d, IDC_PICK_LIST, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&item));
      PostMessageA(d, WM_COMMAND, IDOK, 0);
    });
    Click(IDC_SRC_REPOSITORY_CHOOSE);
    EXPECT_EQ(driver.seen, 1);
  }
  EXPECT_FALSE(dv::viewedit::GetField(page, "repository").empty());
  EXPECT_FALSE(Text(IDC_SRC_REPOSITORY).empty());
}

TEST_F(ViewEditTest, DetailsPageAddsAndDeletesEvents) {
  Command(IDM_FILE_EDIT);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  ChooseSubTab(kSubDetails);
  HWND list = GetDlgItem(Page(), IDC_INDX_EVENTS);
  ASSERT_NE(list, nullptr);
  const LRESULT before = SendMessageA(list, LB_GETCOUNT, 0, 0);
  EXPECT_GE(before, 1);  // her birth
  Click(IDC_INDX_EVENT_NEW);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), before + 1);
  Type(IDC_INDX_EVENT_PLACE, "Invercarron");
  Type(IDC_INDX_EVENT_DATE, "1 SEP 2009");
  const int added = static_cast<int>(before) + 1;
  auto& page = Session().Page(Tab::kIndividual);
  EXPECT_EQ(dv::viewedit::GetField(page, "event." + std::to_string(added) + ".tag"), "EVEN");
  // Leaving the page asks, and Yes stores the new event.
  boxAnswer_ = IDYES;
  ChooseSubTab(kSubMain);
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(2)));
  EXPECT_EQ(LastBox(), "Save individual?");
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  auto fields = dv::viewedit::ShowFields(Data().store, Session().Page(Tab::kIndividual));
  bool found = false;
  for (const auto& [name, value] : fields) found = found || value == "Invercarron";
  EXPECT_TRUE(found);

  // Delete asks "Delete this item?"; OK takes it off the page.
  ChooseSubTab(kSubDetails);
  list = GetDlgItem(Page(), IDC_INDX_EVENTS);
  SendMessageA(list, LB_SETCURSEL, SendMessageA(list, LB_GETCOUNT, 0, 0) - 1, 0);
  SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_INDX_EVENTS, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  boxAnswer_ = IDOK;
  Click(IDC_INDX_EVENT_DELETE);
  EXPECT_EQ(LastBox(), "Delete this item?");
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), before);
}

TEST_F(ViewEditTest, ExitAsksAndCancelKeepsTheMode) {
  Command(IDM_FILE_EDIT);
  Type(IDC_IND_OCCUPATION, "Diver");
  boxAnswer_ = IDCANCEL;
  SendMessageA(window_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window_));
  EXPECT_EQ(State().app.viewEditMode, 2);
  EXPECT_EQ(LastBox(), "Save individual?");
}

TEST_F(ViewEditTest, AReportInEditModeAsksToSaveAndCancelStays) {
  Command(IDM_FILE_EDIT);
  Type(IDC_IND_OCCUPATION, "Diver");
  Click(IDC_PAGE_ADD);
  ASSERT_EQ(Data().store.dataChanged, 2);
  boxAnswer_ = IDCANCEL;
  DialogDriver driver;
  Command(IDM_REPORTS_ALL_INDIVIDUALS);
  EXPECT_EQ(LastBox(), "Save data to file?");
  EXPECT_EQ(State().app.viewEditMode, 2);
  EXPECT_EQ(driver.seen, 0);
  EXPECT_EQ(State().app.resumeMode, 0);
}

TEST_F(ViewEditTest, ToolbarTooltipsFollowThePreference) {
  Command(IDM_FILE_VIEW);
  auto tip = [&](int command) {
    NMTTDISPINFOA info{};
    info.hdr = {ViewEdit().toolbar, static_cast<UINT_PTR>(command), static_cast<UINT>(TTN_GETDISPINFOA)};
    SendMessageA(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    return std::string(info.lpszText ? info.lpszText : "");
  };
  EXPECT_EQ(tip(IDM_VIEWEDIT_TO_VIEW), "Switch to view mode");
  EXPECT_EQ(tip(IDM_FILE_CLOSE), "Close view/edit mode");
  EXPECT_EQ(tip(IDM_HELP_HELP), "Display help");
  SetViewEditTooltips(false);
  EXPECT_EQ(tip(IDM_VIEWEDIT_NEXT), "");
}

TEST_F(ViewEditTest, AReportFromViewModeComesBackToViewMode) {
  Command(IDM_FILE_VIEW);
  {
    DialogDriver driver;  // the report dialog is cancelled
    Command(IDM_REPORTS_ANCESTORS);
    EXPECT_EQ(driver.seen, 1);
  }
  Pump();
  EXPECT_EQ(State().app.viewEditMode, 1);
  EXPECT_NE(State().app.viewEditDialog, nullptr);
  EXPECT_EQ(State().app.resumeMode, 0);
}

TEST_F(ViewEditTest, NewDataOpensEditModeOnAnEmptyPage) {
  boxAnswer_ = IDOK;
  Command(IDM_FILE_NEW);
  ASSERT_EQ(State().app.viewEditMode, 2);
  EXPECT_EQ(ShownIndividual(), 0);
  EXPECT_EQ(ListPanelCount(ViewEdit().list), 0);
  Type(IDC_IND_GIVEN, "Ada");
  Type(IDC_IND_SURNAME, "First");
  Click(IDC_IND_FEMALE);
  Click(IDC_PAGE_ADD);
  ASSERT_NE(ShownIndividual(), 0);
  EXPECT_EQ(ListPanelCount(ViewEdit().list), 1);
  EXPECT_EQ(PersonName(Data().store, ShownIndividual()), "Ada First");
  EXPECT_EQ(Data().store.Individual(ShownIndividual())->sex, 0);
}

TEST_F(ViewEditTest, CloseWithoutChangesLeavesQuietly) {
  Command(IDM_FILE_VIEW);
  Command(IDM_FILE_CLOSE);
  EXPECT_EQ(State().app.viewEditMode, 0);
  EXPECT_EQ(State().app.viewEditDialog, nullptr);
  EXPECT_TRUE(boxes_.empty());
}


// The first sample person with four multimedia items: our portrait (by its
// full path), a file that is nowhere, a damaged GIF and a text file (both
// named bare, found in the data source's folder).
class PictureTest : public ViewEditTest {
 protected:
  std::string Prepare(const std::string& text) override {
    WriteFile("broken.gif", std::string("GIF89a\x10\x00\x10\x00\x80\x00\x00", 13));
    WriteFile("notes.txt", "not a picture");
    const std::string items = "1 OBJE\r\n2 FORM jpg\r\n2 TITL Portrait\r\n2 FILE " + SamplePicture("portrait.jpg") +
                              "\r\n1 OBJE\r\n2 FILE missing.png\r\n1 OBJE\r\n2 TITL Broken\r\n2 FILE broken.gif"
                              "\r\n1 OBJE\r\n2 FILE notes.txt\r\n";
    std::string changed = text;
    const std::size_t at = changed.find("0 @I1@ INDI");
    const std::size_t end = at == std::string::npos ? at : changed.find('\n', at);
    if (end != std::string::npos) changed.insert(end + 1, items);
    return changed;
  }
  static std::string SamplePicture(const char* name) {
    return std::string("Z:") + DORVANE_TESTDATA + "/../sample/pictures/" + name;
  }
  void ChooseItem(int row) {
    HWND list = GetDlgItem(Page(), IDC_PIC_ITEMS);
    SendMessageA(list, LB_SETCURSEL, row, 0);
    SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(IDC_PIC_ITEMS, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Pump();
  }
  int Rows() { return static_cast<int>(SendDlgItemMessageA(Page(), IDC_PIC_ITEMS, LB_GETCOUNT, 0, 0)); }
  bool ReadOnly(int control) {
    return (GetWindowLongA(GetDlgItem(Page(), control), GWL_STYLE) & ES_READONLY) != 0;
  }
  void OpenOnFirstPerson(int command) {
    Command(command);
    ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
    ChooseSubTab(kSubMultimedia);
    ASSERT_EQ(ViewEdit().subTab, kSubMultimedia);
    ASSERT_NE(GetDlgItem(Page(), IDC_PIC_BOX), nullptr);
  }
};

std::string chosenPicture;
bool ChooseSamplePicture(HWND, std::string& path) {
  path = chosenPicture;
  return true;
}

TEST_F(PictureTest, ShowsThePictureFittedToTheBox) {
  OpenOnFirstPerson(IDM_FILE_VIEW);
  EXPECT_EQ(Rows(), 4);
  EXPECT_EQ(Text(IDC_PIC_COUNT), "1 of 4");
  EXPECT_EQ(Text(IDC_PIC_TITLE), "Portrait");
  EXPECT_EQ(Text(IDC_PIC_FORM), "jpg");
  EXPECT_EQ(Text(IDC_PIC_FILE), SamplePicture("portrait.jpg"));
  const PictureShown shown = PicturePageShown();
  EXPECT_EQ(shown.message, "");
  ASSERT_GT(shown.width, 0);
  ASSERT_GT(shown.height, 0);
  // Inside the box, touching it on the limiting side.
  EXPECT_LE(shown.width, shown.boxWidth);
  EXPECT_LE(shown.height, shown.boxHeight);
  EXPECT_TRUE(shown.width == shown.boxWidth || shown.height == shown.boxHeight);
  // View state: nothing can be changed.
  EXPECT_TRUE(ReadOnly(IDC_PIC_TITLE));
  EXPECT_TRUE(ReadOnly(IDC_PIC_FILE));
  EXPECT_FALSE(Enabled(IDC_PIC_NEW));
  EXPECT_FALSE(Enabled(IDC_PIC_DELETE));
  // The box paints the picture: not all of it stays the window colour.
  HWND box = GetDlgItem(Page(), IDC_PIC_BOX);
  RECT client{};
  GetClientRect(box, &client);
  ScreenDc screen;
  MemoryDc memory(screen.get());
  GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
  SelectGuard selected(memory.get(), bitmap.get());
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.CtlID = IDC_PIC_BOX;
  item.hwndItem = box;
  item.hDC = memory.get();
  item.rcItem = client;
  SendMessageA(Page(), WM_DRAWITEM, IDC_PIC_BOX, reinterpret_cast<LPARAM>(&item));
  const COLORREF centre = GetPixel(memory.get(), client.right / 2, client.bottom / 2);
  EXPECT_NE(centre, GetSysColor(COLOR_WINDOW));

  // A person without items: an empty box and the count says so.
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(2)));
  EXPECT_EQ(ViewEdit().subTab, kSubMultimedia);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Text(IDC_PIC_COUNT), "No multimedia items");
  EXPECT_EQ(PicturePageShown().width, 0);
  EXPECT_TRUE(boxes_.empty());
}

TEST_F(PictureTest, MissingDamagedAndForeignFilesSayWhyBesideAnEmptyBox) {
  OpenOnFirstPerson(IDM_FILE_VIEW);
  ChooseItem(1);
  EXPECT_EQ(Text(IDC_PIC_COUNT), "2 of 4");
  EXPECT_EQ(PicturePageShown().width, 0);
  EXPECT_EQ(Text(IDC_PIC_MESSAGE), "Can't open input file name.\r\nmissing.png");
  ChooseItem(2);
  EXPECT_EQ(PicturePageShown().width, 0);
  EXPECT_EQ(Text(IDC_PIC_MESSAGE).rfind("The picture cannot be read: ", 0), 0u) << Text(IDC_PIC_MESSAGE);
  ChooseItem(3);
  EXPECT_EQ(PicturePageShown().width, 0);
  EXPECT_EQ(Text(IDC_PIC_MESSAGE), "This file is not a JPEG, PNG, GIF, PCX or BMP picture: notes.txt");
  // Back to the portrait: shown again, the message gone.
  ChooseItem(0);
  EXPECT_GT(PicturePageShown().width, 0);
  EXPECT_EQ(Text(IDC_PIC_MESSAGE), "");
  EXPECT_TRUE(boxes_.empty());  // said on the page, no box for each record shown
}

TEST_F(PictureTest, EditStateChangesAddsAndDeletesItemsThroughThePage) {
  OpenOnFirstPerson(IDM_FILE_EDIT);
  EXPECT_FALSE(ReadOnly(IDC_PIC_TITLE));
  EXPECT_TRUE(Enabled(IDC_PIC_NEW));
  EXPECT_TRUE(Enabled(IDC_PIC_DELETE));
  auto& page = Session().Page(Tab::kIndividual);
  // A typed file is the item's file, and the box follows it.
  ChooseItem(1);
  Type(IDC_PIC_FILE, SamplePicture("map.bmp").c_str());
  EXPECT_EQ(dv::viewedit::GetField(page, "media.2.file"), SamplePicture("map.bmp"));
  EXPECT_GT(PicturePageShown().width, 0);
  Type(IDC_PIC_TITLE, "Map");
  EXPECT_EQ(dv::viewedit::GetField(page, "media.2.title"), "Map");

  // New takes the chosen file, its format from the extension.
  chosenPicture = SamplePicture("house.png");
  SetPicturePageChooser(ChooseSamplePicture);
  Click(IDC_PIC_NEW);
  SetPicturePageChooser(nullptr);
  EXPECT_EQ(Rows(), 5);
  EXPECT_EQ(dv::viewedit::GetField(page, "media.5.file"), chosenPicture);
  EXPECT_EQ(dv::viewedit::GetField(page, "media.5.form"), "png");
  EXPECT_EQ(Text(IDC_PIC_COUNT), "5 of 5");
  EXPECT_GT(PicturePageShown().width, 0);

  // Delete asks first and takes the chosen item off the page.
  ChooseItem(2);  // "Broken"
  boxAnswer_ = IDOK;
  Click(IDC_PIC_DELETE);
  EXPECT_EQ(LastBox(), "Delete this item?");
  EXPECT_EQ(Rows(), 4);

  // Stored when the page is left: the tree holds the new item, not the deleted one.
  boxAnswer_ = IDYES;
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(2)));
  EXPECT_EQ(LastBox(), "Save individual?");
  ASSERT_TRUE(NavigateTo(Tab::kIndividual, Person(1)));
  std::string files;
  for (const auto& [name, value] : dv::viewedit::ShowFields(Data().store, Session().Page(Tab::kIndividual)))
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".file") == 0) files += value + ";";
  EXPECT_NE(files.find("house.png"), std::string::npos) << files;
  EXPECT_NE(files.find("map.bmp"), std::string::npos) << files;
  EXPECT_EQ(files.find("broken.gif"), std::string::npos) << files;
}

}  // namespace
}  // namespace dv::win::test
