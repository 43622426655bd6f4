#include "setup/SetupSteps.h"

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <algorithm>
#include <span>

#include "common/SafeFile.h"
#include "setup/InfScript.h"
#include "setup/SetupPaths.h"
#include "setup/SetupState.h"
#include "setup/SetupText.h"
#include "setup/Sha256.h"

namespace dv::win::setup {
namespace {

using dv::setup::JoinPath;
using dv::setup::kMaxPathText;

bool EqualNoCase(const std::string& a, const std::string& b) {
  return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

std::string ReadString(HKEY root, const char* key, const char* value) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return {};
  char text[kMaxPathText + 1] = {};
  DWORD size = kMaxPathText;
  DWORD type = 0;
  LONG status =
      RegQueryValueExA(handle, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS || type != REG_SZ) return {};
  text[std::min<DWORD>(size, kMaxPathText)] = '\0';
  return text;
}

bool WriteString(HKEY root, const std::string& key, const char* value, const std::string& text) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  LONG status =
      RegSetValueExA(handle, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
  RegCloseKey(handle);
  return status == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

std::string PreviousValueName(const FileType& type) {
  return std::string("Previous") + type.extension;
}

// The string table entry read into a buffer of the given size.
std::string ScriptPart(int id, std::size_t buffer) {
  std::string text(buffer, '\0');
  int length = LoadStringA(Installer().instance ? Installer().instance : GetModuleHandleA(nullptr),
                           static_cast<UINT>(id), text.data(), static_cast<int>(buffer));
  text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
  return text;
}

bool FileExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct QueueContext {
  PVOID defaultContext = nullptr;
};

// Delete errors are skipped; a copy that fails or a source file that is
// missing ends the commit (the default handler would ask for a disk), so
// that nothing is registered for a program that is not there.
UINT CALLBACK QueueCallback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
  auto* queue = static_cast<QueueContext*>(context);
  switch (notification) {
    case SPFILENOTIFY_DELETEERROR:
      return FILEOP_SKIP;
    case SPFILENOTIFY_COPYERROR:
    case SPFILENOTIFY_RENAMEERROR:
      SetLastError(ERROR_CANCELLED);
      return FILEOP_ABORT;
    case SPFILENOTIFY_NEEDMEDIA: {
      // The files come from the installer's own folder: go on when the file
      // is there, never ask for a disk.
      auto* media = reinterpret_cast<const SOURCE_MEDIA_A*>(param1);
      if (media && media->SourcePath && media->SourceFile &&
          FileExists(JoinPath(media->SourcePath, media->SourceFile)))
        return FILEOP_DOIT;
      SetLastError(ERROR_FILE_NOT_FOUND);
      return FILEOP_ABORT;
    }
  }
  return SetupDefaultQueueCallbackA(queue->defaultContext, notification, param1, param2);
}

bool QueueSection(HINF inf, HSPFILEQ queue, const char* section, const char* sourceRoot) {
  return SetupInstallFilesFromInfSectionA(inf, nullptr, queue, section, sourceRoot, 0) != FALSE;
}

bool SaveShortcut(const std::string& link, const std::string& target,
                  const std::string& workingFolder, const std::string& description) {
  IShellLinkA* shellLink = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shellLink))))
    return false;
  shellLink->SetPath(target.c_str());
  shellLink->SetWorkingDirectory(workingFolder.c_str());
  shellLink->SetDescription(description.c_str());
  IPersistFile* file = nullptr;
  bool saved = false;
  if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH) > 0)
      saved = SUCCEEDED(file->Save(wide, TRUE));
    file->Release();
  }
  shellLink->Release();
  return saved;
}

}  // namespace

std::string ReadMachineString(const char* key, const char* value) {
  return ReadString(HKEY_LOCAL_MACHINE, key, value);
}

void ReadRegisteredPaths() {
  auto& state = Installer();
  state.destination = ReadMachineString(kUserInfoKey, kDestinationValue);
  state.programFolder = ReadMachineString(kUserInfoKey, kProgramFolderValue);
  state.registered = !state.destination.empty();
  if (state.destination.empty()) state.destination = dv::setup::kDefaultDestination;
  if (state.programFolder.empty()) state.programFolder = dv::setup::kDefaultProgramFolder;
}

