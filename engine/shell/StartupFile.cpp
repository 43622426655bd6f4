#include "shell/StartupFile.h"

namespace dv {
namespace {

constexpr std::string_view kProgramTitle = "Dorvane";

std::string UpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string CutToSource(std::string_view path) {
  return std::string(path.substr(0, kCurrentSourceCapacity - 1));
}

}  // namespace

StartupFile InterpretStartupFile(std::string_view commandLine, int autoLoad,
                                 std::string_view newestRecentFile) {
  StartupFile result;
  // The command line is handled as a C string in a buffer of 512 bytes.
  commandLine = commandLine.substr(0, commandLine.find('\0'));
  commandLine = commandLine.substr(0, kCommandLineCapacity - 1);
  if (commandLine.empty()) {
    newestRecentFile = newestRecentFile.substr(0, newestRecentFile.find('\0'));
    if (autoLoad != 0 && newestRecentFile.find(".GED") != std::string_view::npos) {
      result.kind = kStartupGedcom;
      result.path = CutToSource(newestRecentFile);
    }
    return result;
  }

  const std::string text = UpperAscii(commandLine);
  if (text.find(".GED") != std::string::npos)
    result.kind = kStartupGedcom;
  else if (text.find(".DVA") != std::string::npos)
    result.kind = kStartupBirthBrief;
  else if (text.find(".DVB") != std::string::npos)
    result.kind = kStartupTree;
  else
    return result;

  std::string_view rest = text;
  while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
  while (!rest.empty() && rest.front() == '"') rest.remove_prefix(1);
  result.path = CutToSource(rest.substr(0, rest.find('"')));
  return result;
}

int ClampBirthBriefWidth(int width) {
  if (width >= 32) return 31;
  if (width < 20) return 20;
  return width;
}

std::string WindowTitle(std::string_view path) {
  std::size_t slash = path.rfind('\\');
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::string title(kProgramTitle);
  title += " - ";
  title += name;
  return title;
}

}  // namespace dv
