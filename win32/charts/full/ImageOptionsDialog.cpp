#include "charts/full/ImageOptionsDialog.h"

#include "charts/full/ImageOptionsDialogRes.h"
#include "output/PrintSetup.h"
#include "shell/AppState.h"

namespace dv::win {
namespace {

struct Session {
  ImageOptions options;
  bool accepted = false;
};

Session* SessionOf(HWND dialog) {
  return reinterpret_cast<Session*>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

INT_PTR OnInitDialog(HWND dialog, LPARAM lParam) {
  SetWindowLongPtrA(dialog, GWLP_USERDATA, lParam);
  const ImageOptions& o = reinterpret_cast<Session*>(lParam)->options;
  CheckDlgButton(dialog, IDC_IMGOPT_ENABLE, o.insertionEnabled ? BST_CHECKED : BST_UNCHECKED);
  CheckRadioButton(dialog, IDC_IMGOPT_FIT, IDC_IMGOPT_DOWNWARDS,
                   o.scaling == 0 ? IDC_IMGOPT_FIT : IDC_IMGOPT_DOWNWARDS);
  CheckDlgButton(dialog, IDC_IMGOPT_AUTORESIZE, o.autoResize ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void OnFont(HWND dialog) {
  Session* session = SessionOf(dialog);
  const ChooseFontFunction& choose = State().printer.chooseFont;
  if (choose)
    choose(dialog, session->options.font);
  else
    SystemChooseFont(dialog, session->options.font);
}

INT_PTR OnOk(HWND dialog) {
  ImageOptions& o = SessionOf(dialog)->options;
  o.insertionEnabled = IsDlgButtonChecked(dialog, IDC_IMGOPT_ENABLE) == BST_CHECKED;
  o.scaling = IsDlgButtonChecked(dialog, IDC_IMGOPT_FIT) == BST_CHECKED ? 0 : 1;
  o.autoResize = IsDlgButtonChecked(dialog, IDC_IMGOPT_AUTORESIZE) == BST_CHECKED;
  SessionOf(dialog)->accepted = true;
  EndDialog(dialog, IDOK);
  return TRUE;
}

INT_PTR OnCommand(HWND dialog, WPARAM wParam) {
  switch (LOWORD(wParam)) {
    case IDC_IMGOPT_FONT:
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

ImageOptions ImageOptions::FromSettings(const dv::Settings& s) {
  ImageOptions o;
  o.insertionEnabled = s.fparam[16] != 0;
  o.scaling = s.fparam[17] != 0 ? 1 : 0;
  o.autoResize = s.fparam[18] != 0;
  o.font = s.fonts[kFont4];
  return o;
}

void ImageOptions::ToSettings(dv::Settings& s) const {
  s.fparam[16] = insertionEnabled ? 1 : 0;
  s.fparam[17] = scaling;
  s.fparam[18] = autoResize ? 1 : 0;
  s.fonts[kFont4] = font;
}

bool RunImageOptionsDialog(HWND owner, ImageOptions& options) {
  Session session;
  session.options = options;
  AppState& app = State().app;
  const int previousHelp = app.helpContext;
  app.helpContext = kHelpImageOptions;
  DialogBoxParamA(app.instance, kImageOptionsTemplate, owner, ImageOptionsDialogProc,
                  reinterpret_cast<LPARAM>(&session));
  app.helpContext = previousHelp;
  if (!session.accepted) return false;
  options = session.options;
  return true;
}

INT_PTR CALLBACK ImageOptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog, lParam);
    case WM_COMMAND:
      return OnCommand(dialog, wParam);
  }
  return FALSE;
}

}  // namespace dv::win
