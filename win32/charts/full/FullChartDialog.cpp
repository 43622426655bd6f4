#include "charts/full/FullChartDialog.h"

#include <string>

#include "charts/full/FullChartDialogRes.h"
#include "charts/full/FullChartState.h"
#include "charts/selective/BirthBriefState.h"
#include "common/StringTable.h"
#include "data/DataState.h"
#include "data/RecordStore.h"
#include "data/SelectIndividualDialog.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

FullChartDialogSession* SessionOf(HWND dialog) {
  return reinterpret_cast<FullChartDialogSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

const dv::RecordStore* Store() {
  const FullChartLinks& links = Full().links;
  return links.store ? links.store() : LoadedRecordStore();
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

void Show(HWND dialog, int control, bool on) {
  ShowWindow(GetDlgItem(dialog, control), on ? SW_SHOW : SW_HIDE);
}

void PressLater(HWND dialog, int control) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

void MakeDefault(HWND dialog, int control) {
  SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(control), 0);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, control)), TRUE);
}

void FetchPage() {
  FullChartState& fc = Full();
  fc.page = fc.links.page ? fc.links.page() : FullChartPageGeometry();
}

bool NoPageBreaks() { return State().settings.dparam[kSlotNoPageBreaks] != 0; }

bool ShowBase(HWND dialog) {
  ChartSelection& base = Data().selection;
  const std::string name = BaseDisplayName(Store(), base.baseIndex);
  if (base.baseIndex <= 0 || name.empty()) {
    base.baseIndex = 0;
    base.baseNumber = 0;
    base.baseName.clear();
    SetDlgItemTextA(dialog, IDC_FC_BASE_NAME, "");
    return false;
  }
  SetDlgItemTextA(dialog, IDC_FC_BASE_NAME, name.c_str());
  return true;
}

// The Format group and the result text take the same place: one is shown
// before a run, the other after it.
void ShowFormat(HWND dialog, bool format) {
  for (int id : {IDC_FC_FORMAT_GROUP, IDC_FC_PAGE_BREAKS, IDC_FC_NO_PAGE_BREAKS}) {
    Show(dialog, id, format);
    Enable(dialog, id, format);
  }
  Show(dialog, IDC_FC_RESULT, !format);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<FullChartDialogSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->printPreview = false;
  Enable(dialog, IDC_FC_PRINTER, true);
  Enable(dialog, IDC_FC_PREVIEW, false);
  ShowFormat(dialog, true);
  CheckRadioButton(dialog, IDC_FC_PAGE_BREAKS, IDC_FC_NO_PAGE_BREAKS,
                   NoPageBreaks() ? IDC_FC_NO_PAGE_BREAKS : IDC_FC_PAGE_BREAKS);
  FetchPage();
  const bool haveBase = ShowBase(dialog);
  Enable(dialog, IDC_FC_RUN, haveBase);
  if (haveBase) {
    MakeDefault(dialog, IDC_FC_RUN);
  } else if (Store() != nullptr) {
    PressLater(dialog, IDC_FC_LIST);
  }
  return TRUE;
}

void OnFormat(HWND dialog, int control) {
  State().settings.dparam[kSlotNoPageBreaks] = control == IDC_FC_NO_PAGE_BREAKS ? 1 : 0;
  FetchPage();
  Enable(dialog, IDC_FC_RUN, Data().selection.baseIndex > 0);
}

// Runs the chart; on failure the user has been told why.
bool RunChart(HWND dialog) {
  FullChartState& fc = Full();
  fc.chart.Release();
  State().app.fullChartState = 0;
  const dv::RecordStore* store = Store();
  const std::int32_t baseIndex = Data().selection.baseIndex;
  if (store == nullptr || baseIndex <= 0) {
    showMessage(dialog, dv::kMsgFcCannotGenerate, false);
    return false;
  }
  dv::Settings& settings = State().settings;
  dv::FullChartOptions::DeriveShortChildLines(settings);
  dv::FullChartOptions options = dv::FullChartOptions::FromSettings(settings);
  const bool printer =
      fc.links.printerReached ? fc.links.printerReached() : FullChartPrinterReached();
  if (!printer && !options.noPageBreaks) {
    showMessage(dialog, dv::kMsgFcCannotFormatForPrinter, false);
    return false;
  }
  const dv::FullChartPage page = dv::PageForNumbers(fc.page, options, 1);
  fc.chart.SetFonts(settings.fonts[dv::kChartFont], settings.fonts[dv::kFont2],
                    settings.fonts[dv::kTitleFont]);
  fc.chart.SetPrinterLineHeight(page.printerLineHeight);
  fc.chart.SetColours(settings.customColours);
  State().app.fullChartState = 1;

  EnableWindow(dialog, FALSE);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const dv::ChartStatus st = fc.chart.Run(*store, baseIndex, options, page);
  SetCursor(previous);
  EnableWindow(dialog, TRUE);
  if (!st.ok()) {
    for (const dv::ChartMessage& m : st.messages) showMessage(dialog, m.id, false, m.suffix);
    showMessage(dialog, dv::kMsgFcCannotGenerate, false);
    State().app.fullChartState = 0;
    return false;
  }
  for (const dv::ChartMessage& m : fc.chart.notices()) showMessage(dialog, m.id, false, m.suffix);
  // The title setting follows the run: 3 in its one-line form, negative
  // when no space was found (the next run tries again).
  settings.dparam[kSlotTitle] = fc.chart.Options().title;
  return true;
}

