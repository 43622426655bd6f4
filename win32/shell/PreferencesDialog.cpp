#include "shell/PreferencesDialog.h"

#include <string>

#include "common/StringTable.h"
#include "shell/AppState.h"
#include "shell/PreferencesDialogRes.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

// The switches and the fparam slots they edit.
struct Switch {
  int control;
  int slot;
};
constexpr Switch kSwitches[] = {
    {IDC_PREF_AUTOLOAD, 0},
    {IDC_PREF_OPTIONS_DIALOGS, 1},
    {IDC_PREF_TOOLTIPS, 2},
    {IDC_PREF_COMBINE_SOURCES, 19},
};
constexpr int kNamesSlot = 20;

PreferencesSession* SessionOf(HWND dialog) {
  return reinterpret_cast<PreferencesSession*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void Close(HWND dialog, PreferencesSession& session, INT_PTR result) {
  session.accepted = result == IDOK;
  if (session.modal) {
    EndDialog(dialog, result);
  } else {
    DestroyWindow(dialog);
  }
}

BOOL OnInitDialog(HWND dialog, PreferencesSession* session) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(session));
  const std::string combine(dv::StringText(kCombineSourcesText));
  SetDlgItemTextA(dialog, IDC_PREF_COMBINE_SOURCES, combine.c_str());
  auto& fparam = session->settings->fparam;
  session->namesAtOpen = fparam[kNamesSlot];
  CheckRadioButton(dialog, IDC_PREF_NAMES_FIRST, IDC_PREF_NAMES_LAST,
                   fparam[kNamesSlot] ? IDC_PREF_NAMES_LAST : IDC_PREF_NAMES_FIRST);
  for (const Switch& s : kSwitches)
    CheckDlgButton(dialog, s.control, fparam[s.slot] ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void OnOk(HWND dialog, PreferencesSession& session) {
  auto& fparam = session.settings->fparam;
  for (const Switch& s : kSwitches)
    fparam[s.slot] = IsDlgButtonChecked(dialog, s.control) == BST_CHECKED ? 1 : 0;
  fparam[kNamesSlot] = IsDlgButtonChecked(dialog, IDC_PREF_NAMES_LAST) == BST_CHECKED ? 1 : 0;
  if (fparam[kNamesSlot] != session.namesAtOpen && session.sourceOpen)
    showMessage(dialog, kReloadWarning, false);
  Close(dialog, session, IDOK);
}

void OnCancel(HWND dialog, PreferencesSession& session) {
  session.settings->fparam[kNamesSlot] = session.namesAtOpen;
  Close(dialog, session, IDCANCEL);
}

INT_PTR OnCommand(HWND dialog, PreferencesSession& session, int id) {
  switch (id) {
    case IDC_PREF_NAMES_FIRST:
      session.settings->fparam[kNamesSlot] = 0;
      return TRUE;
    case IDC_PREF_NAMES_LAST:
      session.settings->fparam[kNamesSlot] = 1;
      return TRUE;
    case IDOK:
      OnOk(dialog, session);
      return TRUE;
    case IDCANCEL:
      OnCancel(dialog, session);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

bool RunPreferencesDialog(HWND owner, PreferencesSession& session) {
  session.modal = true;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kPreferencesTemplate, owner, PreferencesDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  return session.accepted;
}

INT_PTR CALLBACK PreferencesDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG)
    return OnInitDialog(dialog, reinterpret_cast<PreferencesSession*>(lParam));
  PreferencesSession* session = SessionOf(dialog);
  if (!session) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *session, LOWORD(wParam));
    case WM_CLOSE:
      return OnCommand(dialog, *session, IDCANCEL);
  }
  return FALSE;
}

}  // namespace dv::win
