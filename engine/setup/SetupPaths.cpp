#include "setup/SetupPaths.h"

#include <algorithm>

#include "setup/InfScript.h"
#include "setup/SetupText.h"

namespace dv::setup {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A folder or file name that Windows can create and that names no parent.
bool UsableName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == ' ' || name.back() == '.') return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 32 ||
           std::string_view("<>:\"|?*\\/").find(c) != std::string_view::npos;
  });
}

// Length of the root of an absolute path ("C:\" = 3, "\\srv\share" = its
// length), or 0 when the path is not absolute.
std::size_t RootLength(std::string_view path) {
  if (path.size() >= 3 &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
      path[1] == ':' && path[2] == '\\')
    return 3;
  if (path.size() < 5 || path[0] != '\\' || path[1] != '\\') return 0;
  std::size_t server = path.find('\\', 2);
  if (server == std::string_view::npos || server == 2) return 0;
  std::size_t share = path.find('\\', server + 1);
  if (share == std::string_view::npos) share = path.size();
  if (share == server + 1) return 0;
  if (!UsableName(path.substr(2, server - 2)) ||
      !UsableName(path.substr(server + 1, share - server - 1)))
    return 0;
  return share;
}

// The longest path, relative to the destination, of a file the installer
// puts there (the payload, the uninstaller, the script).
std::size_t LongestInstalledName() {
  std::size_t longest = std::max(kUninstallerName.size(), kScriptName.size());
  for (const auto& f : Payload()) longest = std::max(longest, PayloadPath(f).size());
  return longest;
}

}  // namespace

bool IsUninstallerPath(std::string_view modulePath) {
  std::size_t at = modulePath.find_last_of("\\/");
  std::string_view name = at == std::string_view::npos ? modulePath : modulePath.substr(at + 1);
  std::string upper;
  for (char c : name) upper += Upper(c);
  return upper == "UNINSTDV.EXE";
}

std::string FolderOf(std::string_view path) {
  std::size_t at = path.find_last_of("\\/");
  return at == std::string_view::npos ? std::string() : std::string(path.substr(0, at));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.empty() && !IsSeparator(out.back())) out += '\\';
  out.append(name);
  return out;
}

int NormalizeDestination(std::string_view text, std::string& out) {
  std::string path;
  for (char c : Trim(text)) {
    char s = IsSeparator(c) ? '\\' : c;
    // Doubled separators collapse, except the two that open a UNC path.
    if (s == '\\' && !path.empty() && path.back() == '\\' && path.size() > 1) continue;
    path += s;
  }
  std::size_t root = RootLength(path);
  if (root == 0) return kInvalidDirectory;
  while (path.size() > root && path.back() == '\\') path.pop_back();
  // Every name below the root must be one Windows can create.
  std::string_view rest = std::string_view(path).substr(root);
  while (!rest.empty()) {
    if (rest.front() == '\\') rest.remove_prefix(1);
    std::size_t end = rest.find('\\');
    if (!UsableName(rest.substr(0, end))) return kInvalidDirectory;
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
  }
  if (path.size() + 1 + LongestInstalledName() > kMaxPathText) return kInvalidDirectory;
  out = std::move(path);
  return 0;
}

std::vector<std::string> DestinationAncestors(std::string_view destination) {
  std::vector<std::string> folders;
  std::size_t root = RootLength(destination);
  if (root == 0) return folders;
  std::string_view at = destination;
  while (at.size() > root) {
    folders.emplace_back(at);
    std::size_t cut = at.find_last_of('\\');
    if (cut < root) cut = root;
    at = at.substr(0, cut);
  }
  folders.emplace_back(at);
  return folders;
}

int CheckProgramFolderName(std::string_view text, std::string& out) {
  std::string_view name = Trim(text);
  if (name.find("..") != std::string_view::npos || !UsableName(name) || name.size() > kMaxPathText)
    return kInvalidProgramFolder;
  out = std::string(name);
  return 0;
}

std::string OpenCommand(std::string_view destination) {
  return "\"" + JoinPath(destination, kProgramName) + "\" \"%1\"";
}

std::string UninstallCommand(std::string_view destination) {
  return "\"" + JoinPath(destination, kUninstallerName) + "\"";
}

std::string IconLocation(std::string_view destination) {
  return JoinPath(destination, kProgramName) + ",0";
}

}  // namespace dv::setup
