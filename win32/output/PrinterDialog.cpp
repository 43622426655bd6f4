#include "output/PrinterDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "common/StringTable.h"
#include "output/PrintSetup.h"
#include "output/PrinterDialogRes.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

inline constexpr int kHelpPrinter = 320;
inline constexpr int kEditOutOfSpace = 22;
inline constexpr int kNoPaperDimensions = 90;
inline constexpr int kLengthBelowWidth = 94;
inline constexpr int kFieldLimit = 29;
inline constexpr int kMaxCopies = 100;

PrinterDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<PrinterDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void StopBox(HWND dialog, int id) {
  ShowMessageBox(dialog, MessageText(id).c_str(), "Dorvane", MB_OK | MB_ICONSTOP);
}

void Show(HWND dialog, int id, bool visible) {
  ShowWindow(GetDlgItem(dialog, id), visible ? SW_SHOW : SW_HIDE);
}

std::string PaperText(const PaperReport& paper) {
  return paper.nameId ? std::string(StringText(paper.nameId)) : paper.paperName;
}

std::string OrientationText(int landscape) {
  if (landscape == 1) return std::string(StringText(kLandscape));
  if (landscape == 0) return std::string(StringText(kPortrait));
  return {};
}

// Puts the printer and its paper into the controls: the size as text when
// the paper is known, as edit fields when the page is not known at all, or
// not at all when the page is known but the paper is not.
void ShowPanel(HWND dialog, PrinterDialogState& state) {
  if (state.refresh) state.panel = state.refresh();
  const PrinterPanel& panel = state.panel;
  SetDlgItemTextA(dialog, IDC_PRN_DEVICE, panel.device.c_str());
  SetDlgItemTextA(dialog, IDC_PRN_PORT, panel.port.c_str());
  SetDlgItemTextA(dialog, IDC_PRN_PAPER, PaperText(panel.paper).c_str());
  SetDlgItemTextA(dialog, IDC_PRN_ORIENTATION, OrientationText(panel.paper.landscape).c_str());
  state.lengthMm = panel.paper.lengthMm;
  state.widthMm = panel.paper.widthMm;
  const bool paperKnown = state.lengthMm > 0 && state.widthMm > 0;
  const bool typed = !panel.pageKnown;
  const bool shown = paperKnown && !typed;
  for (int id : {IDC_PRN_LENGTH_LABEL, IDC_PRN_WIDTH_LABEL}) Show(dialog, id, shown || typed);
  for (int id : {IDC_PRN_LENGTH_TEXT, IDC_PRN_WIDTH_TEXT}) Show(dialog, id, shown);
  for (int id : {IDC_PRN_LENGTH_EDIT, IDC_PRN_WIDTH_EDIT}) Show(dialog, id, typed);
  if (shown) {
    SetDlgItemTextA(dialog, IDC_PRN_LENGTH_TEXT, std::to_string(state.lengthMm).c_str());
    SetDlgItemTextA(dialog, IDC_PRN_WIDTH_TEXT, std::to_string(state.widthMm).c_str());
  }
}

INT_PTR OnInit(HWND dialog, LPARAM lParam) {
  auto* state = reinterpret_cast<PrinterDialogState*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  for (int id : {IDC_PRN_COPIES, IDC_PRN_LENGTH_EDIT, IDC_PRN_WIDTH_EDIT})
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kFieldLimit, 0);
  SendDlgItemMessageA(dialog, IDC_PRN_COPIES_SPIN, UDM_SETRANGE32, 1, kMaxCopies);
  const int copies = state->copies;
  SetDlgItemTextA(dialog, IDC_PRN_COPIES, std::to_string(copies).c_str());
  ShowPanel(dialog, *state);
  return TRUE;
}

// A typed number (1 to 29 characters, decimal) goes to its value at once.
INT_PTR OnNumberChange(HWND dialog, int id) {
  PrinterDialogState* state = StateOf(dialog);
  if (!state) return FALSE;
  char text[kFieldLimit + 2] = {};
  const int length = GetDlgItemTextA(dialog, id, text, sizeof text);
  if (length < 1 || length > kFieldLimit) return TRUE;
  const int value = int(std::strtol(text, nullptr, 10));
  if (id == IDC_PRN_COPIES) state->copies = value;
  if (id == IDC_PRN_LENGTH_EDIT) state->lengthMm = value;
  if (id == IDC_PRN_WIDTH_EDIT) state->widthMm = value;
  return TRUE;
}

