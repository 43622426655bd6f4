#include "data/EditFileDialog.h"

#include <string>

#include "common/StringTable.h"
#include "data/EditFileDialogRes.h"
#include "resources/resource.h"
#include "shell/AppState.h"
#include "shell/Help.h"
#include "shell/ShowMessage.h"

namespace dv::win {
namespace {

constexpr int kPathLimit = 256;
constexpr int kMsgEditFull = 22;  // "Edit control out of space"
constexpr int kNotepadText = 71;  // "Notepad "

INT_PTR OnInitDialog(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_EF_PATH, EM_LIMITTEXT, kPathLimit - 1, 0);
  SetDlgItemTextA(dialog, IDC_EF_PATH, std::string(TextOf(State().app.currentSource)).c_str());
  return TRUE;
}

// The editor's command line is the editor's name and the text as typed; the
// main window starts it once the dialog is gone.
void OnOk(HWND dialog) {
  char path[kPathLimit] = {};
  GetDlgItemTextA(dialog, IDC_EF_PATH, path, kPathLimit);
  CopyText(State().work.pathBuffer, std::string(dv::StringText(kNotepadText)) + path);
  EndDialog(dialog, IDOK);
  PostMessageA(State().app.mainWindow, WM_COMMAND, MAKEWPARAM(IDM_RUN_EDITOR, 0), 0);
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOk(dialog);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case IDC_EF_PATH:
      if (HIWORD(wParam) == EN_MAXTEXT) showMessage(dialog, kMsgEditFull, false);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

void RunEditFileDialog(HWND owner) {
  HelpContextScope help(kHelpEditFile);
  DialogBoxParamA(State().app.instance ? State().app.instance : GetModuleHandleA(nullptr),
                  kEditFileTemplate, owner, EditFileDialogProc, 0);
}

INT_PTR CALLBACK EditFileDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
