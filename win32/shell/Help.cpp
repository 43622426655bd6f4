#include "shell/Help.h"

#include <shellapi.h>

#include "shell/AppState.h"

namespace dv::win {

std::string HelpTopicPath(int context) {
  std::string path(TextOf(State().work.helpFilePath));
  path += '\\';
  path += std::to_string(context);
  path += ".html";
  return path;
}

void OpenHelp(HWND owner, int context) {
  const std::string target = HelpTopicPath(context);
  auto& hook = State().hooks.openHelp;
  if (hook) {
    hook(owner, target);
    return;
  }
  // A missing page or no browser is not worth a message: help is optional.
  ShellExecuteA(owner, "open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

HelpContextScope::HelpContextScope(int context) : saved_(State().app.helpContext) {
  State().app.helpContext = context;
}

HelpContextScope::~HelpContextScope() { State().app.helpContext = saved_; }

}  // namespace dv::win
