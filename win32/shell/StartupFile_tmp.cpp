// TEMPORARY: see StartupFile_tmp.h.
#include "shell/StartupFile_tmp.h"

#include <algorithm>
#include <cctype>

namespace dv::win::tmp {

StartupFile InterpretStartupFile(std::string_view commandLine, bool autoLoad,
                                 std::string_view recent0) {
  StartupFile result;
  std::string upper(commandLine);
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper.empty()) {
    if (autoLoad && !recent0.empty() && recent0.find(".GED") != std::string_view::npos) {
      result.kind = 1;
      result.path = std::string(recent0.substr(0, 255));
    }
    return result;
  }
  if (upper.find(".GED") != std::string::npos)
    result.kind = 1;
  else if (upper.find(".DVA") != std::string::npos)
    result.kind = 2;
  else if (upper.find(".DVB") != std::string::npos)
    result.kind = 3;
  else
    return result;
  std::size_t i = upper.find_first_not_of(' ');
  if (i == std::string::npos) return {};
  while (i < upper.size() && upper[i] == '"') ++i;
  std::size_t end = upper.find('"', i);
  if (end == std::string::npos) end = upper.size();
  result.path = upper.substr(i, std::min<std::size_t>(end - i, 255));
  return result;
}

int ClampBirthBriefWidth(int width) {
  if (width >= 32) return 31;
  if (width < 20) return 20;
  return width;
}

}  // namespace dv::win::tmp
