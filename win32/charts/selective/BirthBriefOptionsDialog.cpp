#include "charts/selective/BirthBriefOptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "charts/selective/BirthBriefOptionsDialogRes.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

// Settings slots edited here.
constexpr int kGenerationsSlot = 0;         // eparam: 0 seven, 1 eight generations
constexpr int kCapitalsSlot = 1;            // eparam: "All capitals"
constexpr int kSelectiveCapitalsSlot = 14;  // dparam: the Selective Tree's "All capitals"
constexpr int kWidthSlot = 39;              // dparam: characters per generation
constexpr int kLineWidthSlot = 0;           // bparam: graphics line width

// The check boxes and the eparam slot each one stores.
struct CheckSlot {
  int control;
  int slot;
};
constexpr std::array<CheckSlot, 5> kChecks = {{
    {IDC_BBOPT_BIRTH_DEATH, 2},
    {IDC_BBOPT_OCCUPATION, 3},
    {IDC_BBOPT_EXCLUDE_1_2, 4},
    {IDC_BBOPT_EXCLUDE_6, 5},
    {IDC_BBOPT_ALL_LINES, 6},
}};

BirthBriefOptionsSession* SessionOf(HWND dialog) {
  return reinterpret_cast<BirthBriefOptionsSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

// The number at the start of a text, as the C library's atoi reads it
// (leading blanks and a sign allowed; no digits gives 0).
int LeadingNumber(const char* text) {
  while (*text == ' ' || *text == '\t') ++text;
  bool negative = false;
  if (*text == '-' || *text == '+') negative = *text++ == '-';
  long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + (*text - '0');
    if (value > 1000000) break;  // far beyond any limit: stop before overflowing
  }
  return static_cast<int>(negative ? -value : value);
}

void SetCheck(HWND dialog, int control, bool on) {
  CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
}

bool IsChecked(HWND dialog, int control) {
  return IsDlgButtonChecked(dialog, control) == BST_CHECKED;
}

void SetUpSpin(HWND dialog, int spin, int low, int high) {
  SendDlgItemMessageA(dialog, spin, UDM_SETRANGE32, static_cast<WPARAM>(low),
                      static_cast<LPARAM>(high));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<BirthBriefOptionsSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  dv::Settings& s = *session->settings;
  session->accepted = false;
  session->keptGenerations = s.eparam[kGenerationsSlot];
  session->keptLineWidth = s.bparam[kLineWidthSlot];
  session->keptWidth = s.dparam[kWidthSlot];

  CheckRadioButton(dialog, IDC_BBOPT_GEN7, IDC_BBOPT_GEN8,
                   s.eparam[kGenerationsSlot] != 0 ? IDC_BBOPT_GEN8 : IDC_BBOPT_GEN7);
  SetCheck(dialog, IDC_BBOPT_CAPITALS, s.eparam[kCapitalsSlot] != 0);
  for (const CheckSlot& c : kChecks) SetCheck(dialog, c.control, s.eparam[c.slot] != 0);

  SendDlgItemMessageA(dialog, IDC_BBOPT_LINE_WIDTH, EM_LIMITTEXT, kOptionEditLimit, 0);
  SendDlgItemMessageA(dialog, IDC_BBOPT_WIDTH, EM_LIMITTEXT, kOptionEditLimit, 0);
  SetUpSpin(dialog, IDC_BBOPT_LINE_WIDTH_SPIN, kMinLineWidth, kMaxLineWidth);
  SetUpSpin(dialog, IDC_BBOPT_WIDTH_SPIN, kMinCharsPerGeneration, kMaxCharsPerGeneration);
  // Setting the texts sends EN_CHANGE, which writes the same values back.
  SetDlgItemInt(dialog, IDC_BBOPT_LINE_WIDTH, static_cast<UINT>(session->keptLineWidth), TRUE);
  SetDlgItemInt(dialog, IDC_BBOPT_WIDTH, static_cast<UINT>(session->keptWidth), TRUE);
  return TRUE;
}

// A changed edit field: its number is taken while it holds 1 to 29 characters.
void OnEditChange(HWND dialog, int control) {
  BirthBriefOptionsSession* session = SessionOf(dialog);
  if (session == nullptr) return;
  std::array<char, kOptionEditLimit + 2> text{};
  const int length = GetDlgItemTextA(dialog, control, text.data(), int(text.size()));
  if (length < 1 || length > kOptionEditLimit) return;
  const int value = LeadingNumber(text.data());
  if (control == IDC_BBOPT_WIDTH)
    session->settings->dparam[kWidthSlot] = value;
  else
    session->settings->bparam[kLineWidthSlot] = value;
}

void OnGenerations(HWND dialog, int control) {
  if (BirthBriefOptionsSession* session = SessionOf(dialog))
    session->settings->eparam[kGenerationsSlot] = control == IDC_BBOPT_GEN8 ? 1 : 0;
}

INT_PTR OnOk(HWND dialog) {
  BirthBriefOptionsSession* session = SessionOf(dialog);
  dv::Settings& s = *session->settings;
  const int capitals = IsChecked(dialog, IDC_BBOPT_CAPITALS) ? 1 : 0;
  s.eparam[kCapitalsSlot] = capitals;
  s.dparam[kSelectiveCapitalsSlot] = capitals;
  for (const CheckSlot& c : kChecks) s.eparam[c.slot] = IsChecked(dialog, c.control) ? 1 : 0;
  s.bparam[kLineWidthSlot] = std::clamp(s.bparam[kLineWidthSlot], kMinLineWidth, kMaxLineWidth);
  bool tooWide = false;
  s.dparam[kWidthSlot] = ClampCharsPerGeneration(s.dparam[kWidthSlot], tooWide);
  if (tooWide) showMessage(dialog, kMsgMaxCharsPerGeneration, false);
  session->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCancel(HWND dialog) {
  BirthBriefOptionsSession* session = SessionOf(dialog);
  dv::Settings& s = *session->settings;
  s.eparam[kGenerationsSlot] = session->keptGenerations;
  s.bparam[kLineWidthSlot] = session->keptLineWidth;
  s.dparam[kWidthSlot] = session->keptWidth;
  session->accepted = false;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int control = LOWORD(wParam);
  const int code = HIWORD(wParam);
  switch (control) {
    case IDOK:
      return OnOk(dialog);
    case IDCANCEL:
      return OnCancel(dialog);
    case IDC_BBOPT_GEN7:
    case IDC_BBOPT_GEN8:
      if (code == BN_CLICKED) OnGenerations(dialog, control);
      return TRUE;
    case IDC_BBOPT_LINE_WIDTH:
    case IDC_BBOPT_WIDTH:
      if (code == EN_CHANGE) OnEditChange(dialog, control);
      if (code == EN_MAXTEXT) showMessage(dialog, kMsgEditOutOfSpace, false);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

int ClampCharsPerGeneration(int typed, bool& tooWide) {
  tooWide = typed > kMaxCharsPerGeneration;
  return std::clamp(typed, kMinCharsPerGeneration, kMaxCharsPerGeneration);
}

bool RunBirthBriefOptionsDialog(HWND owner, dv::Settings& inOut) {
  HelpContextScope help(kHelpBirthBriefOptions);
  BirthBriefOptionsSession session;
  session.settings = &inOut;
  DialogBoxParamA(State().app.instance, kBirthBriefOptionsTemplate, owner,
                  BirthBriefOptionsDialogProc, reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK BirthBriefOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
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
