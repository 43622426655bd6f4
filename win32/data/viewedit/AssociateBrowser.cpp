#include "data/viewedit/AssociateBrowser.h"

#include <string>
#include <vector>

#include "data/ColumnPickerDialog.h"
#include "data/DataState.h"
#include "data/viewedit/BoundPage.h"
#include "data/viewedit/ViewEditFrame.h"
#include "shell/ShowMessage.h"

namespace dv::win {

using dv::viewedit::RecordPage;

namespace {

constexpr int kAskDeleteItem = 221;
constexpr int kRelationLimit = 63;

// The associate chosen: a 1-based place in the page's associates.
int chosen = 0;

std::string FieldName(int n, const char* field) {
  return "associate." + std::to_string(n) + "." + field;
}

bool Live(const RecordPage& page, int n) {
  return n >= 1 && n <= static_cast<int>(page.associates.size()) &&
         !page.associates[static_cast<std::size_t>(n - 1)].removed;
}

void FillList(HWND dialog, const AssociateBrowserControls& controls, const RecordPage& page) {
  HWND list = GetDlgItem(dialog, controls.list);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  if (!Live(page, chosen)) chosen = 0;
  int chosenRow = -1;
  for (int n = 1; n <= static_cast<int>(page.associates.size()); ++n) {
    if (!Live(page, n)) continue;
    if (!chosen) chosen = n;
    std::string row = PointedRecordText(Data().store, dv::kIndi,
                                        dv::viewedit::GetField(page, FieldName(n, "value")));
    const std::string relation = dv::viewedit::GetField(page, FieldName(n, "relation"));
    if (!relation.empty()) row += "  " + relation;
    const LRESULT at = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    SendMessageA(list, LB_SETITEMDATA, static_cast<WPARAM>(at), n);
    if (n == chosen) chosenRow = static_cast<int>(at);
  }
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(chosenRow), 0);
}

void FillRelation(HWND dialog, const AssociateBrowserControls& controls, const RecordPage& page,
                  bool edit) {
  const bool any = Live(page, chosen);
  FillingScope filling;
  HWND box = GetDlgItem(dialog, controls.relation);
  SendMessageA(box, EM_LIMITTEXT, kRelationLimit, 0);
  SetWindowTextA(box,
                 any ? dv::viewedit::GetField(page, FieldName(chosen, "relation")).c_str() : "");
  SendMessageA(box, EM_SETREADONLY, edit && any ? FALSE : TRUE, 0);
  EnableWindow(GetDlgItem(dialog, controls.newButton), edit);
  EnableWindow(GetDlgItem(dialog, controls.deleteButton), edit && any);
}

}  // namespace

void FillAssociateBrowser(HWND dialog, const AssociateBrowserControls& controls,
                          const RecordPage& page, bool edit) {
  FillList(dialog, controls, page);
  FillRelation(dialog, controls, page, edit);
}

bool AssociateBrowserCommand(HWND dialog, const AssociateBrowserControls& controls,
                             RecordPage& page, int control, int code) {
  const bool edit = EditState();
  if (control == controls.list) {
    if (code == LBN_SELCHANGE) {
      HWND list = GetDlgItem(dialog, controls.list);
      const LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
      chosen = row == LB_ERR ? 0 : static_cast<int>(SendMessageA(list, LB_GETITEMDATA, row, 0));
      FillRelation(dialog, controls, page, edit);
    }
    return true;
  }
  if (control == controls.newButton || control == controls.deleteButton) {
    if (!edit || Filling() || code != BN_CLICKED) return true;
    if (control == controls.newButton) {
      const std::int32_t person = PickRecord(dialog, dv::PickerKind::kIndividual, 0, true);
      if (!person) return true;
      const int n = static_cast<int>(page.associates.size()) + 1;
      const int result = dv::viewedit::SetField(page, FieldName(n, "value"),
                                                Data().store.XrefOf(dv::kIndi, person));
      if (result > 0) showMessage(dialog, result, false);
      if (result == 0) chosen = n;
    } else {
      if (!Live(page, chosen) || showMessage(dialog, kAskDeleteItem, true) != 0) return true;
      dv::viewedit::SetField(page, FieldName(chosen, "delete"), "Y");
      chosen = 0;
    }
    FillAssociateBrowser(dialog, controls, page, edit);
    RefreshViewEdit();
    return true;
  }
  if (control == controls.relation) {
    if (code != EN_CHANGE || Filling() || !Live(page, chosen)) return true;
    std::vector<char> buffer(
        static_cast<std::size_t>(GetWindowTextLengthA(GetDlgItem(dialog, control))) + 1);
    GetDlgItemTextA(dialog, control, buffer.data(), static_cast<int>(buffer.size()));
    const std::string name = FieldName(chosen, "relation");
    const int result = dv::viewedit::SetField(page, name, buffer.data());
    if (result > 0) {
      showMessage(dialog, result, false);
      FillingScope filling;
      SetDlgItemTextA(dialog, control, dv::viewedit::GetField(page, name).c_str());
    }
    FillList(dialog, controls, page);  // the row shows the relation too
    return true;
  }
  return false;
}

}  // namespace dv::win
