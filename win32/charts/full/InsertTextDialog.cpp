#include "charts/full/InsertTextDialog.h"

#include <vector>

#include "charts/full/InsertTextDialogRes.h"
#include "charts/full/OverlayItems.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

struct Session {
  OverlayTextRecord record;
  bool accepted = false;
};

Session* SessionOf(HWND dialog) {
  return reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

int FieldOf(bool centred) { return centred ? IDC_INTXT_CENTRE_TEXT : IDC_INTXT_LEFT_TEXT; }

std::string FieldText(HWND dialog, int field) {
  std::vector<char> buffer(kOverlayTextBytes + 1, '\0');
  const int n = GetDlgItemTextA(dialog, field, buffer.data(), int(buffer.size()));
  return std::string(buffer.data(), std::size_t(n > 0 ? n : 0));
}

// Shows the field of the chosen alignment, carrying the text over.
void ShowField(HWND dialog, bool centred) {
  const int shown = FieldOf(centred), hidden = FieldOf(!centred);
  if (IsWindowVisible(GetDlgItem(dialog, hidden)))
    SetDlgItemTextA(dialog, shown, FieldText(dialog, hidden).c_str());
  ShowWindow(GetDlgItem(dialog, hidden), SW_HIDE);
  ShowWindow(GetDlgItem(dialog, shown), SW_SHOW);
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  const OverlayTextRecord& r = reinterpret_cast<Session*>(lParam)->record;
  const bool centred = r.alignment == kOverlayCentre;
  for (int field : {IDC_INTXT_LEFT_TEXT, IDC_INTXT_CENTRE_TEXT})
    SendDlgItemMessageA(dialog, field, EM_LIMITTEXT, kOverlayTextBytes, 0);
  CheckRadioButton(dialog, IDC_INTXT_LEFT, IDC_INTXT_CENTRE,
                   centred ? IDC_INTXT_CENTRE : IDC_INTXT_LEFT);
  SetDlgItemTextA(dialog, FieldOf(centred), r.text.substr(0, kOverlayTextBytes).c_str());
  ShowWindow(GetDlgItem(dialog, FieldOf(!centred)), SW_HIDE);
  ShowWindow(GetDlgItem(dialog, FieldOf(centred)), SW_SHOW);
  return TRUE;
}

INT_PTR OnOk(HWND dialog) {
  Session* session = SessionOf(dialog);
  const bool centred = IsDlgButtonChecked(dialog, IDC_INTXT_CENTRE) == BST_CHECKED;
  session->record.text = FieldText(dialog, FieldOf(centred));
  session->record.alignment = centred ? kOverlayCentre : kOverlayLeft;
  session->accepted = !session->record.text.empty();
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_INTXT_LEFT:
    case IDC_INTXT_CENTRE:
      if (HIWORD(wParam) == BN_CLICKED) ShowField(dialog, LOWORD(wParam) == IDC_INTXT_CENTRE);
      return TRUE;
    case IDOK:
      return OnOk(dialog);
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunInsertTextDialog(HWND owner, OverlayTextRecord& record) {
  Session session;
  session.record = record;
  DialogBoxParamA(State().app.instance, kInsertTextTemplate, owner, InsertTextDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  if (!session.accepted) return false;
  record = session.record;
  return true;
}

INT_PTR CALLBACK InsertTextDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