std::vector<std::string> ChangedSamples(const std::string& folder) {
  std::vector<std::string> changed;
  for (const auto& file : dv::setup::Payload()) {
    if (file.kind != dv::setup::PayloadKind::Sample) continue;
    // A sample that is not there is not one the user changed; one that is
    // there but cannot be read may be, and is kept rather than overwritten
    // or removed.
    const std::string path = JoinPath(folder, file.name);
    std::string bytes;
    if (!dv::ReadWholeFile(path, bytes)) {
      if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        changed.emplace_back(file.name);
      continue;
    }
    const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    if (dv::setup::Sha256Hex(data) != file.sha256) changed.emplace_back(file.name);
  }
  return changed;
}

int WriteInfScript(const std::string& folder, std::span<const std::string> keep) {
  std::string script = dv::setup::AssembleInfScript(
      ScriptPart(dv::setup::kScriptPart1, dv::setup::kScriptPart1Buffer),
      ScriptPart(dv::setup::kScriptPart2, dv::setup::kScriptPart2Buffer), dv::setup::Payload(),
      keep);
  std::string path = JoinPath(folder, dv::setup::kScriptName);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL | FILE_FLAG_WRITE_THROUGH, nullptr);
  if (file == INVALID_HANDLE_VALUE) return dv::setup::kScriptNotWritten;
  DWORD written = 0;
  bool ok = WriteFile(file, script.data(), static_cast<DWORD>(script.size()), &written, nullptr) &&
            written == script.size() && FlushFileBuffers(file);
  CloseHandle(file);
  if (!ok) {
    DeleteFileA(path.c_str());
    return dv::setup::kScriptNotWritten;
  }
  return 0;
}

bool RunScriptSections(HWND owner, HINF inf, bool uninstall, bool quiet) {
  const auto& state = Installer();
  if (!SetupSetDirectoryIdA(inf, 65600, state.destination.c_str())) return false;
  HSPFILEQ queue = SetupOpenFileQueue();
  if (queue == INVALID_HANDLE_VALUE) return false;
  const char* section = uninstall ? "DorvaneUninstall" : "DorvaneInstall";
  bool queued = QueueSection(inf, queue, section, state.ownFolder.c_str());
  if (uninstall) {
    queued = queued && QueueSection(inf, queue, "Links1", state.ownFolder.c_str()) &&
             QueueSection(inf, queue, "Links2", state.ownFolder.c_str());
  }
  bool committed = false;
  if (queued) {
    QueueContext context;
    context.defaultContext = SetupInitDefaultQueueCallbackEx(
        quiet ? nullptr : owner, quiet ? static_cast<HWND>(INVALID_HANDLE_VALUE) : nullptr, 0, 0,
        nullptr);
    committed = SetupCommitFileQueueA(quiet ? nullptr : owner, queue, QueueCallback, &context);
    SetupTermDefaultQueueCallback(context.defaultContext);
  }
  SetupCloseFileQueue(queue);
  if (!committed) return false;
  return SetupInstallFromInfSectionA(quiet ? nullptr : owner, inf, section, SPINST_REGISTRY,
                                     nullptr, nullptr, 0, nullptr, nullptr, nullptr,
                                     nullptr) != FALSE;
}

bool WriteInstallRegistry(const std::string& destination, const std::string& programFolder) {
  bool ok = WriteString(HKEY_LOCAL_MACHINE, kUserInfoKey, kDestinationValue, destination) &&
            WriteString(HKEY_LOCAL_MACHINE, kUserInfoKey, kProgramFolderValue, programFolder) &&
            WriteString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", "Dorvane") &&
            WriteString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString",
                        dv::setup::UninstallCommand(destination));
  for (const auto& type : kFileTypes) {
    // Another program's handler is kept, to be put back on uninstall; a
    // reinstall (the extension already names ours) keeps the one saved before.
    std::string previous = ReadString(HKEY_CLASSES_ROOT, type.extension, nullptr);
    if (!previous.empty() && !EqualNoCase(previous, type.handler))
      ok = WriteString(HKEY_LOCAL_MACHINE, kUserInfoKey, PreviousValueName(type).c_str(),
                       previous) &&
           ok;
    std::string handler = type.handler;
    ok = WriteString(HKEY_CLASSES_ROOT, type.extension, nullptr, handler) &&
         WriteString(HKEY_CLASSES_ROOT, handler, nullptr, type.description) &&
         WriteString(HKEY_CLASSES_ROOT, handler + "\\shell\\open\\command", nullptr,
                     dv::setup::OpenCommand(destination)) &&
         WriteString(HKEY_CLASSES_ROOT, handler + "\\DefaultIcon", nullptr,
                     dv::setup::IconLocation(destination)) &&
         ok;
  }
  return ok;
}

