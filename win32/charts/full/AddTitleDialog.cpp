#include "charts/full/AddTitleDialog.h"

#include "charts/full/AddTitleDialogRes.h"
#include "output/PrintSetup.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

AddTitleSession* SessionOf(HWND dialog) {
  return reinterpret_cast<AddTitleSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  auto* session = reinterpret_cast<AddTitleSession*>(lParam);
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  CheckRadioButton(dialog, IDC_TITLE_NONE, IDC_TITLE_ADD,
                   session->option != 0 ? IDC_TITLE_ADD : IDC_TITLE_NONE);
  return TRUE;
}

void OnFont(HWND dialog) {
  AddTitleSession* session = SessionOf(dialog);
  const ChooseFontFunction& choose = State().printer.chooseFont;
  if (choose)
    choose(dialog, session->font);
  else
    SystemChooseFont(dialog, session->font);
}

INT_PTR OnOk(HWND dialog) {
  AddTitleSession* session = SessionOf(dialog);
  session->option = IsDlgButtonChecked(dialog, IDC_TITLE_ADD) == BST_CHECKED ? 1 : 0;
  session->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_TITLE_FONT:
      OnFont(dialog);
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

bool RunAddTitleDialog(HWND owner, int& option, dv::FontRecord& font) {
  AddTitleSession session;
  // A running value (3 placed on one line, negative not placed) reads as
  // the choice it came from.
  session.option = option != 0 ? 1 : 0;
  session.font = font;
  DialogBoxParamA(State().app.instance, kAddTitleTemplate, owner, AddTitleDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  if (!session.accepted) return false;
  option = session.option;
  font = session.font;
  return true;
}

INT_PTR CALLBACK AddTitleDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
