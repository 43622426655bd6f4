#include "charts/selective/SelectiveDialog.h"

#include <string>

#include "charts/selective/AncestorsDialog.h"
#include "charts/selective/ManualFormatDialog.h"
#include "charts/selective/SelectiveDialogRes.h"
#include "charts/selective/SelectiveState.h"
#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/Lists.h"
#include "data/RecordStore.h"
#include "output/PrinterDialog.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

SelectiveDialogSession* SessionOf(HWND dialog) {
  return reinterpret_cast<SelectiveDialogSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

const dv::RecordStore* Store() {
  const SelectiveTreeLinks& links = SelectiveTree().links;
  if (links.store) return links.store();
  return State().app.recordsLoaded != 0 ? &Data().store : nullptr;
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

void PressLater(HWND dialog, int control) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

void MakeDefault(HWND dialog, int control) {
  SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(control), 0);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
}

std::string DisplayNameOf(std::int32_t index) {
  const dv::RecordStore* store = Store();
  if (store == nullptr || index <= 0) return {};
  const dv::IndividualSummary* p = store->Individual(index);
  if (p == nullptr || p->id == 0) return {};
  return std::string(p->displayName.view());
}

// Shows the base individual; false (and the base cleared) when none with a
// name is set.
bool ShowBase(HWND dialog) {
  ChartSelection& base = Data().selection;
  const std::string name = DisplayNameOf(base.baseIndex);
  if (base.baseIndex <= 0 || name.empty()) {
    base.baseIndex = 0;
    base.baseNumber = 0;
    base.baseName.clear();
    SetDlgItemTextA(dialog, IDC_ST_BASE_NAME, "");
    return false;
  }
  SetDlgItemTextA(dialog, IDC_ST_BASE_NAME, name.c_str());
  return true;
}

// A base individual other than the one whose ancestors were chosen: the
// choice is dropped and the run buttons wait for a new one.
void ForgetAncestors(HWND dialog) {
  ClearChosen(Data().selection);
  SelectiveTree().chart.Release();
  Enable(dialog, IDC_ST_RUN, false);
  Enable(dialog, IDC_ST_PREVIEW, false);
  ShowChosenAncestors(dialog);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<SelectiveDialogSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->printPreview = false;
  SelectiveTreeState& st = SelectiveTree();
  const bool haveBase = ShowBase(dialog);
  const std::int32_t base = Data().selection.baseIndex;
  if (!haveBase || base != st.ancestorsOf) ForgetAncestors(dialog);
  Enable(dialog, IDC_ST_SHOW_ANCESTORS, haveBase);
  Enable(dialog, IDC_ST_DESCENDANTS, haveBase);
  const bool ready = haveBase && base == st.ancestorsOf && !st.chosen.empty();
  ShowChosenAncestors(dialog);
  Enable(dialog, IDC_ST_RUN, ready);
  Enable(dialog, IDC_ST_PRINTER, true);
  Enable(dialog, IDC_ST_PREVIEW, false);
  if (!haveBase && Store() != nullptr) PressLater(dialog, IDC_ST_LIST);
  return TRUE;
}

void OnShowAncestors(HWND dialog) {
  const std::int32_t base = Data().selection.baseIndex;
  if (base <= 0) return;
  if (!RunAncestorsDialog(dialog, Store(), base)) return;
  StoreChosen(Data().selection);
  ShowChosenAncestors(dialog);
  SelectiveTree().chart.Release();
  Enable(dialog, IDC_ST_PREVIEW, false);
  Enable(dialog, IDC_ST_PRINTER, true);
  Enable(dialog, IDC_ST_RUN, !SelectiveTree().chosen.empty());
  if (!SelectiveTree().chosen.empty()) MakeDefault(dialog, IDC_ST_RUN);
}

// Gathers, lays out and formats; on failure the user has been told why.
bool RunChart(HWND dialog) {
  SelectiveTreeState& st = SelectiveTree();
  st.chart.Release();
  ProgramState& state = State();
  dv::SelectiveGatherInput in;
  in.store = Store();
  in.baseIndex = Data().selection.baseIndex;
  in.selection = ChosenNumbers();
  in.options = dv::SelectiveOptions::FromSettings(state.settings);
  in.columnWidth = &state.app.birthBriefWidth;
  // A run lays out without shifts; Print Preview applies the manual format.
  st.chart.SetShifts({});
  const dv::PageGeometry page = st.links.page ? st.links.page() : SelectiveTreePageGeometry();
  st.chart.SetPen(state.settings.bparam[0], page.printerLineHeight);

  dv::SelectivePrompter prompter;
  prompter.show = [dialog](int id, const std::string& suffix) {
    showMessage(dialog, id, false, suffix);
  };
  prompter.ask = [dialog](int id, const std::string& suffix) {
    return showMessage(dialog, id, true, suffix) == 0;
  };
  EnableWindow(dialog, FALSE);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const int rc = st.chart.Run(in, SelectivePageOf(page), prompter);
  SetCursor(previous);
  EnableWindow(dialog, TRUE);
  if (rc == 0) return true;
  showMessage(dialog, dv::kMsgCannotGenerateTree, false);
  st.chart.Release();
  return false;
}

void OnRun(HWND dialog) {
  const bool ok = RunChart(dialog);
  Enable(dialog, IDC_ST_PRINTER, !ok);
  Enable(dialog, IDC_ST_PREVIEW, ok);
  if (ok) MakeDefault(dialog, IDC_ST_PREVIEW);
  Enable(dialog, IDC_ST_RUN, false);
}

void OnPrintPreview(HWND dialog) {
  if (!SelectiveTree().chart.HasChart()) {
    Enable(dialog, IDC_ST_PREVIEW, false);
    Enable(dialog, IDC_ST_PRINTER, false);
    return;
  }
  // With the manual format armed, the shifts are edited over the chart
  // just run and the chart is laid out again with them.
  if (dv::SelectiveOptions::FromSettings(State().settings).manualFormat &&
      !ApplyManualFormat(dialog, std::string())) {
    Enable(dialog, IDC_ST_PREVIEW, false);
    return;
  }
  SessionOf(dialog)->printPreview = true;
  EndDialog(dialog, IDOK);
}

// A base individual was chosen (from all individuals or from descendants).
void OnBaseChosen(HWND dialog, std::int32_t before) {
  const bool haveBase = ShowBase(dialog);
  if (Data().selection.baseIndex != before) {
    ForgetAncestors(dialog);
    Enable(dialog, IDC_ST_PRINTER, true);
  }
  Enable(dialog, IDC_ST_SHOW_ANCESTORS, haveBase);
  Enable(dialog, IDC_ST_DESCENDANTS, haveBase);
  if (haveBase) MakeDefault(dialog, IDC_ST_SHOW_ANCESTORS);
}

bool ChooseBase(HWND dialog, const std::vector<dv::ListEntry>* descendants) {
  const SelectiveTreeLinks& links = SelectiveTree().links;
  ChartSelection& selection = Data().selection;
  return links.chooseBase ? links.chooseBase(dialog, selection, descendants)
                          : ChooseBaseFromList(dialog, selection, descendants);
}

void OnListIndividuals(HWND dialog) {
  const std::int32_t before = Data().selection.baseIndex;
  if (!ChooseBase(dialog, nullptr)) return;
  OnBaseChosen(dialog, before);
}

void OnListDescendants(HWND dialog) {
  const dv::RecordStore* store = Store();
  const std::int32_t before = Data().selection.baseIndex;
  if (store == nullptr || before <= 0) return;
  std::vector<dv::ListEntry>& list = SelectiveTree().descendantList;
  const int count = dv::BuildDescendantList(*store, before, list);
  if (const int message = dv::ListBuildMessage(count)) {
    showMessage(dialog, message, false);
    if (count < 0) return;
  }
  std::vector<dv::ListEntry> shown = list;  // the choice may clear the kept list
  if (!ChooseBase(dialog, &shown)) return;
  OnBaseChosen(dialog, before);
}

void OnPrinter(HWND dialog) {
  const SelectiveTreeLinks& links = SelectiveTree().links;
  if (links.printerDialog)
    links.printerDialog(dialog);
  else
    OnPrinterDialog(dialog, 0, 0);
}

INT_PTR OnClose(HWND dialog) {
  SelectiveTree().chart.Release();
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_ST_SHOW_ANCESTORS:
      OnShowAncestors(dialog);
      return TRUE;
    case IDC_ST_RUN:
      OnRun(dialog);
      return TRUE;
    case IDC_ST_PREVIEW:
      OnPrintPreview(dialog);
      return TRUE;
    case IDC_ST_LIST:
      OnListIndividuals(dialog);
      return TRUE;
    case IDC_ST_DESCENDANTS:
      OnListDescendants(dialog);
      return TRUE;
    case IDC_ST_PRINTER:
      OnPrinter(dialog);
      return TRUE;
    case IDC_ST_CLOSE:
    case IDCANCEL:
      return OnClose(dialog);
  }
  return FALSE;
}

}  // namespace

