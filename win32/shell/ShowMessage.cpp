#include "shell/ShowMessage.h"

#include <string>

#include "common/StringTable.h"
#include "shell/AppState.h"
#include "shell/Help.h"

namespace dv::win {

int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
  auto& hook = State().hooks.messageBox;
  if (hook) return hook(owner, text, caption, type);
  return MessageBoxA(owner, text, caption, type);
}

int showMessage(HWND window, int id, bool ask, std::string_view suffix) {
  const std::string text = dv::MessageText(id, suffix);
  // A dialog may have disabled its owner while it worked; the box must not
  // come up over a dead window.
  if (window) EnableWindow(window, TRUE);
  HelpContextScope help(kHelpMessageBox);
  const UINT type = MB_ICONEXCLAMATION | (ask ? MB_OKCANCEL : MB_OK);
  return ShowMessageBox(window, text.c_str(), "Dorvane", type) == IDCANCEL ? 1 : 0;
}

}  // namespace dv::win
