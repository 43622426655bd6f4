#pragma once
// Shared set-up of the data-source tests: the shell's test state plus a
// fresh record store, file boxes answered by the test, GEDCOM files written
// to the temporary program directory, and a way to get through modal
// dialogs that a command opens.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "data/DataSourceDialog.h"
#include "data/DataSourceDialogRes.h"
#include "data/DataState.h"
#include "shell/ShellTestSupport.h"

namespace dv::win::test {

// While it lives, every dialog box of this thread that comes up is handed
// to a function (from a thread timer, which runs inside modal loops too);
// by default the dialog is cancelled.
class DialogDriver {
 public:
  using Handler = std::function<void(HWND dialog)>;
  explicit DialogDriver(Handler handler = {}) {
    Current() = this;
    handler_ =
        handler ? std::move(handler) : [](HWND d) { PostMessageA(d, WM_COMMAND, IDCANCEL, 0); };
    timer_ = SetTimer(nullptr, 0, 1, OnTimer);
  }
  ~DialogDriver() {
    KillTimer(nullptr, timer_);
    Current() = nullptr;
  }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  int seen = 0;

 private:
  static DialogDriver*& Current() {
    static DialogDriver* current = nullptr;
    return current;
  }
  static BOOL CALLBACK Visit(HWND window, LPARAM) {
    char cls[16] = {};
    GetClassNameA(window, cls, sizeof cls);
    DialogDriver* self = Current();
    if (!self || std::string(cls) != "#32770" || !IsWindowVisible(window) ||
        !IsWindowEnabled(window))
      return TRUE;
    for (HWND handled : self->handled_)
      if (handled == window) return TRUE;
    self->handled_.push_back(window);
    ++self->seen;
    self->handler_(window);
    return TRUE;
  }
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), Visit, 0);
  }
  Handler handler_;
  UINT_PTR timer_ = 0;
  std::vector<HWND> handled_;
};

class DataTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    ResetDataState();
    Data().hooks.chooseFile = [this](HWND, FileBox box, std::string& path) {
      fileBoxes_.push_back(box);
      if (chosenPath_.empty()) return false;
      path = chosenPath_;
      return true;
    };
  }
  void TearDown() override {
    ShellTest::TearDown();
    ResetDataState();
  }

  // Handles every message waiting for this thread (dialogs included), so
  // that a posted chain of commands runs to its end.
  void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) continue;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Opens path through a modeless Data Source dialog (typed, OK); true
  // when the dialog closed.
  bool Load(const std::string& path) {
    DataSourceSession session;
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), kDataSourceTemplate, State().app.mainWindow,
                           DataSourceDialogProc, reinterpret_cast<LPARAM>(&session));
    if (!dialog) return false;
    SetDlgItemTextA(dialog, IDC_DS_PATH, path.c_str());
    SendMessageA(dialog, WM_COMMAND, IDC_DS_OK, 0);
    Pump();
    const bool closed = !IsWindow(dialog);
    if (!closed) DestroyWindow(dialog);
    return closed;
  }

  bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return text;
  }

  std::string chosenPath_;
  std::vector<FileBox> fileBoxes_;
};

// A small family: three people, one family.
inline constexpr const char* kSmallGedcom =
    "0 HEAD\r\n1 SOUR TEST\r\n1 CHAR ANSI\r\n"
    "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
    "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
    "0 @I3@ INDI\r\n1 NAME Ann /Smith/\r\n1 SEX F\r\n1 FAMC @F1@\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"
    "0 TRLR\r\n";

}  // namespace dv::win::test
