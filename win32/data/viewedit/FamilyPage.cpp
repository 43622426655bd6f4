#include "data/viewedit/FamilyPage.h"

#include <string>
#include <vector>

#include "data/DataState.h"
#include "data/viewedit/Edits.h"
#include "data/viewedit/FamilyPageRes.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/ViewEditFrame.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"
#include "common/StringTable.h"

namespace dv::win {

using dv::viewedit::RecordPage;
using dv::viewedit::Tab;

namespace {

constexpr int kAddAsHusband = 375;
constexpr int kAddAsWife = 376;

constexpr FieldBinding kFields[] = {
    {IDC_FAM_MARRIAGE_DAY, "marriage.day", 2},
    {IDC_FAM_MARRIAGE_MONTH, "marriage.month", 2},
    {IDC_FAM_MARRIAGE_YEAR, "marriage.year", 4},
    {IDC_FAM_MARRIAGE_PLACE, "marriage.place", 63},
    {IDC_FAM_DIVORCED, "divorced", kCheckBox},
};

// What the page remembers between messages (one Family page at a time).
struct FamilyPageState {
  std::int32_t selectedPerson = 0;  // husband, wife or child picked on the page
  bool addAllowed = false;          // an individual was chosen in the list since the last add
  bool childAllowed = true;
};
FamilyPageState pageState;

RecordPage* PageModel() {
  auto* session = ViewEditSession();
  return session ? &session->Page(Tab::kFamily) : nullptr;
}

std::int32_t Spouse(const RecordPage& page, bool husband) {
  return dv::viewedit::IndividualOf(Data().store,
                                    dv::viewedit::GetField(page, husband ? "husband" : "wife"));
}

std::vector<std::int32_t> Children(const RecordPage& page) {
  std::vector<std::int32_t> children;
  for (const auto& item : page.children)
    if (!item.removed)
      if (std::int32_t c = dv::viewedit::IndividualOf(Data().store, item.value))
        children.push_back(c);
  return children;
}

// The next marriage of a spouse after the family shown (wrapping round), 0 when none.
std::int32_t OtherMarriage(const RecordPage& page, std::int32_t person) {
  if (!person) return 0;
  const std::vector<std::int32_t> families = Data().store.FamiliesOf(person);
  if (families.size() < 2) return 0;
  for (std::size_t i = 0; i < families.size(); ++i)
    if (families[i] == page.index) return families[(i + 1) % families.size()];
  return families.front();
}

std::int32_t ParentsOf(std::int32_t person) {
  const dv::IndividualSummary* s = person ? Data().store.Individual(person) : nullptr;
  return s ? s->parentFamily : 0;
}

void UpdateButtons(HWND dialog, const RecordPage& page, bool edit) {
  ShowRecordButtons(dialog, page, edit);
  for (int id : {IDC_FAM_ADD_SPOUSE, IDC_FAM_ADD_CHILD, IDC_FAM_REMOVE}) ShowControl(dialog, id, edit);
  const bool chosen = edit && pageState.addAllowed && ViewEdit().listIndividual != 0;
  EnableWindow(GetDlgItem(dialog, IDC_FAM_ADD_SPOUSE), chosen);
  EnableWindow(GetDlgItem(dialog, IDC_FAM_ADD_CHILD), chosen && pageState.childAllowed);
  EnableWindow(GetDlgItem(dialog, IDC_FAM_REMOVE), edit && pageState.selectedPerson != 0);
  const std::int32_t husband = Spouse(page, true), wife = Spouse(page, false);
  for (int id : {IDC_FAM_OTHER_GROUP, IDC_FAM_OTHER_HUSBAND, IDC_FAM_OTHER_WIFE,
                 IDC_FAM_HUSBAND_PARENTS, IDC_FAM_WIFE_PARENTS})
    ShowControl(dialog, id, !edit);
  EnableWindow(GetDlgItem(dialog, IDC_FAM_OTHER_HUSBAND), OtherMarriage(page, husband) != 0);
  EnableWindow(GetDlgItem(dialog, IDC_FAM_OTHER_WIFE), OtherMarriage(page, wife) != 0);
  EnableWindow(GetDlgItem(dialog, IDC_FAM_HUSBAND_PARENTS), ParentsOf(husband) != 0);
  EnableWindow(GetDlgItem(dialog, IDC_FAM_WIFE_PARENTS), ParentsOf(wife) != 0);
}

void FillPeople(HWND dialog, const RecordPage& page) {
  const auto& store = Data().store;
  FillingScope filling;
  SetDlgItemTextA(dialog, IDC_FAM_HUSBAND, PersonName(store, Spouse(page, true)).c_str());
  SetDlgItemTextA(dialog, IDC_FAM_WIFE, PersonName(store, Spouse(page, false)).c_str());
  HWND list = GetDlgItem(dialog, IDC_FAM_CHILDREN);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (std::int32_t child : Children(page)) {
    const LRESULT row = SendMessageA(list, LB_ADDSTRING, 0,
                                     reinterpret_cast<LPARAM>(PersonName(store, child).c_str()));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(row), child);
  }
}

void Fill(HWND dialog) {
  RecordPage* page = PageModel();
  if (!page) return;
  const bool edit = EditState();
  pageState = FamilyPageState{};
  FillFields(dialog, *page, kFields, edit);
  FillPeople(dialog, *page);
  UpdateButtons(dialog, *page, edit);
  InvalidateRect(dialog, nullptr, TRUE);
}

// The Add-as-spouse button names the place the chosen individual goes to.
void OnListChoice(HWND dialog, std::int32_t person) {
  RecordPage* page = PageModel();
  if (!page) return;
  const dv::IndividualSummary* s = person ? Data().store.Individual(person) : nullptr;
  const int label = s && s->sex == 1 ? kAddAsHusband : kAddAsWife;
  SetDlgItemTextA(dialog, IDC_FAM_ADD_SPOUSE, std::string(dv::StringText(label)).c_str());
  pageState.addAllowed = true;
  pageState.childAllowed = true;
  UpdateButtons(dialog, *page, EditState());
}

void AddPerson(HWND dialog, RecordPage& page, bool child) {
  const auto& store = Data().store;
  const std::int32_t person = ViewEdit().listIndividual;
  const int result = child ? dv::viewedit::AddChild(store, page, person)
                           : dv::viewedit::AddSpouse(store, page, person);
  if (result > 0) {
    showMessage(dialog, result, false);
    if (result == dv::viewedit::kMsgAlreadyInFamily) pageState.childAllowed = false;
    UpdateButtons(dialog, page, true);
    return;
  }
  if (result < 0) return;
  FillPeople(dialog, page);
  pageState.addAllowed = false;
  UpdateButtons(dialog, page, true);
}

void RemoveSelected(HWND dialog, RecordPage& page) {
  const int result = dv::viewedit::RemovePerson(Data().store, page, pageState.selectedPerson);
  pageState.selectedPerson = 0;
  if (result == dv::viewedit::kMsgLastPerson) {
    EnableWindow(GetDlgItem(dialog, IDC_PAGE_ADD), FALSE);
    HelpContextScope help(kHelpMessageBox);
    ShowMessageBox(dialog, dv::MessageText(result).c_str(), "Dorvane", MB_OK | MB_ICONINFORMATION);
    Fill(dialog);
    return;
  }
  if (result > 0) showMessage(dialog, result, false);
  FillPeople(dialog, page);
  UpdateButtons(dialog, page, true);
}

void OnCommand(HWND dialog, int id, int code) {
  RecordPage* page = PageModel();
  if (!page) return;
  const bool edit = EditState();
  const bool click = code == BN_CLICKED;
  switch (id) {
    case IDC_FAM_HUSBAND:
    case IDC_FAM_WIFE:
      if (code == EN_SETFOCUS && edit) {
        pageState.selectedPerson = Spouse(*page, id == IDC_FAM_HUSBAND);
        SendDlgItemMessageA(dialog, IDC_FAM_CHILDREN, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        UpdateButtons(dialog, *page, edit);
      }
      return;
    case IDC_FAM_CHILDREN: {
      HWND list = GetDlgItem(dialog, IDC_FAM_CHILDREN);
      const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
      const std::int32_t child =
          row == LB_ERR ? 0 : static_cast<std::int32_t>(SendMessageA(list, LB_GETITEMDATA, row, 0));
      if (code == LBN_SELCHANGE) {
        pageState.selectedPerson = child;
        UpdateButtons(dialog, *page, edit);
      } else if (code == LBN_DBLCLK && !edit && child) {
        NavigateTo(Tab::kIndividual, child);
      }
      return;
    }
    case IDC_FAM_ADD_SPOUSE:
    case IDC_FAM_ADD_CHILD:
      if (click && edit) AddPerson(dialog, *page, id == IDC_FAM_ADD_CHILD);
      return;
    case IDC_FAM_REMOVE:
      if (click && edit) RemoveSelected(dialog, *page);
      return;
    case IDC_FAM_OTHER_HUSBAND:
    case IDC_FAM_OTHER_WIFE:
      if (click) NavigateTo(Tab::kFamily, OtherMarriage(*page, Spouse(*page, id == IDC_FAM_OTHER_HUSBAND)));
      return;
    case IDC_FAM_HUSBAND_PARENTS:
    case IDC_FAM_WIFE_PARENTS:
      if (click) NavigateTo(Tab::kFamily, ParentsOf(Spouse(*page, id == IDC_FAM_HUSBAND_PARENTS)));
      return;
    case IDC_FAM_RECORD_SOURCE:
      if (click) OpenCitationPanel("source");
      return;
    case IDC_PAGE_NEW:
      if (click) NewShownRecord(dialog);
      return;
    case IDC_PAGE_ADD:
      if (click) StoreShownPage(dialog);
      return;
    case IDC_PAGE_DELETE:
      if (click) DeleteShownRecord(dialog);
      return;
  }
  if ((code == EN_CHANGE || click) && StoreField(dialog, *page, kFields, id) && !Filling())
    UpdateButtons(dialog, *page, edit);
}

}  // namespace

HWND CreateFamilyPage(HWND parent) {
  return CreatePageDialog(kFamilyPageTemplate, parent, FamilyPageProc,
                            0);
}

INT_PTR CALLBACK FamilyPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AddTooltips(dialog, {{IDC_FAM_ADD_SPOUSE, 358},
                           {IDC_FAM_ADD_CHILD, 359},
                           {IDC_PAGE_NEW, 360},
                           {IDC_PAGE_ADD, 354},
                           {IDC_FAM_REMOVE, 361},
                           {IDC_PAGE_DELETE, 362},
                           {IDC_FAM_HUSBAND_PARENTS, 363},
                           {IDC_FAM_WIFE_PARENTS, 364},
                           {IDC_FAM_OTHER_HUSBAND, 365},
                           {IDC_FAM_OTHER_WIFE, 366}});
      return FALSE;
    case kFillPage:
      Fill(dialog);
      return TRUE;
    case kListChoice:
      OnListChoice(dialog, static_cast<std::int32_t>(wParam));
      return TRUE;
    case WM_COMMAND:
      OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return PageColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam),
                        EditState());
  }
  return FALSE;
}

}  // namespace dv::win
