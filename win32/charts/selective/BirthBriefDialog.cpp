#include "charts/selective/BirthBriefDialog.h"

#include <string>

#include "charts/selective/BirthBriefDialogRes.h"
#include "charts/selective/BirthBriefState.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

BirthBriefDialogSession* SessionOf(HWND dialog) {
  return reinterpret_cast<BirthBriefDialogSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

const dv::RecordStore* Store() {
  const BirthBriefLinks& links = BirthBrief().links;
  return links.store ? links.store() : LoadedRecordStore();
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

void PressLater(HWND dialog, int control) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

// Shows the base individual's name; false (and the base cleared) when no
// base individual with a name is set.
bool ShowBase(HWND dialog) {
  ChartSelection& base = Data().selection;
  std::string name = BaseDisplayName(Store(), base.baseIndex);
  if (base.baseIndex <= 0 || name.empty()) {
    base.baseIndex = 0;
    base.baseNumber = 0;
    base.baseName.clear();
    SetDlgItemTextA(dialog, IDC_BB_BASE_NAME, "");
    return false;
  }
  SetDlgItemTextA(dialog, IDC_BB_BASE_NAME, name.c_str());
  return true;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<BirthBriefDialogSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->printPreview = false;
  Enable(dialog, IDC_BB_PRINTER, true);
  Enable(dialog, IDC_BB_PREVIEW, false);
  const bool haveBase = ShowBase(dialog);
  Enable(dialog, IDC_BB_RUN, haveBase);
  if (!haveBase && Store() != nullptr) PressLater(dialog, IDC_BB_LIST);
  if (haveBase && session->automatic) PressLater(dialog, IDC_BB_RUN);
  return TRUE;
}

void MakeDefault(HWND dialog, int control) {
  SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(control), 0);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
}

// Gathers and lays the chart out; on failure the user has been told why.
bool RunChart(HWND dialog) {
  BirthBriefState& bb = BirthBrief();
  bb.chart.Release();
  const dv::RecordStore* store = Store();
  const std::int32_t baseIndex = Data().selection.baseIndex;
  if (store == nullptr || baseIndex <= 0) {
    showMessage(dialog, kMsgCannotGenerate, false);
    return false;
  }
  const dv::Settings& settings = State().settings;
  const dv::PageGeometry page = bb.links.page ? bb.links.page() : BirthBriefPageGeometry();
  const dv::BirthBriefOptions options = dv::BirthBriefOptions::FromSettings(settings);
  bb.chart.SetPen(settings.bparam[0], page.printerLineHeight);

  EnableWindow(dialog, FALSE);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const dv::GatherResult result =
      bb.chart.Run(*store, baseIndex, options, dv::BirthBriefPageOf(page));
  SetCursor(previous);
  EnableWindow(dialog, TRUE);
  if (result.status == 0) return true;

  // The gathering names its own failure first; then the chart's.
  if (result.message != 0 && result.message != kMsgCannotGenerate)
    showMessage(dialog, result.message, false, result.suffix);
  showMessage(dialog, kMsgCannotGenerate, false);
  bb.chart.Release();
  return false;
}

void OnRun(HWND dialog) {
  const bool ok = RunChart(dialog);
  Enable(dialog, IDC_BB_PRINTER, !ok);
  Enable(dialog, IDC_BB_PREVIEW, ok);
  if (ok) MakeDefault(dialog, IDC_BB_PREVIEW);
  Enable(dialog, IDC_BB_RUN, false);
  if (!ok) SetFocus(GetDlgItem(dialog, IDC_BB_LIST));
  BirthBriefDialogSession* session = SessionOf(dialog);
  if (ok && session->automatic) PressLater(dialog, IDC_BB_PREVIEW);
}

void OnPrintPreview(HWND dialog) {
  if (!BirthBrief().chart.HasChart()) return;
  SessionOf(dialog)->printPreview = true;
  EndDialog(dialog, IDOK);
}

void OnListIndividuals(HWND dialog) {
  BirthBriefState& bb = BirthBrief();
  const bool chosen = bb.links.chooseBase ? bb.links.chooseBase(dialog, Data().selection)
                                          : ChooseFromIndividuals(dialog, Data().selection);
  if (!chosen || Data().selection.baseIndex <= 0) return;
  // A new base makes any chart run for the old one stale.
  bb.chart.Release();
  Enable(dialog, IDC_BB_PREVIEW, false);
  Enable(dialog, IDC_BB_PRINTER, true);
  const bool haveBase = ShowBase(dialog);
  Enable(dialog, IDC_BB_RUN, haveBase);
  if (haveBase) MakeDefault(dialog, IDC_BB_RUN);
}

void OnPrinter(HWND dialog) {
  const BirthBriefLinks& links = BirthBrief().links;
  if (links.printerDialog)
    links.printerDialog(dialog);
  else
    OpenPrinterDialog(dialog);
}

INT_PTR OnClose(HWND dialog) {
  BirthBrief().chart.Release();
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_BB_RUN:
      OnRun(dialog);
      return TRUE;
    case IDC_BB_PREVIEW:
      OnPrintPreview(dialog);
      return TRUE;
    case IDC_BB_LIST:
      OnListIndividuals(dialog);
      return TRUE;
    case IDC_BB_PRINTER:
      OnPrinter(dialog);
      return TRUE;
    case IDC_BB_CLOSE:
    case IDCANCEL:
      return OnClose(dialog);
  }
  return FALSE;
}

}  // namespace

bool RunBirthBriefDialog(HWND owner, bool automatic) {
  BirthBriefDialogSession session;
  session.automatic = automatic;
  DialogBoxParamA(State().app.instance, kBirthBriefTemplate, owner, BirthBriefDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.printPreview;
}

INT_PTR CALLBACK BirthBriefDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