void ShowChosenAncestors(HWND dialog) {
  const SelectiveTreeState& st = SelectiveTree();
  if (st.chosen.empty()) {
    SetDlgItemTextA(dialog, IDC_ST_DESCENT_LABEL, "");
    SetDlgItemTextA(dialog, IDC_ST_NUMBERS, "");
    const std::string hint = "\n\n\n\n" + std::string(dv::StringText(kMsgHintUpTo18)) +
                             std::string(dv::StringText(kMsgHintThreeOrFour));
    SetDlgItemTextA(dialog, IDC_ST_NAMES, hint.c_str());
    return;
  }
  std::string names, numbers;
  for (const ChosenAncestor& a : st.chosen) {
    names += a.name + "\n";
    numbers += std::to_string(a.number) + "\n";
  }
  SetDlgItemTextA(dialog, IDC_ST_DESCENT_LABEL,
                  std::string(dv::StringText(kMsgShowDescentFrom)).c_str());
  SetDlgItemTextA(dialog, IDC_ST_NAMES, names.c_str());
  SetDlgItemTextA(dialog, IDC_ST_NUMBERS, numbers.c_str());
}

bool RunSelectiveDialog(HWND owner) {
  SelectiveDialogSession session;
  DialogBoxParamA(State().app.instance, kSelectiveTreeTemplate, owner, SelectiveDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.printPreview;
}

INT_PTR CALLBACK SelectiveDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
