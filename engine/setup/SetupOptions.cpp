#include "setup/SetupOptions.h"

#include <algorithm>

#include "setup/SetupText.h"

namespace dv::setup {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Lower(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return out;
}

// For "/name=value" (or "-name=value"), the lower-case name and the value.
bool SplitSwitch(std::string_view word, std::string& name, std::string_view& value) {
  if (word.size() < 2 || (word[0] != '/' && word[0] != '-')) return false;
  word.remove_prefix(1);
  std::size_t eq = word.find('=');
  name = Lower(word.substr(0, eq));
  value = eq == std::string_view::npos ? std::string_view() : word.substr(eq + 1);
  return eq != std::string_view::npos || !name.empty();
}

}  // namespace

std::string_view NextWord(std::string_view& line, std::string& word) {
  word.clear();
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  std::string_view raw = line;
  bool quoted = false;
  std::size_t used = 0;
  for (; used < line.size(); ++used) {
    char c = line[used];
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && IsBlank(c)) {
      break;
    } else {
      word += c;
    }
  }
  line.remove_prefix(used);
  return raw.substr(0, used);
}

int ParseSetupOptions(std::string_view commandLine, SetupOptions& out, std::string& bad) {
  std::string word;
  for (;;) {
    std::string_view raw = NextWord(commandLine, word);
    if (raw.empty()) return 0;
    std::string name;
    std::string_view value;
    bool known = SplitSwitch(word, name, value);
    if (known && (name == "quiet" || name == "q") && value.empty() &&
        word.find('=') == std::string::npos) {
      out.quiet = true;
    } else if (known && name == "dest" && !value.empty()) {
      out.hasDestination = true;
      out.destination = std::string(value);
    } else if (known && name == "group" && !value.empty()) {
      out.hasProgramFolder = true;
      out.programFolder = std::string(value);
    } else {
      bad = std::string(raw);
      return kUnknownOption;
    }
  }
}

}  // namespace dv::setup
