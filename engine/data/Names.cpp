#include "data/Names.h"

#include <algorithm>
#include <vector>

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

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

}  // namespace

std::string DisplayName(std::string_view value) {
  std::size_t start = value.find_first_not_of(' ');
  value = start == std::string_view::npos ? std::string_view() : value.substr(start);
  std::size_t end = 0;
  while (end < value.size() && end < 255 && value[end] != '\r' && value[end] != '\n') ++end;
  value = value.substr(0, end);

  std::string out;
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
  return std::string(TrimRight(out));
}

bool FitName(std::string_view name, int width, bool surnameFirst, std::string& out) {
  out.clear();
  if (width > 35) width = 35;
  if (width < 1) width = 1;
  std::size_t w = static_cast<std::size_t>(width);
  if (!surnameFirst && name.size() == w + 1 && name[0] == ' ') {
    out.assign(name.substr(1));
    return true;
  }
  // Words, each cut to the width; nicknames set aside.
  std::vector<std::string> words;
  std::string nickname;
  bool lastWasNickname = false;
  std::size_t pos = 0;
  while (pos < name.size() && words.size() < 20) {
    while (pos < name.size() && name[pos] == ' ') ++pos;
    if (pos >= name.size()) break;
    std::size_t end = name.find(' ', pos);
    if (end == std::string_view::npos) end = name.size();
    std::string word(name.substr(pos, std::min(end - pos, w)));
    pos = end;
    if (IsNickname(word)) {
      nickname = word;
      lastWasNickname = true;
    } else {
      words.push_back(std::move(word));
      lastWasNickname = false;
    }
  }
  if (lastWasNickname && !nickname.empty()) words.push_back(nickname);
  if (words.empty()) return surnameFirst;

  auto total = [&words] {
    std::size_t t = 0;
    for (const auto& x : words) t += x.size();
    return t;
  };
  auto tooLong = [&] { return total() + words.size() > w + 1; };
  // Initials for the given names, from the second-last towards the second.
  for (std::size_t i = words.size() >= 2 ? words.size() - 2 : 0; i >= 1 && i + 1 < words.size() && tooLong(); --i)
    words[i].resize(1);
  if (tooLong() && words.size() > 2) words.erase(words.begin() + 1, words.end() - 1);
  if (words.size() >= 2 && words.front().size() + words.back().size() > w - 1) words.front().resize(1);
  if (words.back().size() + 2 > w && words.size() >= 2) {
    if (!surnameFirst) return false;
    out = Upper(words.back().substr(0, w));
    return true;
  }
  if (surnameFirst) {
    out = Upper(words.back());
    for (std::size_t i = 0; i + 1 < words.size(); ++i) out += ' ' + words[i];
  } else {
    for (std::size_t i = 0; i < words.size(); ++i) {
      if (i) out += ' ';
      out += words[i];
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
