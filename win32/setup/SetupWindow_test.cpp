// The whole installer: unattended install and uninstall of the distribution
// folder as a separate process (files, registry keys, associations,
// shortcuts, the user's own files), and the main routine in-process for
// Cancel and the failures that must change nothing.
#include "setup/SetupWindow.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "setup/InfScript.h"
#include "setup/SetupPaths.h"
#include "setup/SetupSteps.h"
#include "setup/SetupTestSupport.h"
#include "setup/SetupText.h"

namespace dv::win::setup {
namespace {

using test::Exists;
using test::SetupTest;

// The build's distribution folder as a Windows path.
std::string DistFolder() {
  std::string path = "Z:";
  for (char c : std::string(DORVANE_SETUP_DIST)) path += c == '/' ? '\\' : c;
  return path;
}

void CopyTree(const std::string& from, const std::string& to) {
  CreateDirectoryA(to.c_str(), nullptr);
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      CopyTree(from + "\\" + name, to + "\\" + name);
    } else {
      CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

std::string ReadValue(HKEY root, const std::string& key, const char* value) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
    return "<no key>";
  char text[MAX_PATH] = {};
  DWORD size = sizeof text - 1;
  LONG status =
      RegQueryValueExA(handle, value, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(handle);
  return status == ERROR_SUCCESS ? std::string(text) : "<no value>";
}

bool KeyExists(HKEY root, const std::string& key) {
  return ReadValue(root, key, "x") != "<no key>";
}

void SetNamedValue(HKEY root, const std::string& key, const char* name, const std::string& text) {
  HKEY handle = nullptr;
  ASSERT_EQ(
      RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
      ERROR_SUCCESS);
  RegSetValueExA(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                 static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
}

// A registry value as it was (its type too), to be put back after a test.
struct SavedValue {
  bool present = false;
  DWORD type = REG_SZ;
  std::string data;
};

SavedValue SaveValue(HKEY root, const char* key, const char* name) {
  SavedValue saved;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return saved;
  char data[1024] = {};
  DWORD size = sizeof data;
  if (RegQueryValueExA(handle, name, nullptr, &saved.type, reinterpret_cast<BYTE*>(data), &size) ==
      ERROR_SUCCESS) {
    saved.present = true;
    saved.data.assign(data, size);
  }
  RegCloseKey(handle);
  return saved;
}

void RestoreValue(HKEY root, const char* key, const char* name, const SavedValue& saved) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
  if (saved.present) {
    RegSetValueExA(handle, name, 0, saved.type, reinterpret_cast<const BYTE*>(saved.data.data()),
                   static_cast<DWORD>(saved.data.size()));
  } else {
    RegDeleteValueA(handle, name);
  }
  RegCloseKey(handle);
}

void SetValue(HKEY root, const std::string& key, const std::string& text) {
  SetNamedValue(root, key, nullptr, text);
}

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// The target a shortcut file points at.
std::string ShortcutTarget(const std::string& link) {
  std::string target;
  CoInitialize(nullptr);
  IShellLinkA* shellLink = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&shellLink)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t wide[MAX_PATH] = {};
      MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
      char path[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(wide, STGM_READ)) &&
          SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
        target = path;
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return target;
}

// Runs a program with arguments and returns its exit code (-1 when it did
// not start or did not end within two minutes).
int RunProgram(const std::string& program, const std::string& arguments) {
  std::string line = "\"" + program + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return -1;
  CloseHandle(process.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0)
    GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// Waits until a file is gone (the uninstaller's removal runs after it ends).
bool WaitUntilGone(const std::string& path) {
  for (int i = 0; i < 300 && Exists(path); ++i) Sleep(200);
  return !Exists(path);
}

class UnattendedSetupTest : public SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    // Shortcuts must not reach the desktop of the machine the tests run on.
    SetEnvironmentVariableA("WINEDLLOVERRIDES", "mscoree,mshtml=;winemenubuilder.exe=d");
    source_ = dir_ + "\\dist copy";
    CopyTree(DistFolder(), source_);
    destination_ = dir_ + "\\Program Files\\Dorvane Test";
    group_ = "Dorvane Test " + std::to_string(GetCurrentProcessId());
    // Wine links the prefix's Desktop to the real home folder: the
    // installer's Desktop shortcut goes to a folder of the test instead.
    savedDesktop_ = SaveValue(HKEY_CURRENT_USER, kShellFolders, "Desktop");
    SetNamedValue(HKEY_CURRENT_USER, kShellFolders, "Desktop", MakeFolder("Desktop"));
    programs_ = ShellFolder(CSIDL_PROGRAMS);
    desktop_ = ShellFolder(CSIDL_DESKTOPDIRECTORY);
  }