PreviousHandlers ReadPreviousHandlers() {
  PreviousHandlers previous;
  for (std::size_t i = 0; i < kFileTypes.size(); ++i)
    previous[i] = ReadMachineString(kUserInfoKey, PreviousValueName(kFileTypes[i]).c_str());
  return previous;
}

void RemoveAssociations(const PreviousHandlers& previous) {
  for (std::size_t i = 0; i < kFileTypes.size(); ++i) {
    const auto& type = kFileTypes[i];
    std::string current = ReadString(HKEY_CLASSES_ROOT, type.extension, nullptr);
    if (EqualNoCase(current, type.handler)) {
      if (!previous[i].empty() && KeyExists(HKEY_CLASSES_ROOT, previous[i])) {
        WriteString(HKEY_CLASSES_ROOT, type.extension, nullptr, previous[i]);
      } else {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, type.extension, 0, KEY_SET_VALUE | KEY_QUERY_VALUE,
                          &key) == ERROR_SUCCESS) {
          RegDeleteValueA(key, nullptr);
          DWORD subkeys = 0, values = 0;
          bool empty =
              RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                               nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
              subkeys == 0 && values == 0;
          RegCloseKey(key);
          if (empty) RegDeleteKeyA(HKEY_CLASSES_ROOT, type.extension);
        }
      }
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, type.handler);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, type.handler);
  }
}

bool RenameUninstaller(const std::string& destination) {
  std::string from = JoinPath(destination, dv::setup::kSetupName);
  std::string to = JoinPath(destination, dv::setup::kUninstallerName);
  if (MoveFileA(from.c_str(), to.c_str())) return true;
  DeleteFileA(to.c_str());
  return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

bool CreateShortcuts(const std::string& destination, const std::string& programFolder) {
  HRESULT com = CoInitialize(nullptr);
  std::string program = JoinPath(destination, dv::setup::kProgramName);
  std::string desktop = DesktopFolder();
  std::string group = JoinPath(ProgramsMenuFolder(), programFolder);
  bool ok = !desktop.empty() &&
            SaveShortcut(JoinPath(desktop, "Dorvane.lnk"), program, destination, "Dorvane");
  ok = (CreateDirectoryA(group.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) && ok;
  ok = SaveShortcut(JoinPath(group, "Dorvane.lnk"), program, destination, "Dorvane") && ok;
  ok = SaveShortcut(JoinPath(group, "Dorvane Help.lnk"),
                    JoinPath(destination, dv::setup::kHelpContents), destination, "Dorvane Help") &&
       ok;
  ok = SaveShortcut(JoinPath(group, "Dorvane ReadMe.lnk"), JoinPath(destination, "readme.txt"),
                    destination, "Dorvane ReadMe") &&
       ok;
  if (SUCCEEDED(com)) CoUninitialize();
  return ok;
}

bool ProgramFolderAvailable(const std::string& name, const std::string& recorded) {
  std::string programs = ProgramsMenuFolder();
  std::string folder = JoinPath(programs, name);
  if (folder.size() + 1 + std::string_view("Dorvane ReadMe.lnk").size() > kMaxPathText)
    return false;
  if (!FolderExists(folder) && !FileExists(folder)) return true;
  if (FileExists(folder)) return false;
  return (!recorded.empty() && EqualNoCase(name, recorded)) ||
         FileExists(JoinPath(folder, "Dorvane.lnk"));
}

std::string SelfDeleteCommand(const std::string& folder) {
  return "Rundll32.exe setupapi.dll,InstallHinfSection DefaultUninstall 132 " +
         JoinPath(folder, dv::setup::kScriptName);
}

bool StartSelfDelete(const std::string& folder) {
  std::string command = SelfDeleteCommand(folder);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, IDLE_PRIORITY_CLASS,
                      nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

}  // namespace dv::win::setup
