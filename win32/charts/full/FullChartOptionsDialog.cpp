#include "charts/full/FullChartOptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "charts/full/AddTitleDialog.h"
#include "charts/full/BoxChartOptionsDialog.h"
#include "charts/full/FullChartOptionsDialogRes.h"
#include "charts/full/FullChartTypes.h"
#include "output/PrintSetup.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

// Settings slots edited here.
constexpr int kEquals = 4, kFold = 6, kNumbers = 31, kAlign = 32, kPeople = 36, kMaxA = 37,
              kMaxD = 38;                              // dparam
constexpr int kLineWidth = 0, kLinks = 1, kBirth = 3;  // bparam
constexpr int kEditOutOfSpace = 22;

FullChartOptionsSession* SessionOf(HWND dialog) {
  return reinterpret_cast<FullChartOptionsSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void Enable(HWND dialog, int control, bool on) {
  EnableWindow(GetDlgItem(dialog, control), on ? TRUE : FALSE);
}

bool Checked(HWND dialog, int control) {
  return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void SetNumber(HWND dialog, int control, int value) {
  SetDlgItemTextA(dialog, control, std::to_string(value).c_str());
}

// The edits of the maxima: enabled for "Limited", each when the people
// choice uses it.
void EnableMaxima(HWND dialog) {
  const dv::Settings& s = *SessionOf(dialog)->settings;
  const bool limited = Checked(dialog, IDC_FCOPT_LIMITED);
  const int people = s.dparam[kPeople];
  for (int id : {IDC_FCOPT_MAX_ANCESTORS, IDC_FCOPT_MAX_ANCESTORS_SPIN})
    Enable(dialog, id, limited && people != 2);
  for (int id : {IDC_FCOPT_MAX_DESCENDANTS, IDC_FCOPT_MAX_DESCENDANTS_SPIN})
    Enable(dialog, id, limited && people != 1);
}

void EnableNumberOptions(HWND dialog) {
  const bool none = Checked(dialog, IDC_FCOPT_NUMBERS_NONE);
  if (none) CheckDlgButton(dialog, IDC_FCOPT_BLANK_PAGES, BST_UNCHECKED);
  Enable(dialog, IDC_FCOPT_BLANK_PAGES, !none);
  Enable(dialog, IDC_FCOPT_NUMBERS_FONT, !none);
}

void SetSpin(HWND dialog, int spin, int low, int high) {
  SendDlgItemMessageA(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(low),
                      static_cast<LPARAM>(high));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<FullChartOptionsSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  session->kept = *session->settings;
  const dv::Settings& s = *session->settings;
  for (int id : {IDC_FCOPT_MAX_ANCESTORS, IDC_FCOPT_MAX_DESCENDANTS, IDC_FCOPT_LINE_WIDTH})
    SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kFullChartEditLimit, 0);
  SetSpin(dialog, IDC_FCOPT_MAX_ANCESTORS_SPIN, 1, dv::kAllGenerations);
  SetSpin(dialog, IDC_FCOPT_MAX_DESCENDANTS_SPIN, 1, dv::kAllGenerations);
  SetSpin(dialog, IDC_FCOPT_LINE_WIDTH_SPIN, 1, 10);

  CheckRadioButton(dialog, IDC_FCOPT_ALL_RELATIVES, IDC_FCOPT_DESCENDANTS,
                   IDC_FCOPT_ALL_RELATIVES + std::clamp(s.dparam[kPeople], 0, 2));
  const bool all = s.dparam[kMaxA] == dv::kAllGenerations && s.dparam[kMaxD] == dv::kAllGenerations;
  CheckRadioButton(dialog, IDC_FCOPT_ALL_GENERATIONS, IDC_FCOPT_LIMITED,
                   all ? IDC_FCOPT_ALL_GENERATIONS : IDC_FCOPT_LIMITED);
  SetNumber(dialog, IDC_FCOPT_MAX_ANCESTORS, s.dparam[kMaxA]);
  SetNumber(dialog, IDC_FCOPT_MAX_DESCENDANTS, s.dparam[kMaxD]);
  SetNumber(dialog, IDC_FCOPT_LINE_WIDTH, s.bparam[kLineWidth]);
  CheckRadioButton(dialog, IDC_FCOPT_LINKS_UNIFORM, IDC_FCOPT_LINKS_COLOUR,
                   IDC_FCOPT_LINKS_UNIFORM + std::clamp(s.bparam[kLinks], 0, 2));
  const int numbers = std::clamp(s.dparam[kNumbers], 0, 4);
  CheckRadioButton(dialog, IDC_FCOPT_NUMBERS_NONE, IDC_FCOPT_NUMBERS_TOP,
                   IDC_FCOPT_NUMBERS_NONE + (numbers > 2 ? numbers - 2 : numbers));
  CheckDlgButton(dialog, IDC_FCOPT_BLANK_PAGES, numbers > 2 ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(dialog, IDC_FCOPT_ALIGN_BOTTOM, IDC_FCOPT_ALIGN_CENTRE,
                   s.dparam[kAlign] != 0 ? IDC_FCOPT_ALIGN_CENTRE : IDC_FCOPT_ALIGN_BOTTOM);
  CheckDlgButton(dialog, IDC_FCOPT_FOLD, s.dparam[kFold] ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_FCOPT_EQUALS, s.dparam[kEquals] ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, IDC_FCOPT_BIRTH, s.bparam[kBirth] ? BST_CHECKED : BST_UNCHECKED);
  EnableMaxima(dialog);
  EnableNumberOptions(dialog);
  return TRUE;
}

void OnEditChange(HWND dialog, int control) {
  char text[kFullChartEditLimit + 2] = {};
  GetDlgItemTextA(dialog, control, text, sizeof text);
  int value = 0;
  try {
    value = std::stoi(text);
  } catch (...) {
    return;  // empty or not a number: nothing stored
  }
  dv::Settings& s = *SessionOf(dialog)->settings;
  switch (control) {
    case IDC_FCOPT_MAX_ANCESTORS:
      s.dparam[kMaxA] = value;
      break;
    case IDC_FCOPT_MAX_DESCENDANTS:
      s.dparam[kMaxD] = value;
      break;
    case IDC_FCOPT_LINE_WIDTH:
      s.bparam[kLineWidth] = value;
      break;
    default:
      break;
  }
}

void OnAllGenerations(HWND dialog) {
  dv::Settings& s = *SessionOf(dialog)->settings;
  s.dparam[kMaxA] = dv::kAllGenerations;
  s.dparam[kMaxD] = dv::kAllGenerations;
  SetNumber(dialog, IDC_FCOPT_MAX_ANCESTORS, dv::kAllGenerations);
  SetNumber(dialog, IDC_FCOPT_MAX_DESCENDANTS, dv::kAllGenerations);
  EnableMaxima(dialog);
}

void OnFont(HWND dialog) {
  dv::Settings& s = *SessionOf(dialog)->settings;
  const ChooseFontFunction& choose = State().printer.chooseFont;
  if (choose)
    choose(dialog, s.fonts[dv::kFont2]);
  else
    SystemChooseFont(dialog, s.fonts[dv::kFont2]);
}

void OnTitle(HWND dialog) {
  dv::Settings& s = *SessionOf(dialog)->settings;
  int option = s.dparam[41];
  if (RunAddTitleDialog(dialog, option, s.fonts[dv::kTitleFont])) s.dparam[41] = option;
}

void OnBoxOptions(HWND dialog) { RunBoxChartOptionsDialog(dialog, *SessionOf(dialog)->settings); }

INT_PTR OnOk(HWND dialog) {
  FullChartOptionsSession* session = SessionOf(dialog);
  dv::Settings& s = *session->settings;
  const bool equalsBefore = session->kept.dparam[kEquals] != 0;
  for (int k = 0; k < 3; ++k)
    if (Checked(dialog, IDC_FCOPT_ALL_RELATIVES + k)) s.dparam[kPeople] = k;
  for (int k = 0; k < 3; ++k)
    if (Checked(dialog, IDC_FCOPT_LINKS_UNIFORM + k)) s.bparam[kLinks] = k;
  int radio = 0;
  for (int k = 0; k < 3; ++k)
    if (Checked(dialog, IDC_FCOPT_NUMBERS_NONE + k)) radio = k;
  s.dparam[kNumbers] = PageNumberSetting(radio, Checked(dialog, IDC_FCOPT_BLANK_PAGES));
  s.dparam[kAlign] = Checked(dialog, IDC_FCOPT_ALIGN_CENTRE) ? 1 : 0;
  s.dparam[kFold] = Checked(dialog, IDC_FCOPT_FOLD) ? 1 : 0;
  s.dparam[kEquals] = Checked(dialog, IDC_FCOPT_EQUALS) ? 1 : 0;
  s.bparam[kBirth] = Checked(dialog, IDC_FCOPT_BIRTH) ? 1 : 0;
  s.bparam[kLineWidth] = std::clamp(s.bparam[kLineWidth], 1, 10);
  s.dparam[kMaxA] = std::clamp(s.dparam[kMaxA], 1, dv::kAllGenerations);
  s.dparam[kMaxD] = std::clamp(s.dparam[kMaxD], 1, dv::kAllGenerations);
  if (!equalsBefore && s.dparam[kEquals] != 0)
    showMessage(dialog, dv::kMsgFcMarriageByEquals, false);
  session->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCancel(HWND dialog) {
  FullChartOptionsSession* session = SessionOf(dialog);
  *session->settings = session->kept;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (id) {
    case IDC_FCOPT_MAX_ANCESTORS:
    case IDC_FCOPT_MAX_DESCENDANTS:
    case IDC_FCOPT_LINE_WIDTH:
      if (code == EN_CHANGE) OnEditChange(dialog, id);
      if (code == EN_MAXTEXT) showMessage(dialog, kEditOutOfSpace, false);
      return TRUE;
    case IDC_FCOPT_ALL_RELATIVES:
    case IDC_FCOPT_ANCESTORS:
    case IDC_FCOPT_DESCENDANTS:
      SessionOf(dialog)->settings->dparam[kPeople] = id - IDC_FCOPT_ALL_RELATIVES;
      EnableMaxima(dialog);
      return TRUE;
    case IDC_FCOPT_ALL_GENERATIONS:
      OnAllGenerations(dialog);
      return TRUE;
    case IDC_FCOPT_LIMITED:
      EnableMaxima(dialog);
      return TRUE;
    case IDC_FCOPT_NUMBERS_NONE:
    case IDC_FCOPT_NUMBERS_BOTTOM:
    case IDC_FCOPT_NUMBERS_TOP:
      EnableNumberOptions(dialog);
      return TRUE;
    case IDC_FCOPT_NUMBERS_FONT:
      OnFont(dialog);
      return TRUE;
    case IDC_FCOPT_TITLE:
      OnTitle(dialog);
      return TRUE;
    case IDC_FCOPT_BOX_OPTIONS:
      OnBoxOptions(dialog);
      return TRUE;
    case IDOK:
      return OnOk(dialog);
    case IDCANCEL:
      return OnCancel(dialog);
  }
  return FALSE;
}

}  // namespace

int PageNumberSetting(int radio, bool blankPages) {
  radio = std::clamp(radio, 0, 2);
  return radio != 0 && blankPages ? radio + 2 : radio;
}

bool RunFullChartOptionsDialog(HWND owner, dv::Settings& settings) {
  HelpContextScope help(kHelpFullChartOptions);
  FullChartOptionsSession session;
  session.settings = &settings;
  DialogBoxParamA(State().app.instance, kFullChartOptionsTemplate, owner,
                  FullChartOptionsDialogProc, reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK FullChartOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
