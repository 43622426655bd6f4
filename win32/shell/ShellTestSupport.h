#pragma once
// Shared set-up of the shell's in-process tests: a fresh program state, the
// window classes, a temporary program directory, and hooks that record
// message boxes and help requests instead of showing them.

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>
#include <vector>

#include "shell/AppState.h"
#include "shell/GasGauge.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"

namespace dv::win::test {

struct RecordedBox {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
  int helpContext;  // the help context while the box was up
  bool ownerEnabled;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetState();
    instance_ = GetModuleHandleA(nullptr);
    GetCurrentDirectoryA(MAX_PATH, savedDirectory_);
    ASSERT_TRUE(RegisterMainWindowClass(instance_));
    ASSERT_TRUE(RegisterGasGauge(instance_));
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    dir_ = std::string(temp) + "dvshell" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++counter);
    CreateDirectoryA(dir_.c_str(), nullptr);
    InstallHooks();
  }

  void TearDown() override {
    if (State().app.mainWindow && IsWindow(State().app.mainWindow))
      DestroyWindow(State().app.mainWindow);
    TakeMessages();
    UnregisterClassA(kMainWindowClass, instance_);
    UnregisterClassA(kGasGaugeClass, instance_);
    SetCurrentDirectoryA(savedDirectory_);
    for (const auto& file : created_) DeleteFileA(file.c_str());
    DeleteFileA((dir_ + "\\Dorvane.ini").c_str());
    RemoveDirectoryA(dir_.c_str());
    ResetState();
  }

  // Hooks go into the state, so they must be put back after a ResetState.
  void InstallHooks() {
    auto& hooks = State().hooks;
    hooks.programDirOverride = dir_;
    hooks.messageBox = [this](HWND owner, const char* text, const char* caption, UINT type) {
      boxes_.push_back({owner, text, caption, type, State().app.helpContext,
                        owner && IsWindowEnabled(owner) != 0});
      return boxAnswer_;
    };
    hooks.openHelp = [this](HWND, const std::string& target) { helpOpened_.push_back(target); };
  }

  // Runs the start-up with a command line and creates the (hidden) window.
  HWND Start(const std::string& commandLine) {
    PrepareStartup(instance_, commandLine);
    return CreateMainWindow(SW_HIDE);
  }

  // Removes every message waiting for this thread, the quit message too.
  std::vector<MSG> TakeMessages() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) taken.push_back(msg);
    return taken;
  }

  // The WM_COMMAND ids waiting for window.
  std::vector<int> PostedCommands(HWND window) {
    std::vector<int> ids;
    for (const MSG& msg : TakeMessages())
      if (msg.hwnd == window && msg.message == WM_COMMAND) ids.push_back(LOWORD(msg.wParam));
    return ids;
  }

  // Writes a file in the temporary program directory; returns its path.
  std::string WriteFile(const std::string& name, const std::string& content) {
    std::string path = dir_ + "\\" + name;
    std::ofstream(path, std::ios::binary) << content;
    created_.push_back(path);
    return path;
  }

  HINSTANCE instance_ = nullptr;
  std::string dir_;
  std::vector<RecordedBox> boxes_;
  std::vector<std::string> helpOpened_;
  int boxAnswer_ = IDOK;

 private:
  char savedDirectory_[MAX_PATH] = {};
  std::vector<std::string> created_;
};

}  // namespace dv::win::test