  void TearDown() override {
    for (const char* key :
         {".dvb", "OtherProg.dvb", ".dva", "Another.dva", "gedfile", "dvafile", "dvbfile", ".ged"})
      RegDeleteTreeA(HKEY_CLASSES_ROOT, key), RegDeleteKeyA(HKEY_CLASSES_ROOT, key);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Dorvane");
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Dorvane");
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey);
    test::RemoveTree(programs_ + "\\" + group_);
    DeleteFileA((desktop_ + "\\Dorvane.lnk").c_str());
    RestoreValue(HKEY_CURRENT_USER, kShellFolders, "Desktop", savedDesktop_);
    SetupTest::TearDown();
  }

  std::string In(const std::string& name) { return destination_ + "\\" + name; }

  static constexpr char kShellFolders[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  std::string source_, destination_, group_, programs_, desktop_;
  SavedValue savedDesktop_;
};

// The samples kept as the user's: one edited, and one there but unreadable
// (here a folder of its name); not one as shipped, nor one that is missing.
TEST_F(SetupTest, ChangedSamplesAreTheEditedAndTheUnreadable) {
  std::vector<std::string> samples;
  for (const auto& file : dv::setup::Payload())
    if (file.kind == dv::setup::PayloadKind::Sample) samples.emplace_back(file.name);
  ASSERT_GE(samples.size(), 2u);
  const std::string folder = MakeFolder("samples");
  for (const std::string& name : samples)
    ASSERT_TRUE(CopyFileA((DistFolder() + "\\" + name).c_str(), (folder + "\\" + name).c_str(),
                          FALSE))
        << name;
  EXPECT_TRUE(ChangedSamples(folder).empty());
  DeleteFileA((folder + "\\" + samples[0]).c_str());
  EXPECT_TRUE(ChangedSamples(folder).empty());
  ASSERT_TRUE(test::WriteText(folder + "\\" + samples[0], "edited"));
  DeleteFileA((folder + "\\" + samples[1]).c_str());
  ASSERT_TRUE(CreateDirectoryA((folder + "\\" + samples[1]).c_str(), nullptr));
  EXPECT_EQ(ChangedSamples(folder), (std::vector<std::string>{samples[0], samples[1]}));
}

TEST_F(UnattendedSetupTest, InstallThenUninstall) {
  ASSERT_TRUE(Exists(source_ + "\\setup.exe")) << source_;
  // Another program owns .dvb before the install.
  SetValue(HKEY_CLASSES_ROOT, ".dvb", "OtherProg.dvb");
  SetValue(HKEY_CLASSES_ROOT, "OtherProg.dvb\\shell\\open\\command", "other.exe \"%1\"");

  ASSERT_EQ(RunProgram(source_ + "\\setup.exe",
                       "/quiet \"/dest=" + destination_ + "\" /group=\"" + group_ + "\""),
            dv::setup::kExitDone);

  // The files, with setup.exe renamed, and no script left behind.
  for (const char* name : {"dorvane.exe", "uninstdv.exe", "readme.txt", "sample.ged",
                           "inline_sources.ged", "help\\301.html"})
    EXPECT_TRUE(Exists(In(name))) << name;
  EXPECT_FALSE(Exists(In("setup.exe")));
  EXPECT_FALSE(Exists(In("dorvane.inf")));
  EXPECT_FALSE(Exists(source_ + "\\dorvane.inf"));
  EXPECT_EQ(test::ReadText(In("sample.ged")), test::ReadText(source_ + "\\sample.ged"));

  // The registry, with the paths quoted.
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUserInfoKey, "DestinationPath"), destination_);
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUserInfoKey, "ProgramFolder"), group_);
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Dorvane");
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
            "\"" + In("uninstdv.exe") + "\"");
  for (const auto& type : kFileTypes) {
    std::string handler = type.handler;
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, type.extension, nullptr), handler);
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, handler, nullptr), type.description);
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, handler + "\\shell\\open\\command", nullptr),
              "\"" + In("dorvane.exe") + "\" \"%1\"");
    EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, handler + "\\DefaultIcon", nullptr),
              In("dorvane.exe") + ",0");
  }
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUserInfoKey, "Previous.dvb"), "OtherProg.dvb");

  // The shortcuts.
  ASSERT_EQ(desktop_, dir_ + "\\Desktop");
  std::string group = programs_ + "\\" + group_;
  EXPECT_EQ(ShortcutTarget(desktop_ + "\\Dorvane.lnk"), In("dorvane.exe"));
  EXPECT_EQ(ShortcutTarget(group + "\\Dorvane.lnk"), In("dorvane.exe"));
  EXPECT_EQ(ShortcutTarget(group + "\\Dorvane Help.lnk"), In("help\\301.html"));
  EXPECT_EQ(ShortcutTarget(group + "\\Dorvane ReadMe.lnk"), In("readme.txt"));

  // Opening a .ged file in the folder with blanks in its path starts the
  // program (it keeps running with the file open until we end it).
  CopyFileA(In("sample.ged").c_str(), In("opened by the shell.ged").c_str(), FALSE);
  SHELLEXECUTEINFOA open = {};
  open.cbSize = sizeof open;
  open.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  open.lpVerb = "open";
  std::string document = In("opened by the shell.ged");
  open.lpFile = document.c_str();
  open.nShow = SW_HIDE;
  ASSERT_TRUE(ShellExecuteExA(&open));
  ASSERT_NE(open.hProcess, nullptr);
  EXPECT_EQ(WaitForSingleObject(open.hProcess, 2000), static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateProcess(open.hProcess, 0);
  WaitForSingleObject(open.hProcess, 10000);
  CloseHandle(open.hProcess);
  DeleteFileA(document.c_str());
  DeleteFileA(In("Dorvane.ini").c_str());

  // The user works: a file of their own, an edited sample, and another
  // program takes over .dva.
  ASSERT_TRUE(test::WriteText(In("my family.ged"), "0 HEAD\r\n0 TRLR\r\n"));
  ASSERT_TRUE(test::WriteText(desktop_ + "\\Dorvane notes.lnk", "the user's own"));
  std::string edited = test::ReadText(In("sample.ged")) + "0 NOTE edited\r\n";
  ASSERT_TRUE(test::WriteText(In("sample.ged"), edited));
  SetValue(HKEY_CLASSES_ROOT, ".dva", "Another.dva");
  SetValue(HKEY_CLASSES_ROOT, "Another.dva", "Another chart");

  // A reinstall over it keeps the changed sample and puts the rest back.
  DeleteFileA(In("readme.txt").c_str());
  ASSERT_EQ(RunProgram(source_ + "\\setup.exe", "/quiet \"/dest=" + destination_ + "\""),
            dv::setup::kExitDone);
  EXPECT_EQ(test::ReadText(In("sample.ged")), edited);
  EXPECT_TRUE(Exists(In("readme.txt")));
  EXPECT_TRUE(Exists(In("uninstdv.exe")));
  EXPECT_FALSE(Exists(In("setup.exe")));
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUserInfoKey, "ProgramFolder"), group_);
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUserInfoKey, "Previous.dvb"), "OtherProg.dvb");

  ASSERT_EQ(RunProgram(In("uninstdv.exe"), "/quiet"), dv::setup::kExitDone);
  ASSERT_TRUE(WaitUntilGone(In("uninstdv.exe")));
  ASSERT_TRUE(WaitUntilGone(In("dorvane.inf")));

  // Our files are gone; the user's files and the changed sample stay.
  for (const char* name :
       {"dorvane.exe", "readme.txt", "inline_sources.ged", "help", "dorvane.ini", "setup.exe"})
    EXPECT_FALSE(Exists(In(name))) << name;
  EXPECT_EQ(test::ReadText(In("my family.ged")), "0 HEAD\r\n0 TRLR\r\n");
  EXPECT_EQ(test::ReadText(In("sample.ged")), edited);

  // Our keys are gone; the other programs' associations stay or come back.
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Dorvane"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  for (const char* key : {"gedfile", "dvafile", "dvbfile", ".ged"})
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, key)) << key;
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ".dvb", nullptr), "OtherProg.dvb");
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, "OtherProg.dvb\\shell\\open\\command", nullptr),
            "other.exe \"%1\"");
  EXPECT_EQ(ReadValue(HKEY_CLASSES_ROOT, ".dva", nullptr), "Another.dva");

  // The shortcuts and the (then empty) program folder are gone.
  EXPECT_FALSE(Exists(desktop_ + "\\Dorvane.lnk"));
  EXPECT_FALSE(Exists(group));
  EXPECT_EQ(test::ReadText(desktop_ + "\\Dorvane notes.lnk"), "the user's own");
}

