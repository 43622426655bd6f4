#include "charts/selective/ManualFormatDialog.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "charts/selective/ManualFormatDialogRes.h"
#include "charts/selective/SelectiveState.h"
#include "common/SafeFile.h"
#include "common/StringTable.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kMsgEditFull = 22;        // "Edit control out of space"
constexpr int kMsgNoSelection = 56;     // "No current selection"
constexpr int kShiftDigits = 5;

template <typename T>
T* SessionOf(HWND dialog) {
  return reinterpret_cast<T*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

// A new range is shown in 64 bits: a shift from a chart file may be any
// 32-bit number.
std::string Number(std::int64_t n) { return std::to_string(n); }

// One value per group, each followed by a line end.
template <typename F>
void ShowColumn(HWND dialog, int control, const std::vector<dv::ManualGroup>& groups, F value) {
  std::string text;
  for (const dv::ManualGroup& g : groups) text += Number(value(g)) + "\r\n";
  SetDlgItemTextA(dialog, control, text.c_str());
}

void ShowShifts(HWND dialog, const ManualFormatSession& s, bool newRange) {
  ShowColumn(dialog, IDC_MF_SHIFTS, s.groups, [](const dv::ManualGroup& g) { return g.shift; });
  if (!newRange) {
    SetDlgItemTextA(dialog, IDC_MF_NEW_MINS, "");
    SetDlgItemTextA(dialog, IDC_MF_NEW_MAXS, "");
    return;
  }
  ShowColumn(dialog, IDC_MF_NEW_MINS, s.groups,
             [](const dv::ManualGroup& g) { return dv::ShiftedMin(g); });
  ShowColumn(dialog, IDC_MF_NEW_MAXS, s.groups,
             [](const dv::ManualGroup& g) { return dv::ShiftedMax(g); });
}

void StoreShifts(ManualFormatSession& s) {
  s.list->clear();
  for (const dv::ManualGroup& g : s.groups) s.list->push_back({g.key, g.shift});
}

dv::SelectivePrompter PrompterFor(HWND dialog) {
  dv::SelectivePrompter p;
  p.show = [dialog](int id, const std::string& suffix) { showMessage(dialog, id, false, suffix); };
  p.ask = [dialog](int id, const std::string& suffix) {
    return showMessage(dialog, id, true, suffix) == 0;
  };
  return p;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* s = reinterpret_cast<ManualFormatSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  SetDlgItemTextA(dialog, IDC_MF_LIMIT_MIN, ("min   " + Number(s->minColumn)).c_str());
  SetDlgItemTextA(dialog, IDC_MF_LIMIT_MAX, ("max   " + Number(s->maxColumn)).c_str());
  const std::vector<dv::ManualShift> before = *s->list;
  s->groups = dv::ListManualGroups(*s->tables, *s->list, PrompterFor(dialog));
  s->keysMatched = before.size() >= s->groups.size() && !s->groups.empty();
  for (std::size_t i = 0; s->keysMatched && i < s->groups.size(); ++i)
    s->keysMatched = before[i].key == s->groups[i].key;
  s->kept = *s->list;
  ShowColumn(dialog, IDC_MF_GENERATIONS, s->groups,
             [](const dv::ManualGroup& g) { return g.generation; });
  ShowColumn(dialog, IDC_MF_KEYS, s->groups, [](const dv::ManualGroup& g) { return int(g.key); });
  ShowColumn(dialog, IDC_MF_MINS, s->groups, [](const dv::ManualGroup& g) { return g.min; });
  ShowColumn(dialog, IDC_MF_MAXS, s->groups, [](const dv::ManualGroup& g) { return g.max; });
  ShowShifts(dialog, *s, s->keysMatched);
  EnableWindow(GetDlgItem(dialog, IDC_MF_SAVE), s->canSave ? TRUE : FALSE);
  return TRUE;
}

void OnOk(HWND dialog) {
  ManualFormatSession* s = SessionOf<ManualFormatSession>(dialog);
  if (int rc = dv::CheckManualFormat(s->groups, s->usableColumns)) {
    showMessage(dialog, rc, false);
    return;
  }
  StoreShifts(*s);
  s->ok = true;
  EndDialog(dialog, IDOK);
}

void OnCancel(HWND dialog) {
  ManualFormatSession* s = SessionOf<ManualFormatSession>(dialog);
  *s->list = s->kept;
  EndDialog(dialog, IDCANCEL);
}

void OnSave(HWND dialog) {
  ManualFormatSession* s = SessionOf<ManualFormatSession>(dialog);
  const std::string question = s->path + std::string(dv::StringText(dv::kMsgSaveFormatQuestionEnd));
  if (showMessage(dialog, dv::kMsgSaveFormatQuestion, true, question) != 0) return;
  const int rc = dv::SaveCheckedManualFormat(s->path, s->groups, s->usableColumns);
  if (rc == 0) {
    StoreShifts(*s);
    return;
  }
  if (rc == dv::kMsgGroupsOverlap)
    showMessage(dialog, rc, false);
  else
    showMessage(dialog, dv::kMsgErrorWritingFile, false, s->path);
}

void OnEdit(HWND dialog) {
  ManualFormatSession* s = SessionOf<ManualFormatSession>(dialog);
  const INT_PTR result =
      DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                      kManualEditTemplate, dialog, ManualEditDialogProc,
                      reinterpret_cast<LPARAM>(s));
  if (result == IDOK) ShowShifts(dialog, *s, true);
}

