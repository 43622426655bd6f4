#pragma once
// Help: every window state has a help context number (301 and up); F1 and
// the Help menu open the help page of that number. The pages are HTML files
// in the help folder beside the program (helpFilePath), one per context:
// help\301.html, help\303.html, ...

#include <windows.h>

#include <string>

namespace dv::win {

inline constexpr int kHelpMain = 301;        // main window, no chart
inline constexpr int kHelpMessageBox = 319;  // while a message box is up

// Path of the help page of a context.
std::string HelpTopicPath(int context);

// Opens the page of context with the shell (or the test hook).
void OpenHelp(HWND owner, int context);

// Sets the help context for the lifetime of a dialog or box and puts the
// previous one back afterwards.
class HelpContextScope {
 public:
  explicit HelpContextScope(int context);
  ~HelpContextScope();
  HelpContextScope(const HelpContextScope&) = delete;
  HelpContextScope& operator=(const HelpContextScope&) = delete;

 private:
  int saved_;
};

}  // namespace dv::win
