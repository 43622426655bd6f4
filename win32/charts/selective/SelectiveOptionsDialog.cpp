#include "charts/selective/SelectiveOptionsDialog.h"

#include <commctrl.h>

#include <algorithm>
#include <array>

#include "charts/selective/BirthBriefOptionsDialog.h"
#include "charts/selective/SelectiveOptionsDialogRes.h"
#include "charts/selective/SelectiveTables.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kLineWidthSlot = 0;       // bparam: graphics line width
constexpr int kEqualsSlot = 4;          // dparam: "Show marriage by '='"
constexpr int kCapitalsSlot = 14;       // dparam: "All capitals"
constexpr int kBirthBriefCapitals = 1;  // eparam: the Birth Brief's "All capitals"

SelectiveOptionsSession* SessionOf(HWND dialog) {
  return reinterpret_cast<SelectiveOptionsSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<SelectiveOptionsSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  dv::Settings& s = *session->settings;
  session->accepted = false;
  session->keptLineWidth = s.bparam[kLineWidthSlot];
  session->equalsBefore = s.dparam[kEqualsSlot] != 0;
  for (int i = 0; i < dv::SelectiveOptions::kCount; ++i)
    CheckDlgButton(dialog, IDC_STOPT_FIRST + i, s.dparam[i] != 0 ? BST_CHECKED : BST_UNCHECKED);
  SendDlgItemMessageA(dialog, IDC_STOPT_LINE_WIDTH, EM_LIMITTEXT, kOptionEditLimit, 0);
  SendDlgItemMessageA(dialog, IDC_STOPT_LINE_WIDTH_SPIN, UDM_SETRANGE32, kMinLineWidth,
                      kMaxLineWidth);
  SetDlgItemInt(dialog, IDC_STOPT_LINE_WIDTH, static_cast<UINT>(session->keptLineWidth), TRUE);
  return TRUE;
}

// The line width is taken while the field holds 1 to 29 characters.
void OnLineWidthChange(HWND dialog) {
  SelectiveOptionsSession* session = SessionOf(dialog);
  if (session == nullptr) return;
  std::array<char, kOptionEditLimit + 2> text{};
  const int length = GetDlgItemTextA(dialog, IDC_STOPT_LINE_WIDTH, text.data(), int(text.size()));
  if (length < 1 || length > kOptionEditLimit) return;
  BOOL ok = FALSE;
  const int value = int(GetDlgItemInt(dialog, IDC_STOPT_LINE_WIDTH, &ok, TRUE));
  session->settings->bparam[kLineWidthSlot] = ok ? value : 0;
}

INT_PTR OnOk(HWND dialog) {
  SelectiveOptionsSession* session = SessionOf(dialog);
  dv::Settings& s = *session->settings;
  for (int i = 0; i < dv::SelectiveOptions::kCount; ++i)
    s.dparam[i] = IsDlgButtonChecked(dialog, IDC_STOPT_FIRST + i) == BST_CHECKED ? 1 : 0;
  s.eparam[kBirthBriefCapitals] = s.dparam[kCapitalsSlot];
  s.bparam[kLineWidthSlot] = std::clamp(s.bparam[kLineWidthSlot], kMinLineWidth, kMaxLineWidth);
  if (s.dparam[kEqualsSlot] != 0 && !session->equalsBefore)
    showMessage(dialog, kMsgEqualsWarning, false);
  session->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCancel(HWND dialog) {
  SelectiveOptionsSession* session = SessionOf(dialog);
  session->settings->bparam[kLineWidthSlot] = session->keptLineWidth;
  session->accepted = false;
  EndDialog(dialog, IDCANCEL);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  const int code = HIWORD(wParam);
  switch (LOWORD(wParam)) {
    case IDOK:
      return OnOk(dialog);
    case IDCANCEL:
      return OnCancel(dialog);
    case IDC_STOPT_LINE_WIDTH:
      if (code == EN_CHANGE) OnLineWidthChange(dialog);
      if (code == EN_MAXTEXT) showMessage(dialog, kMsgEditOutOfSpace, false);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunSelectiveOptionsDialog(HWND owner, dv::Settings& inOut) {
  HelpContextScope help(kHelpSelectiveOptions);
  SelectiveOptionsSession session;
  session.settings = &inOut;
  DialogBoxParamA(State().app.instance, kSelectiveOptionsTemplate, owner,
                  SelectiveOptionsDialogProc, reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK SelectiveOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam,
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
