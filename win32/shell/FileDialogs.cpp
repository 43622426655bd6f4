#include "shell/FileDialogs.h"

#include <commdlg.h>

#include "common/StringTable.h"
#include "shell/AppState.h"

namespace dv::win {

std::string FilterFromString(std::string_view text) {
  std::string filter(text);
  if (filter.empty()) return std::string(2, '\0');
  const char separator = filter.back();
  for (char& c : filter)
    if (c == separator) c = '\0';
  // The string's last character became the NUL ending the last part; the
  // list ends with one more.
  filter.push_back('\0');
  return filter;
}

int RunSaveFileDialog(HWND owner, int filterId, const char* defaultExtension) {
  auto& state = State();
  const std::string filter = FilterFromString(dv::StringText(filterId));
  auto& name = state.app.fileNameBuffer;
  if (state.hooks.saveFileDialog) {
    int chosen = state.hooks.saveFileDialog(owner, filter, defaultExtension, name);
    name.back() = '\0';
    return chosen;
  }
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrDefExt = defaultExtension;
  ofn.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
  if (!GetSaveFileNameA(&ofn)) return 0;
  return static_cast<int>(ofn.nFilterIndex);
}

}  // namespace dv::win
