#include "shell/ProfileFile.h"

#include <algorithm>

namespace dv {
namespace {

// The characters the profile reader does not count around names and values:
// the C blanks and the DOS end-of-file mark.
bool IsProfileSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == '\x1a';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsProfileSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsProfileSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Names and values reach their users as C strings: a NUL byte ends them.
std::string UpToNul(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAscii(x) == LowerAscii(y);
         });
}

std::string_view Unquote(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
    return v.substr(1, v.size() - 2);
  return v;
}

}  // namespace

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

ProfileFile ProfileFile::Parse(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  ProfileFile profile;
  profile.sections_.emplace_back();  // the keys before the first header
  for (std::string_view raw : SplitLines(text)) {
    std::string_view line = Trim(raw);
    if (line.empty()) continue;
    if (line.front() == '[') {
      std::size_t close = line.rfind(']');
      if (close != std::string_view::npos) {
        profile.sections_.push_back(Section{UpToNul(line.substr(1, close - 1)), {}});
        continue;
      }
    }
    Key key;
    std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) {
      key.name = UpToNul(line);
    } else {
      key.name = UpToNul(Trim(line.substr(0, eq)));
      key.value = UpToNul(Trim(line.substr(eq + 1)));
      key.hasValue = true;
    }
    profile.sections_.back().keys.push_back(std::move(key));
  }
  return profile;
}

std::optional<std::string_view> ProfileFile::Find(std::string_view section,
                                                  std::string_view key) const {
  section = Trim(section);
  key = Trim(key);
  for (std::size_t i = 1; i < sections_.size(); ++i) {
    const Section& s = sections_[i];
    if (s.name.empty() || !SameName(s.name, section)) continue;
    // Only the first section of this name is searched.
    for (const Key& k : s.keys) {
      if (!SameName(k.name, key)) continue;
      if (!k.hasValue) return std::nullopt;
      return Unquote(k.value);
    }
    return std::nullopt;
  }
  return std::nullopt;
}

std::string ProfileFile::GetString(std::string_view section, std::string_view key,
                                   std::size_t bufferSize, std::string_view def) const {
  if (bufferSize == 0) return {};
  std::string_view value = Find(section, key).value_or(def);
  return std::string(value.substr(0, bufferSize - 1));
}

}  // namespace dv
