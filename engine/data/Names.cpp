#include "data/Names.h"

#include <algorithm>

#include "data/CharSet.h"

namespace dv {
namespace {

constexpr std::string_view kMissing = "____";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsNickname(std::string_view word) {
  char c = word.empty() ? 0 : word[0];
  return c == '"' || c == '(' || c == '\'' || c == '[';
}

// Upper case of program text, accented letters included.
std::string Upper(std::string_view s) {
  std::string out(s);
  UpperCaseProgramText(out);
  return out;
}

}  // namespace

void DisplayName(std::string_view value, std::string& out) {
  std::size_t start = value.find_first_not_of(' ');
  value = start == std::string_view::npos ? std::string_view() : value.substr(start);
  std::size_t end = 0;
  while (end < value.size() && end < 255 && value[end] != '\r' && value[end] != '\n') ++end;
  value = value.substr(0, end);

  out.clear();
  std::size_t slash = value.find('/');
  std::string_view given = TrimRight(value.substr(0, slash == std::string_view::npos ? value.size() : slash));
  out.append(given.empty() ? kMissing : given);
  out += ' ';
  if (slash == std::string_view::npos) {
    out.append(kMissing);
  } else {
    std::string_view rest = value.substr(slash + 1);
    std::size_t close = rest.find('/');
    std::string_view surname = rest.substr(0, close == std::string_view::npos ? rest.size() : close);
    if (TrimRight(surname).empty()) {
      out.append(kMissing);
    } else {
      for (char c : TrimRight(surname)) out += c == ' ' ? '_' : c;
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
}

std::string DisplayName(std::string_view value) {
  std::string out;
  DisplayName(value, out);
  return out;
}

bool FitName(std::string_view name, int width, bool surnameFirst, std::string& out) {
  out.clear();
  if (width > 35) width = 35;
  if (width < 1) width = 1;
  const std::size_t w = static_cast<std::size_t>(width);
  if (!surnameFirst && name.size() == w + 1 && name[0] == ' ') {
    out.assign(name.substr(1));
    return true;
  }
  // Words (views into name), each cut to the width; nicknames set aside.
  std::string_view words[21];
  std::size_t count = 0;
  std::string_view nickname;
  bool lastWasNickname = false;
  std::size_t pos = 0;
  while (pos < name.size() && count < 20) {
    while (pos < name.size() && name[pos] == ' ') ++pos;
    if (pos >= name.size()) break;
    std::size_t end = name.find(' ', pos);
    if (end == std::string_view::npos) end = name.size();
    std::string_view word = name.substr(pos, std::min(end - pos, w));
    pos = end;
    lastWasNickname = IsNickname(word);
    if (lastWasNickname)
      nickname = word;
    else
      words[count++] = word;
  }
  if (lastWasNickname) words[count++] = nickname;
  if (count == 0) return surnameFirst;

  auto tooLong = [&] {
    std::size_t total = 0;
    for (std::size_t i = 0; i < count; ++i) total += words[i].size();
    return total + count > w + 1;
  };
  // Initials for the given names, from the second-last towards the second.
  for (std::size_t i = count >= 3 ? count - 2 : 0; i >= 1 && tooLong(); --i) words[i] = words[i].substr(0, 1);
  if (count > 2 && tooLong()) {
    words[1] = words[count - 1];
    count = 2;
  }
  if (count >= 2 && words[0].size() + words[count - 1].size() > w - 1) words[0] = words[0].substr(0, 1);
  if (count >= 2 && words[count - 1].size() + 2 > w) {
    if (!surnameFirst) return false;
    out = Upper(words[count - 1]);
    return true;
  }
  if (surnameFirst) {
    out = Upper(words[count - 1]);
    for (std::size_t i = 0; i + 1 < count; ++i) {
      out += ' ';
      out.append(words[i]);
    }
  } else {
    for (std::size_t i = 0; i < count; ++i) {
      if (i) out += ' ';
      out.append(words[i]);
    }
    if (out.size() + 2 <= w) out.insert(out.begin(), ' ');
  }
  if (out.size() > w) out.resize(w);
  return true;
}

std::string FitName(std::string_view name, int width, bool surnameFirst) {
  std::string out;
  FitName(name, width, surnameFirst, out);
  return out;
}

std::string YearOf(std::string_view date) {
  date = TrimRight(date);
  std::size_t n = date.size();
  std::size_t run = 0;
  while (run < n && IsDigit(date[n - 1 - run])) ++run;
  // A dual year such as 1750/51.
  if (run >= 1 && run <= 3 && n >= run + 5 && date[n - run - 1] == '/') {
    std::size_t end = n - run - 1;
    std::size_t four = 0;
    while (four < end && IsDigit(date[end - 1 - four])) ++four;
    if (four == 4) return std::string(date.substr(end - 4, 4));
  }
  if (run >= 2 && run <= 5) return std::string(date.substr(n - run));
  return {};
}

}  // namespace dv