void OnRun(HWND dialog) {
  const bool ok = RunChart(dialog);
  if (!ok) {
    SetFocus(GetDlgItem(dialog, IDC_FC_LIST));
    return;
  }
  FullChartState& fc = Full();
  ShowFormat(dialog, false);
  const std::string text = fc.chart.ResultText(fc.page.printerCharWidth, fc.page.printerLineHeight,
                                               fc.page.dpiX, fc.page.dpiY);
  SetDlgItemTextA(dialog, IDC_FC_RESULT, text.c_str());
  Enable(dialog, IDC_FC_PRINTER, false);
  const int caption = NoPageBreaks() ? dv::kLblView : dv::kLblPrintPreview;
  SetDlgItemTextA(dialog, IDC_FC_PREVIEW, std::string(dv::StringText(caption)).c_str());
  Enable(dialog, IDC_FC_PREVIEW, true);
  MakeDefault(dialog, IDC_FC_PREVIEW);
}

void OnPrintPreview(HWND dialog) {
  if (!Full().chart.HasChart()) {
    showMessage(dialog, dv::kMsgFcCannotDisplay, false);
    return;
  }
  SessionOf(dialog)->printPreview = true;
  EndDialog(dialog, IDOK);
}

void OnListIndividuals(HWND dialog) {
  FullChartState& fc = Full();
  const bool chosen = fc.links.chooseBase ? fc.links.chooseBase(dialog, Data().selection)
                                          : ChooseBaseIndividual(dialog, Data().selection,
                                                                 IDC_FC_BASE_NAME, {IDC_FC_RUN});
  if (!chosen || Data().selection.baseIndex <= 0) return;
  // A new base makes a chart run for the old one stale.
  fc.chart.Release();
  State().app.fullChartState = 0;
  SetDlgItemTextA(dialog, IDC_FC_RESULT, "");
  ShowFormat(dialog, true);
  Enable(dialog, IDC_FC_PRINTER, true);
  Enable(dialog, IDC_FC_PREVIEW, false);
  const bool haveBase = ShowBase(dialog);
  Enable(dialog, IDC_FC_RUN, haveBase);
  if (haveBase) MakeDefault(dialog, IDC_FC_RUN);
}

void OnPrinter(HWND dialog) {
  const FullChartLinks& links = Full().links;
  if (links.printerDialog)
    links.printerDialog(dialog);
  else
    OpenPrinterDialog(dialog);
  FetchPage();
}

INT_PTR OnClose(HWND dialog) {
  Full().chart.Release();
  State().app.fullChartState = 0;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_FC_RUN:
      OnRun(dialog);
      return TRUE;
    case IDC_FC_PREVIEW:
      OnPrintPreview(dialog);
      return TRUE;
    case IDC_FC_LIST:
      OnListIndividuals(dialog);
      return TRUE;
    case IDC_FC_PRINTER:
      OnPrinter(dialog);
      return TRUE;
    case IDC_FC_PAGE_BREAKS:
    case IDC_FC_NO_PAGE_BREAKS:
      if (HIWORD(wParam) == BN_CLICKED) OnFormat(dialog, LOWORD(wParam));
      return TRUE;
    case IDC_FC_CLOSE:
    case IDCANCEL:
      return OnClose(dialog);
  }
  return FALSE;
}

}  // namespace

bool RunFullChartDialog(HWND owner) {
  FullChartDialogSession session;
  DialogBoxParamA(State().app.instance, kFullChartTemplate, owner, FullChartDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.printPreview;
}

INT_PTR CALLBACK FullChartDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
