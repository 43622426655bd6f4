#include "soundex/SoundexDialog.h"

#include <string>

#include "charts/selective/BirthBriefState.h"
#include "shell/AppState.h"
#include "shell/ShowMessage.h"
#include "soundex/Soundex.h"
#include "soundex/SoundexDialogRes.h"
#include "soundex/SoundexListDialog.h"

namespace dv::win {
namespace {

constexpr int kMsgEditFull = 22;  // "Edit control out of space"

SoundexDialogSession* SessionOf(HWND dialog) {
  return reinterpret_cast<SoundexDialogSession*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

dv::SoundexVariant Variant() {
  return State().settings.fparam[kSoundexVariantSlot] == 1 ? dv::kSoundexAmerican
                                                           : dv::kSoundexSimplified;
}

// The code of the name in the edit, in capitals, in the chosen variant.
void ShowCode(HWND dialog) {
  char name[kMaxSoundexName + 1] = {};
  GetDlgItemTextA(dialog, IDC_SOUNDEX_NAME, name, sizeof name);
  const std::string code = dv::SoundexCode(dv::SoundexCapitals(name), Variant());
  SetDlgItemTextA(dialog, IDC_SOUNDEX_CODE, code.c_str());
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  CheckRadioButton(
      dialog, IDC_SOUNDEX_SIMPLIFIED, IDC_SOUNDEX_AMERICAN,
      Variant() == dv::kSoundexAmerican ? IDC_SOUNDEX_AMERICAN : IDC_SOUNDEX_SIMPLIFIED);
  SendDlgItemMessageA(dialog, IDC_SOUNDEX_NAME, EM_LIMITTEXT, kMaxSoundexName, 0);
  SetDlgItemTextA(dialog, IDC_SOUNDEX_NAME, "");
  ShowCode(dialog);
  return TRUE;
}

void OnVariant(HWND dialog) {
  State().settings.fparam[kSoundexVariantSlot] =
      IsDlgButtonChecked(dialog, IDC_SOUNDEX_AMERICAN) == BST_CHECKED ? 1 : 0;
  ShowCode(dialog);
}

void OnListNames(HWND dialog, SoundexDialogSession& session) {
  if (session.listNames)
    session.listNames(dialog);
  else
    RunSoundexListDialog(dialog, LoadedRecordStore());
}

INT_PTR OnCommand(HWND dialog, SoundexDialogSession& session, int control, int code) {
  switch (control) {
    case IDC_SOUNDEX_SIMPLIFIED:
    case IDC_SOUNDEX_AMERICAN:
      OnVariant(dialog);
      return TRUE;
    case IDC_SOUNDEX_NAME:
      if (code == EN_CHANGE) ShowCode(dialog);
      if (code == EN_MAXTEXT) showMessage(dialog, kMsgEditFull, false);
      return TRUE;
    case IDC_SOUNDEX_LIST:
      OnListNames(dialog, session);
      return TRUE;
    case IDC_SOUNDEX_CLOSE:
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunSoundexDialog(HWND owner) {
  SoundexDialogSession session;
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kSoundexTemplate, owner, SoundexDialogProc, reinterpret_cast<LPARAM>(&session));
}

INT_PTR CALLBACK SoundexDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) return OnInitDialog(dialog, lParam);
  SoundexDialogSession* session = SessionOf(dialog);
  if (session == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(dialog, *session, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
  }
  return FALSE;
}

void OnSoundexCalculator(HWND window, WPARAM, LPARAM) { RunSoundexDialog(window); }

}  // namespace dv::win
