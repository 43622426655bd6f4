#include "data/viewedit/IndividualPage.h"

#include <string>

#include "data/DataState.h"
#include "data/viewedit/IndividualPageRes.h"
#include "data/viewedit/PageCommon.h"
#include "data/viewedit/ViewEditFrame.h"

namespace dv::win {

using dv::viewedit::RecordPage;
using dv::viewedit::Tab;

namespace {

constexpr FieldBinding kFields[] = {
    {IDC_IND_GIVEN, "given", 63},
    {IDC_IND_SURNAME, "surname", 63},
    {IDC_IND_BIRTH_DAY, "birth.day", 2},
    {IDC_IND_BIRTH_MONTH, "birth.month", 2},
    {IDC_IND_BIRTH_YEAR, "birth.year", 4},
    {IDC_IND_BIRTH_PLACE, "birth.place", 63},
    {IDC_IND_BAPTISM_DAY, "baptism.day", 2},
    {IDC_IND_BAPTISM_MONTH, "baptism.month", 2},
    {IDC_IND_BAPTISM_YEAR, "baptism.year", 4},
    {IDC_IND_BAPTISM_PLACE, "baptism.place", 63},
    {IDC_IND_DEATH_DAY, "death.day", 2},
    {IDC_IND_DEATH_MONTH, "death.month", 2},
    {IDC_IND_DEATH_YEAR, "death.year", 4},
    {IDC_IND_DEATH_PLACE, "death.place", 63},
    {IDC_IND_BURIAL_DAY, "burial.day", 2},
    {IDC_IND_BURIAL_MONTH, "burial.month", 2},
    {IDC_IND_BURIAL_YEAR, "burial.year", 4},
    {IDC_IND_BURIAL_PLACE, "burial.place", 63},
    {IDC_IND_OCCUPATION, "occupation", 31},
    {IDC_IND_NOTES, "note", 16000},
};

RecordPage* PageModel() {
  auto* session = ViewEditSession();
  return session ? &session->Page(Tab::kIndividual) : nullptr;
}

// The father (or mother) of the individual shown, 0 when none.
std::int32_t Parent(const RecordPage& page, bool father) {
  const auto& store = Data().store;
  const dv::IndividualSummary* s = page.index ? store.Individual(page.index) : nullptr;
  const dv::FamilySummary* f = s && s->parentFamily ? store.Family(s->parentFamily) : nullptr;
  if (!f || !f->line) return 0;
  return father ? f->husband : f->wife;
}

// The first marriage of the individual shown: the spouse and the date.
std::string MarriedText(const RecordPage& page) {
  const auto& store = Data().store;
  const dv::IndividualSummary* s = page.index ? store.Individual(page.index) : nullptr;
  const dv::FamilySummary* f = s && s->spouseFamily ? store.Family(s->spouseFamily) : nullptr;
  if (!f || !f->line) return {};
  const std::int32_t spouse = f->husband == page.index ? f->wife : f->husband;
  std::string text = PersonName(store, spouse);
  if (f->marriageDate[0]) {
    if (!text.empty()) text += "  ";
    text += f->marriageDate;
  }
  return text;
}

void UpdateButtons(HWND dialog, const RecordPage& page, bool edit) {
  ShowRecordButtons(dialog, page, edit);
  for (int id : {IDC_IND_FATHER, IDC_IND_MOTHER, IDC_IND_MARRIED_LABEL, IDC_IND_MARRIED})
    ShowControl(dialog, id, !edit);
  EnableWindow(GetDlgItem(dialog, IDC_IND_FATHER), !edit && Parent(page, true) != 0);
  EnableWindow(GetDlgItem(dialog, IDC_IND_MOTHER), !edit && Parent(page, false) != 0);
}

void Fill(HWND dialog) {
  RecordPage* page = PageModel();
  if (!page) return;
  const bool edit = EditState();
  FillFields(dialog, *page, kFields, edit);
  FillingScope filling;
  const std::string sex = dv::viewedit::GetField(*page, "sex");
  const char c = sex.empty() ? '\0' : sex[0];
  CheckDlgButton(dialog, IDC_IND_MALE, c == 'M' || c == 'm' ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_IND_FEMALE, c == 'F' || c == 'f' ? BST_CHECKED : BST_UNCHECKED);
  for (int id : {IDC_IND_MALE, IDC_IND_FEMALE}) EnableWindow(GetDlgItem(dialog, id), edit);
  SetDlgItemTextA(dialog, IDC_IND_MARRIED, edit ? "" : MarriedText(*page).c_str());
  UpdateButtons(dialog, *page, edit);
  InvalidateRect(dialog, nullptr, TRUE);
}

void OnCommand(HWND dialog, int id, int code) {
  RecordPage* page = PageModel();
  if (!page) return;
  switch (id) {
    case IDC_IND_MALE:
    case IDC_IND_FEMALE:
      if (code == BN_CLICKED && !Filling() && EditState()) {
        dv::viewedit::SetField(*page, "sex", id == IDC_IND_MALE ? "M" : "F");
        UpdateButtons(dialog, *page, true);
      }
      return;
    case IDC_IND_FATHER:
    case IDC_IND_MOTHER:
      if (code == BN_CLICKED) NavigateTo(Tab::kIndividual, Parent(*page, id == IDC_IND_FATHER));
      return;
    case IDC_IND_NAME_SOURCE:
      if (code == BN_CLICKED) OpenCitationPanel("name.source");
      return;
    case IDC_IND_NOTES_SOURCE:
      if (code == BN_CLICKED) OpenCitationPanel("note.source");
      return;
    case IDC_IND_RECORD_SOURCE:
      if (code == BN_CLICKED) OpenCitationPanel("source");
      return;
    case IDC_PAGE_NEW:
      if (code == BN_CLICKED) NewShownRecord(dialog);
      return;
    case IDC_PAGE_ADD:
      if (code == BN_CLICKED) StoreShownPage(dialog);
      return;
    case IDC_PAGE_DELETE:
      if (code == BN_CLICKED) DeleteShownRecord(dialog);
      return;
  }
  if (code == EN_CHANGE && StoreField(dialog, *page, kFields, id) && !Filling())
    UpdateButtons(dialog, *page, EditState());
}

}  // namespace

HWND CreateIndividualPage(HWND parent) {
  return CreatePageDialog(kIndividualPageTemplate, parent,
                            IndividualPageProc, 0);
}

INT_PTR CALLBACK IndividualPageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      AddTooltips(dialog, {{IDC_PAGE_NEW, 353},
                           {IDC_PAGE_ADD, 354},
                           {IDC_PAGE_DELETE, 355},
                           {IDC_IND_FATHER, 356},
                           {IDC_IND_MOTHER, 357}});
      return FALSE;
    case kFillPage:
      Fill(dialog);
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
