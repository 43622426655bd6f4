#include "shell/AboutDialog.h"

#include "shell/AppState.h"

namespace dv::win {
namespace {

INT_PTR OnClose(HWND dialog, int result) {
  EndDialog(dialog, result);
  return TRUE;
}

}  // namespace

void RunAboutDialog(HWND owner) {
  DialogBoxParamA(State().app.instance, kAboutTemplate, owner, AboutDialogProc, 0);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
          return OnClose(dialog, LOWORD(wParam));
      }
      break;
  }
  return FALSE;
}

}  // namespace dv::win
