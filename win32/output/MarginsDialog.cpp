#include "output/MarginsDialog.h"

#include <commctrl.h>

#include <array>
#include <cstdlib>

#include "output/MarginsDialogRes.h"
#include "output/PrintSetup.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

inline constexpr int kHelpMargins = 314;
inline constexpr int kEditOutOfSpace = 22;
inline constexpr int kFieldLimit = 29;  // characters a field takes; 30 and more are ignored
inline constexpr int kArrowMax = 50;

// The edit fields in settings order (slots 15 to 22).
constexpr std::array<int, 8> kFields = {
    IDC_MARGIN_PAGE_TOP,  IDC_MARGIN_PAGE_BOTTOM,  IDC_MARGIN_PAGE_LEFT,  IDC_MARGIN_PAGE_RIGHT,
    IDC_MARGIN_CHART_TOP, IDC_MARGIN_CHART_BOTTOM, IDC_MARGIN_CHART_LEFT, IDC_MARGIN_CHART_RIGHT};
constexpr std::array<int, 8> kSpins = {
    IDC_MARGIN_PAGE_TOP_SPIN,  IDC_MARGIN_PAGE_BOTTOM_SPIN,  IDC_MARGIN_PAGE_LEFT_SPIN,
    IDC_MARGIN_PAGE_RIGHT_SPIN, IDC_MARGIN_CHART_TOP_SPIN,   IDC_MARGIN_CHART_BOTTOM_SPIN,
    IDC_MARGIN_CHART_LEFT_SPIN, IDC_MARGIN_CHART_RIGHT_SPIN};

// The working value a field edits.
int* ValueOf(MarginValues& v, int field) {
  switch (field) {
    case IDC_MARGIN_PAGE_TOP: return &v.page.top;
    case IDC_MARGIN_PAGE_BOTTOM: return &v.page.bottom;
    case IDC_MARGIN_PAGE_LEFT: return &v.page.left;
    case IDC_MARGIN_PAGE_RIGHT: return &v.page.right;
    case IDC_MARGIN_CHART_TOP: return &v.chart.top;
    case IDC_MARGIN_CHART_BOTTOM: return &v.chart.bottom;
    case IDC_MARGIN_CHART_LEFT: return &v.chart.left;
    case IDC_MARGIN_CHART_RIGHT: return &v.chart.right;
  }
  return nullptr;
}

MarginsDialogState* StateOf(HWND dialog) {
  return reinterpret_cast<MarginsDialogState*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

INT_PTR OnInit(HWND dialog, LPARAM lParam) {
  auto* state = reinterpret_cast<MarginsDialogState*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  // Filling the fields stores each value again through OnFieldChange.
  MarginValues shown = state->working;
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    SendDlgItemMessageA(dialog, kFields[i], EM_LIMITTEXT, kFieldLimit, 0);
    SendDlgItemMessageA(dialog, kSpins[i], UDM_SETRANGE32, 0, kArrowMax);
    SetDlgItemTextA(dialog, kFields[i], std::to_string(*ValueOf(shown, kFields[i])).c_str());
  }
  return TRUE;
}

// A field changed: its decimal value goes to the working copy, unless the
// field is empty or too long to be a number the user meant.
INT_PTR OnFieldChange(HWND dialog, int field) {
  MarginsDialogState* state = StateOf(dialog);
  if (!state) return FALSE;
  const HWND edit = GetDlgItem(dialog, field);
  const int length = GetWindowTextLengthA(edit);
  if (length == 0 || length > kFieldLimit) return TRUE;
  char text[kFieldLimit + 2] = {};
  GetWindowTextA(edit, text, sizeof text);
  *ValueOf(state->working, field) = int(std::strtol(text, nullptr, 10));
  return TRUE;
}

INT_PTR OnFieldFull(HWND dialog) {
  showMessage(dialog, kEditOutOfSpace, false);
  return TRUE;
}

INT_PTR OnClose(HWND dialog, int result) {
  MarginsDialogState* state = StateOf(dialog);
  if (state) {
    if (result == IDOK && state->result) *state->result = state->working;
    state->ended = result;
  }
  EndDialog(dialog, result);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  if (id >= IDC_MARGIN_PAGE_TOP && id <= IDC_MARGIN_CHART_RIGHT) {
    if (code == EN_CHANGE) return OnFieldChange(dialog, id);
    if (code == EN_MAXTEXT) return OnFieldFull(dialog);
    return FALSE;
  }
  if (id == IDOK || id == IDCANCEL) return OnClose(dialog, id);
  return FALSE;
}

}  // namespace

MarginValues MarginsOf(const Settings& s) {
  return {{s.dparam[15], s.dparam[16], s.dparam[17], s.dparam[18]},
          {s.dparam[19], s.dparam[20], s.dparam[21], s.dparam[22]}};
}

void StoreMargins(Settings& s, const MarginValues& m) {
  s.dparam[15] = m.page.top;
  s.dparam[16] = m.page.bottom;
  s.dparam[17] = m.page.left;
  s.dparam[18] = m.page.right;
  s.dparam[19] = m.chart.top;
  s.dparam[20] = m.chart.bottom;
  s.dparam[21] = m.chart.left;
  s.dparam[22] = m.chart.right;
}

bool RunMarginsDialog(HWND owner, MarginValues& inOut) {
  MarginsDialogState state{inOut, &inOut, 0};
  DialogBoxParamA(State().app.instance, kMarginsTemplate, owner, MarginsDialogProc,
                  reinterpret_cast<LPARAM>(&state));
  return state.ended == IDOK;
}

INT_PTR CALLBACK MarginsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInit(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

void OnMargins(HWND window, WPARAM, LPARAM) {
  auto& state = State();
  MarginValues margins = MarginsOf(state.settings);
  bool changed = false;
  {
    HelpContextScope help(kHelpMargins);
    changed = RunMarginsDialog(window, margins);
  }
  if (!changed) return;
  StoreMargins(state.settings, margins);
  RecomputePageGeometry(state);
}

}  // namespace dv::win
