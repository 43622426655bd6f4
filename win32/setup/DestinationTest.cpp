#include "setup/DestinationTest.h"

#include <windows.h>

#include <vector>

#include "setup/SetupPaths.h"
#include "setup/SetupText.h"

namespace dv::win::setup {
namespace {

// True when a new file can be created in folder: GetTempFileName makes a
// file of a name no other file has (it never opens an existing one).
bool CanCreateFileIn(const std::string& folder) {
  char probe[MAX_PATH] = {};
  if (folder.size() > MAX_PATH - 14) return false;
  if (GetTempFileNameA(folder.c_str(), "dvt", 0, probe) == 0) return false;
  DeleteFileA(probe);
  return true;
}

}  // namespace

int TestDestination(std::string_view typed, std::string& out) {
  std::string clean;
  if (dv::setup::NormalizeDestination(typed, clean) != 0) return dv::setup::kInvalidDirectory;
  std::vector<std::string> folders = dv::setup::DestinationAncestors(clean);
  std::size_t writable = 0;
  while (writable < folders.size() && !CanCreateFileIn(folders[writable])) ++writable;
  if (writable == folders.size()) return dv::setup::kInvalidDirectory;
  // Make every missing level, deepest last, and take them away again.
  std::vector<std::string> made;
  bool ok = true;
  for (std::size_t level = writable; level-- > 0;) {
    if (!CreateDirectoryA(folders[level].c_str(), nullptr)) {
      ok = false;
      break;
    }
    made.push_back(folders[level]);
  }
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryA(it->c_str());
  if (!ok) return dv::setup::kInvalidDirectory;
  out = std::move(clean);
  return 0;
}

}  // namespace dv::win::setup
