#include "charts/selective/ChartFileDialog.h"

#include <string>

#include "charts/selective/BirthBriefDialog.h"
#include "charts/selective/BirthBriefState.h"
#include "charts/selective/ChartFileDialogRes.h"
#include "charts/selective/ChartFileFormat.h"
#include "charts/selective/ChartFileRead.h"
#include "charts/selective/ManualFormatDialog.h"
#include "charts/selective/SelectiveState.h"
#include "common/StringTable.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kTitleBirthBrief = 45;  // "Birth Brief"
constexpr int kTitleTree = 46;        // "Tree"

ChartFileDialogSession* SessionOf(HWND dialog) {
  return reinterpret_cast<ChartFileDialogSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

void PressLater(HWND dialog, int control) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
}

std::string SourcePath() { return std::string(TextOf(State().app.currentSource)); }

void ReleaseCharts() {
  BirthBrief().chart.Release();
  SelectiveTree().chart.Release();
}

dv::SelectivePrompter PrompterFor(HWND dialog) {
  dv::SelectivePrompter prompter;
  prompter.show = [dialog](int id, const std::string& suffix) {
    showMessage(dialog, id, false, suffix);
  };
  prompter.ask = [dialog](int id, const std::string& suffix) {
    return showMessage(dialog, id, true, suffix) == 0;
  };
  return prompter;
}

// The Birth Brief from a .DVA: the file fills the tables, then the layout.
bool RunBirthBrief(HWND dialog) {
  BirthBriefState& bb = BirthBrief();
  const dv::Settings& settings = State().settings;
  const dv::PageGeometry page = bb.links.page ? bb.links.page() : BirthBriefPageGeometry();
  bb.chart.SetPen(settings.bparam[0], page.printerLineHeight);
  dv::BirthBriefTables& tables =
      bb.chart.StartTables(dv::BirthBriefOptions::FromSettings(settings), dv::BirthBriefPageOf(page));
  const std::string path = SourcePath();
  int rc = dv::ReadBirthBriefChartFile(path, bb.chart.Options(), tables, PrompterFor(dialog));
  if (rc > 0) showMessage(dialog, rc, false, rc == dv::kMsgChartFileCannotOpen ? path : "");
  if (rc == 0) {
    rc = bb.chart.Layout();
    if (rc > 0) showMessage(dialog, rc, false);
  }
  if (rc == 0) return true;
  showMessage(dialog, kMsgCannotGenerate, false);
  bb.chart.Release();
  return false;
}

// The Selective Tree from a .DVB, with its manual format when armed.
bool RunTree(HWND dialog) {
  SelectiveTreeState& st = SelectiveTree();
  ProgramState& state = State();
  const dv::PageGeometry page = st.links.page ? st.links.page() : SelectiveTreePageGeometry();
  st.chart.SetPen(state.settings.bparam[0], page.printerLineHeight);
  st.chart.SetShifts({});
  const int rc = st.chart.RunChartFile(SourcePath(), dv::SelectiveOptions::FromSettings(state.settings),
                                       SelectivePageOf(page), PrompterFor(dialog));
  if (rc == 0) return true;
  showMessage(dialog, dv::kMsgCannotGenerateTree, false);
  st.chart.Release();
  return false;
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<ChartFileDialogSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->printPreview = false;
  const int title = session->kind == ChartFileKind::kTree ? kTitleTree : kTitleBirthBrief;
  SetWindowTextA(dialog, std::string(dv::StringText(title)).c_str());
  std::string name = SourcePath();
  const std::size_t slash = name.find_last_of("\\/:");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  SetDlgItemTextA(dialog, IDC_CF_FILE, name.c_str());
  Enable(dialog, IDC_CF_PREVIEW, false);
  Enable(dialog, IDC_CF_PRINT, true);
  if (session->automatic) PressLater(dialog, IDC_CF_RUN);
  return TRUE;
}

void OnRun(HWND dialog) {
  ChartFileDialogSession* session = SessionOf(dialog);
  ReleaseCharts();
  EnableWindow(dialog, FALSE);
  HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  const bool ok = session->kind == ChartFileKind::kTree ? RunTree(dialog) : RunBirthBrief(dialog);
  SetCursor(previous);
  EnableWindow(dialog, TRUE);
  Enable(dialog, IDC_CF_PREVIEW, ok);
  Enable(dialog, IDC_CF_PRINT, !ok);
  if (!ok) return;
  SendMessageA(dialog, DM_SETDEFID, IDC_CF_PREVIEW, 0);
  SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, IDC_CF_PREVIEW)),
               TRUE);
  if (session->automatic) PressLater(dialog, IDC_CF_PREVIEW);
}

void OnPrintPreview(HWND dialog) {
  ChartFileDialogSession* session = SessionOf(dialog);
  const bool have = session->kind == ChartFileKind::kTree ? SelectiveTree().chart.HasChart()
                                                          : BirthBrief().chart.HasChart();
  if (!have) return;
  // A tree with the manual format armed: its shifts are edited first.
  if (session->kind == ChartFileKind::kTree &&
      dv::SelectiveOptions::FromSettings(State().settings).manualFormat &&
      !ApplyManualFormat(dialog, SourcePath())) {
    Enable(dialog, IDC_CF_PREVIEW, false);
    return;
  }
  session->printPreview = true;
  EndDialog(dialog, IDOK);
}

void OnPrint(HWND dialog) {
  const BirthBriefLinks& links = BirthBrief().links;
  if (links.printerDialog)
    links.printerDialog(dialog);
  else
    OpenPrinterDialog(dialog);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_CF_RUN:
      OnRun(dialog);
      return TRUE;
    case IDC_CF_PREVIEW:
      OnPrintPreview(dialog);
      return TRUE;
    case IDC_CF_PRINT:
      OnPrint(dialog);
      return TRUE;
    case IDC_CF_CLOSE:
    case IDCANCEL:
      ReleaseCharts();
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunChartFileDialog(HWND owner, ChartFileKind kind, bool automatic) {
  ChartFileDialogSession session;
  session.kind = kind;
  session.automatic = automatic;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kChartFileTemplate, owner, ChartFileDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.printPreview;
}

INT_PTR CALLBACK ChartFileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