TEST_F(UnattendedSetupTest, BadSwitchesAndDestinationsChangeNothing) {
  EXPECT_EQ(RunProgram(source_ + "\\setup.exe", "/quiet /bogus"), dv::setup::kExitUsage);
  EXPECT_EQ(RunProgram(source_ + "\\setup.exe", "/quiet /dest=relative\\folder"),
            dv::setup::kExitFailed);
  EXPECT_EQ(
      RunProgram(source_ + "\\setup.exe", "/quiet \"/dest=" + destination_ + "\" /group=..\\x"),
      dv::setup::kExitFailed);
  EXPECT_FALSE(Exists(destination_));
  EXPECT_FALSE(Exists(source_ + "\\dorvane.inf"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Dorvane"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
}

// A source file that cannot be copied fails the install before anything
// points at the program: no association, no uninstall entry.
TEST_F(UnattendedSetupTest, FailedCopyRegistersNothing) {
  ASSERT_TRUE(DeleteFileA((source_ + "\\dorvane.exe").c_str()));
  EXPECT_EQ(RunProgram(source_ + "\\setup.exe", "/quiet \"/dest=" + destination_ + "\""),
            dv::setup::kExitFailed);
  EXPECT_FALSE(Exists(In("dorvane.exe")));
  EXPECT_FALSE(Exists(In("uninstdv.exe")));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "gedfile"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".ged"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Dorvane"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(Exists(desktop_ + "\\Dorvane.lnk"));
}

// --- The main routine in-process ----------------------------------------

BOOL CALLBACK CancelSheet(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) == "#32770" && IsWindowVisible(window))
    PostMessageA(window, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  return TRUE;
}

void CALLBACK CancelWizardTimer(HWND, UINT, UINT_PTR timer, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CancelSheet, 0);
}

