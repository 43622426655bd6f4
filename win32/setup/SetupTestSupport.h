#pragma once
// Shared set-up of the installer's in-process tests: a fresh installer
// state, a temporary folder (removed with everything in it), and a hook that
// records message boxes instead of showing them.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "setup/SetupState.h"

namespace dv::win::setup::test {

struct RecordedBox {
  std::string text;
  std::string caption;
  UINT type;
};

// Removes a folder with all its files and folders.
inline void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool WriteText(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return written == text.size();
}

inline std::string ReadText(const std::string& path) {
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
  CloseHandle(file);
  text.resize(read);
  return text;
}

class SetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetInstaller();
    Installer().instance = GetModuleHandleA(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    dir_ = std::string(temp) + "dv setup " + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(++counter);
    CreateDirectoryA(dir_.c_str(), nullptr);
    Installer().hooks.messageBox = [this](HWND, const char* text, const char* caption, UINT type) {
      boxes_.push_back({text, caption, type});
      return IDOK;
    };
  }

  void TearDown() override {
    RemoveTree(dir_);
    ResetInstaller();
  }

  // A folder below the test's own temporary folder, created.
  std::string MakeFolder(const std::string& name) {
    std::string path = dir_ + "\\" + name;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
  }

  std::string dir_;
  std::vector<RecordedBox> boxes_;
};

}  // namespace dv::win::setup::test
