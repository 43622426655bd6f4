#pragma once
// Drives modal dialogs in tests: a thread timer fires inside a dialog's
// modal loop, finds the visible dialog whose title the next step waits for,
// and runs the step's action on it (read controls, press buttons). Steps run
// in order, each once.

#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace dv::win::test {

class ModalDriver {
 public:
  using Action = std::function<void(HWND dialog)>;

  ModalDriver() { current_ = this; }
  ~ModalDriver() {
    if (timer_) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  ModalDriver(const ModalDriver&) = delete;
  ModalDriver& operator=(const ModalDriver&) = delete;

  // Adds a step: when a dialog titled title is up, run action on it.
  ModalDriver& Then(std::string title, Action action) {
    steps_.push_back({std::move(title), std::move(action)});
    if (!timer_) timer_ = SetTimer(nullptr, 0, 1, Tick);
    return *this;
  }

  // Titles of the dialogs acted on, in order.
  const std::vector<std::string>& Seen() const { return seen_; }
  bool Done() const { return steps_.empty(); }

  // Presses a button of a dialog as a click would.
  static void Press(HWND dialog, int control) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(control, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, control)));
  }

 private:
  struct Step {
    std::string title;
    Action action;
  };

  static BOOL CALLBACK FindDialog(HWND window, LPARAM lParam) {
    auto* self = reinterpret_cast<ModalDriver*>(lParam);
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window)) return TRUE;
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    if (self->steps_.empty() || self->steps_.front().title != title) return TRUE;
    self->found_ = window;
    return FALSE;
  }

  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    ModalDriver* self = current_;
    if (self == nullptr || self->steps_.empty()) return;
    self->found_ = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(self));
    if (self->found_ == nullptr) return;
    Step step = std::move(self->steps_.front());
    self->steps_.pop_front();
    self->seen_.push_back(step.title);
    // An action may open a nested modal loop, in which the next step runs.
    step.action(self->found_);
  }

  static inline ModalDriver* current_ = nullptr;
  std::deque<Step> steps_;
  std::vector<std::string> seen_;
  UINT_PTR timer_ = 0;
  HWND found_ = nullptr;
};

// The controls of a modeless dialog under test (dialog_): a press is
// followed by handling the messages the dialog posted to itself.
class ModelessDialogControls {
 protected:
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, dialog_, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  void Press(int control) {
    ModalDriver::Press(dialog_, control);
    Pump();
  }
  bool Enabled(int control) const { return IsWindowEnabled(GetDlgItem(dialog_, control)) != 0; }
  std::string Text(int control) const {
    char text[1024] = {};
    GetDlgItemTextA(dialog_, control, text, sizeof text);
    return text;
  }
  HWND dialog_ = nullptr;
};

}  // namespace dv::win::test
