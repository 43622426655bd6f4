#include "setup/SetupState.h"

#include <shlobj.h>

#include "setup/SetupText.h"

namespace dv::win::setup {
namespace {

std::string ShellFolder(int csidl) {
  char path[MAX_PATH] = {};
  if (FAILED(
          SHGetFolderPathA(nullptr, csidl | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return path;
}

}  // namespace

SetupState& Installer() {
  static SetupState state;
  return state;
}

void ResetInstaller() { Installer() = SetupState{}; }

std::string SetupString(int id) {
  // The two script parts are the longest entries; nothing else comes near.
  char text[dv::setup::kScriptPart1Buffer] = {};
  HINSTANCE instance = Installer().instance ? Installer().instance : GetModuleHandleA(nullptr);
  int length = LoadStringA(instance, static_cast<UINT>(id), text, sizeof text);
  return std::string(text, length > 0 ? static_cast<std::size_t>(length) : 0);
}

int SetupMessage(HWND owner, int textId, int captionId, UINT type, std::string_view suffix) {
  std::string text = SetupString(textId);
  text.append(suffix);
  if (Installer().options.quiet) {
    // No box; a script that started us from a console still learns why.
    std::string line = std::to_string(textId) + "\t" + dv::CEscape(text) + "\n";
    DWORD written = 0;
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE)
      WriteFile(error, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    return IDOK;
  }
  std::string caption = SetupString(captionId);
  if (Installer().hooks.messageBox)
    return Installer().hooks.messageBox(owner, text.c_str(), caption.c_str(), type);
  return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

std::string ProgramsMenuFolder() {
  if (!Installer().hooks.programsFolder.empty()) return Installer().hooks.programsFolder;
  return ShellFolder(CSIDL_PROGRAMS);
}

std::string DesktopFolder() {
  if (!Installer().hooks.desktopFolder.empty()) return Installer().hooks.desktopFolder;
  return ShellFolder(CSIDL_DESKTOPDIRECTORY);
}

}  // namespace dv::win::setup