INT_PTR OnSettings(HWND dialog) {
  PrinterDialogState* state = StateOf(dialog);
  if (!state) return FALSE;
  if (state->setup) state->setup(dialog);
  ShowPanel(dialog, *state);
  return TRUE;
}

INT_PTR End(HWND dialog, PrinterDialogState* state, int result) {
  if (state) state->ended = result;
  EndDialog(dialog, result);
  return TRUE;
}

// OK: the length must not be below the width; a page typed in millimetres
// becomes the page size in cells.
INT_PTR OnOk(HWND dialog) {
  PrinterDialogState* state = StateOf(dialog);
  if (!state) return End(dialog, state, IDOK);
  if (state->widthMm > state->lengthMm) {
    StopBox(dialog, kLengthBelowWidth);
    return TRUE;
  }
  bool pageKnown = state->panel.pageKnown;
  if (!pageKnown) {
    int columns = 0, lines = 0;
    PageFromMillimetres(state->lengthMm, state->widthMm, state->panel.paper.landscape == 1,
                        columns, lines);
    pageKnown = columns > 0 && lines > 0;
    if (pageKnown && state->setPage) state->setPage(columns, lines);
  }
  if (!pageKnown) StopBox(dialog, kNoPaperDimensions);
  return End(dialog, state, IDOK);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case IDC_PRN_COPIES:
    case IDC_PRN_LENGTH_EDIT:
    case IDC_PRN_WIDTH_EDIT:
      if (code == EN_CHANGE) return OnNumberChange(dialog, id);
      if (code == EN_MAXTEXT) {
        StopBox(dialog, kEditOutOfSpace);
        return TRUE;
      }
      return FALSE;
    case IDC_PRN_SETTINGS:
      return OnSettings(dialog);
    case IDOK:
      return OnOk(dialog);
    case IDCANCEL:
      return End(dialog, StateOf(dialog), IDCANCEL);
  }
  return FALSE;
}

// The page typed in millimetres: its cells, and what the margins leave.
void SetTypedPage(int columns, int lines) {
  auto& state = State();
  auto& page = state.page;
  page.pageColumns = columns;
  page.pageLines = lines;
  page.usableColumns = columns - page.margins.left - page.margins.right;
  page.usableLines = lines - page.margins.top - page.margins.bottom;
  state.settings.dparam[27] = columns;
  state.settings.dparam[28] = lines;
}

PrinterPanel DescribePrinter() {
  auto& state = State();
  PrinterPanel panel;
  panel.paper = RecomputePageGeometry(state);
  if (state.printer.chosen) {
    panel.device = state.printer.target.device;
    panel.port = state.printer.target.port;
  }
  panel.pageKnown = state.page.pageColumns > 0 && state.page.pageLines > 0;
  return panel;
}

void RunPrinterSetup(HWND dialog) {
  PrintDialogResult result = RunPrintDialog(dialog, 1);
  if (result.showInitError) showMessage(dialog, kCannotInitialisePrinter, false);
}

}  // namespace

int RunPrinterDialog(HWND owner, PrinterDialogState& state) {
  DialogBoxParamA(State().app.instance, kPrinterTemplate, owner, PrinterDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  return state.ended;
}

INT_PTR CALLBACK PrinterDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

void OnPrinterDialog(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  PrinterDialogState dialog;
  dialog.copies = std::max(1, int(state.settings.dparam[29]));
  dialog.refresh = DescribePrinter;
  dialog.setup = RunPrinterSetup;
  dialog.setPage = SetTypedPage;
  {
    HelpContextScope help(kHelpPrinter);
    RunPrinterDialog(window, dialog);
  }
  // The copies follow the field as it is typed, whichever way the dialog closed.
  state.settings.dparam[29] = std::max(1, dialog.copies);
}

}  // namespace dv::win