class MainRoutineTest : public SetupTest {
 protected:
  void SetUp() override {
    SetupTest::SetUp();
    source_ = dir_ + "\\dist copy";
    CopyTree(DistFolder(), source_);
    Installer().hooks.programsFolder = MakeFolder("Programs");
    Installer().hooks.desktopFolder = MakeFolder("Desktop");
    ASSERT_TRUE(RegisterSetupWindowClass(GetModuleHandleA(nullptr)));
  }

  void TearDown() override {
    UnregisterClassA(kSetupWindowClass, GetModuleHandleA(nullptr));
    SetupTest::TearDown();
  }

  // Runs the installer as if started from program (in the copied
  // distribution folder) and returns its exit code.
  int RunInstaller(const std::string& program, const std::string& switches) {
    auto hooks = Installer().hooks;
    if (PrepareSetup(GetModuleHandleA(nullptr), program, switches) != 0)
      return Installer().exitCode;
    Installer().hooks = hooks;
    UINT_PTR timer = SetTimer(nullptr, 0, 300, CancelWizardTimer);
    EXPECT_NE(CreateSetupWindow(SW_HIDE), nullptr);
    MSG message;
    int code = -1;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    code = static_cast<int>(message.wParam);
    KillTimer(nullptr, timer);
    return code;
  }