// ---- The edit dialog ----

struct EditSession {
  ManualFormatSession* main = nullptr;
  std::vector<int> shifts;
  int selected = -1;
  bool filling = false;  // the field is being set from the list
};

void FillList(HWND dialog, const EditSession& e) {
  SendDlgItemMessageA(dialog, IDC_ME_LIST, LB_RESETCONTENT, 0, 0);
  for (std::size_t i = 0; i < e.main->groups.size(); ++i) {
    const std::string item = Number(e.main->groups[i].key) + "    " + Number(e.shifts[i]);
    SendDlgItemMessageA(dialog, IDC_ME_LIST, LB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(item.c_str()));
  }
}

INT_PTR OnEditInit(HWND dialog, LPARAM lParam) {
  auto* e = new EditSession;
  e->main = reinterpret_cast<ManualFormatSession*>(lParam);
  for (const dv::ManualGroup& g : e->main->groups) e->shifts.push_back(g.shift);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(e));
  SendDlgItemMessageA(dialog, IDC_ME_SHIFT, EM_LIMITTEXT, kShiftDigits, 0);
  FillList(dialog, *e);
  return TRUE;
}

void OnEditCommand(HWND dialog, WPARAM wParam) {
  EditSession* e = SessionOf<EditSession>(dialog);
  if (e == nullptr) return;
  switch (LOWORD(wParam)) {
    case IDC_ME_LIST:
      if (HIWORD(wParam) == LBN_SELCHANGE) {
        e->selected = int(SendDlgItemMessageA(dialog, IDC_ME_LIST, LB_GETCURSEL, 0, 0));
        if (e->selected < 0 || e->selected >= int(e->shifts.size())) {
          e->selected = -1;
          return;
        }
        e->filling = true;
        SetDlgItemTextA(dialog, IDC_ME_SHIFT, Number(e->shifts[std::size_t(e->selected)]).c_str());
        e->filling = false;
        SetFocus(GetDlgItem(dialog, IDC_ME_SHIFT));
      }
      return;
    case IDC_ME_SHIFT:
      if (HIWORD(wParam) == EN_MAXTEXT) {
        showMessage(dialog, kMsgEditFull, false);
      } else if (HIWORD(wParam) == EN_CHANGE && !e->filling) {
        if (e->selected < 0) {
          showMessage(dialog, kMsgNoSelection, false);
          return;
        }
        char text[16] = {};
        GetDlgItemTextA(dialog, IDC_ME_SHIFT, text, kShiftDigits + 1);
        e->shifts[std::size_t(e->selected)] = std::atoi(text);
      }
      return;
    case IDC_ME_OK:
      for (std::size_t i = 0; i < e->shifts.size(); ++i) e->main->groups[i].shift = e->shifts[i];
      StoreShifts(*e->main);
      EndDialog(dialog, IDOK);
      return;
    case IDC_ME_CANCEL:
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return;
  }
}

}  // namespace

bool ApplyManualFormat(HWND owner, const std::string& chartFile) {
  SelectiveTreeState& st = SelectiveTree();
  const dv::PageGeometry geometry = st.links.page ? st.links.page() : SelectiveTreePageGeometry();
  const dv::SelectivePage page = SelectivePageOf(geometry);
  const dv::SelectivePrompter prompter = PrompterFor(owner);
  if (!chartFile.empty() && dv::ReadManualFormatFile(chartFile, st.manualFormat) != 0)
    st.manualFormat.clear();
  // The ranges shown are those of the chart without shifts.
  st.chart.SetShifts({});
  int rc = st.chart.Relayout(page, prompter);
  if (rc == 0) {
    ManualFormatSession session;
    session.tables = st.chart.Tables();
    session.list = &st.manualFormat;
    session.usableColumns = st.chart.Extent().usableColumns;
    session.minColumn = page.marginLeft;
    session.maxColumn = session.usableColumns - page.marginRight;
    session.canSave = !chartFile.empty();
    session.path = chartFile;
    RunManualFormatDialog(owner, session);
    st.chart.SetShifts(st.manualFormat);
    rc = st.chart.Relayout(page, prompter);
  }
  if (rc == 0) return true;
  showMessage(owner, dv::kMsgCannotGenerateTree, false);
  st.chart.Release();
  return false;
}

bool RunManualFormatDialog(HWND owner, ManualFormatSession& session) {
  session.ok = false;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kManualFormatTemplate, owner, ManualFormatDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.ok;
}

INT_PTR CALLBACK ManualFormatDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_MF_EDIT:
          OnEdit(dialog);
          return TRUE;
        case IDC_MF_OK:
          OnOk(dialog);
          return TRUE;
        case IDC_MF_SAVE:
          OnSave(dialog);
          return TRUE;
        case IDC_MF_CANCEL:
        case IDCANCEL:
          OnCancel(dialog);
          return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

INT_PTR CALLBACK ManualEditDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnEditInit(dialog, lParam);
    case WM_COMMAND:
      OnEditCommand(dialog, wParam);
      return TRUE;
    case WM_DESTROY:
      delete SessionOf<EditSession>(dialog);
      SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
      return FALSE;
  }
  return FALSE;
}

}  // namespace dv::win