  std::string source_;
};

TEST_F(MainRoutineTest, CancelledWizardChangesNothing) {
  ASSERT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Dorvane"));
  EXPECT_EQ(RunInstaller(source_ + "\\setup.exe", ""), dv::setup::kExitCancelled);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(Exists(source_ + "\\dorvane.inf"));
  EXPECT_FALSE(Exists("C:\\Program Files\\Dorvane"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Dorvane"));
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "gedfile"));
}

// Without the record of an installation the uninstaller says so, removes
// nothing and does not start the removal of itself.
TEST_F(MainRoutineTest, UninstallWithoutDataStops) {
  EXPECT_EQ(RunInstaller(source_ + "\\uninstdv.exe", ""), dv::setup::kExitFailed);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "    Uninstall data not available   \n        Unable to proceed.");
  EXPECT_EQ(boxes_[0].caption, "Dorvane Install Error");
  EXPECT_FALSE(Exists(source_ + "\\dorvane.inf"));
  Sleep(1500);
  EXPECT_TRUE(Exists(source_ + "\\dorvane.exe"));
  EXPECT_TRUE(Exists(source_ + "\\setup.exe"));
}

// Cancel on the Uninstall page: everything stays, the uninstaller too.
TEST_F(MainRoutineTest, CancelledUninstallChangesNothing) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kUserInfoKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, kDestinationValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(source_.c_str()),
                 static_cast<DWORD>(source_.size() + 1));
  RegCloseKey(key);
  CreateDirectoryA((Installer().hooks.programsFolder + "\\Dorvane").c_str(), nullptr);
  test::WriteText(Installer().hooks.programsFolder + "\\Dorvane\\Dorvane.lnk", "");
  test::WriteText(Installer().hooks.desktopFolder + "\\Dorvane.lnk", "");

  EXPECT_EQ(RunInstaller(source_ + "\\uninstdv.exe", ""), dv::setup::kExitCancelled);
  Sleep(1500);
  EXPECT_TRUE(boxes_.empty());
  EXPECT_FALSE(Exists(source_ + "\\dorvane.inf"));
  EXPECT_TRUE(Exists(source_ + "\\dorvane.exe"));
  EXPECT_TRUE(Exists(source_ + "\\help\\301.html"));
  EXPECT_TRUE(Exists(Installer().hooks.programsFolder + "\\Dorvane\\Dorvane.lnk"));
  EXPECT_TRUE(Exists(Installer().hooks.desktopFolder + "\\Dorvane.lnk"));
  EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kUserInfoKey, kDestinationValue), source_);
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Dorvane");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Dorvane");
}

TEST_F(MainRoutineTest, ScriptThatCannotBeWrittenIsReported) {
  std::string missing = dir_ + "\\no such folder";
  EXPECT_EQ(RunInstaller(missing + "\\setup.exe", ""), dv::setup::kExitFailed);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Cannot write the installation script: " + missing + "\\dorvane.inf");
  EXPECT_EQ(boxes_[0].caption, "Dorvane Install Error");
}

}  // namespace
}  // namespace dv::win::setup
