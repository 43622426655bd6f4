#include "reports/ReportText.h"

#include <algorithm>

#include "data/Lists.h"

namespace dv {
namespace {

constexpr const char* kOrdinals[] = {
    "First",     "Second",    "Third",       "Fourth",     "Fifth",      "Sixth",      "Seventh",
    "Eighth",    "Ninth",     "Tenth",       "Eleventh",   "Twelfth",    "Thirteenth", "Fourteenth",
    "Fifteenth", "Sixteenth", "Seventeenth", "Eighteenth", "Nineteenth", "Twentieth"};
constexpr const char* kTensJoined[] = {"Twenty-", "Thirty-",  "Forty-",  "Fifty-",
                                       "Sixty-",  "Seventy-", "Eighty-", "Ninety-"};
constexpr const char* kTensRound[] = {"Twentieth", "Thirtieth",  "Fortieth",  "Fiftieth",
                                      "Sixtieth",  "Seventieth", "Eightieth", "Ninetieth"};

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::string OrdinalText(int generation) {
  if (generation < 1 || generation > 99) return {};
  if (generation <= 20) return kOrdinals[generation - 1];
  const int tens = generation / 10, units = generation % 10;
  if (units == 0) return kTensRound[tens - 2];
  return std::string(kTensJoined[tens - 2]) + kOrdinals[units - 1];
}

std::string ReportDate(std::string_view date) {
  const std::size_t start = date.find_first_not_of(' ');
  std::string out(start == std::string_view::npos ? std::string_view() : date.substr(start));
  bool seenLetter = false;
  for (char& c : out) {
    if (!IsAsciiLetter(c)) continue;
    if (seenLetter && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    seenLetter = true;
  }
  return out;
}

std::string_view WithoutEventPrefix(std::string_view field) {
  std::size_t letters = 0;
  while (letters < field.size() && letters < 2 && IsAsciiLetter(field[letters])) ++letters;
  if (letters > 0 && letters < field.size() && field[letters] == ' ')
    return field.substr(letters + 1);
  return field;
}

std::string PlainName(std::string_view displayName) {
  std::string out(displayName);
  std::replace(out.begin(), out.end(), '_', ' ');
  out.resize(TrimRight(out).size());
  return out;
}

std::string RecordName(std::string_view displayName) {
  std::string surname, given;
  SplitDisplayName(displayName, surname, given);
  for (char& c : surname)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return surname + ", " + given;
}

std::vector<std::string> NoteLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  const std::size_t n = text.size();
  const std::size_t width = kNoteLineWidth;
  while (true) {
    while (at < n && (IsBreak(text[at]) || text[at] == ' ')) ++at;
    if (at >= n) break;
    std::string_view rest = text.substr(at);
    // A line break within reach ends the line there.
    std::size_t end = 0;
    while (end < rest.size() && end < width && !IsBreak(rest[end])) ++end;
    if (end == rest.size() || (end < width && IsBreak(rest[end]))) {
      lines.emplace_back(TrimRight(rest.substr(0, end)));
      at += end;
      continue;
    }
    // 80 characters without a break: a line of exactly 80 when a space or
    // break follows, else up to the last space before the 80th character.
    if (IsBreak(rest[width]) || rest[width] == ' ') {
      lines.emplace_back(rest.substr(0, width));
      at += width;
      continue;
    }
    const std::size_t space = rest.substr(0, width).rfind(' ');
    if (space != std::string_view::npos && space > 0) {
      lines.emplace_back(TrimRight(rest.substr(0, space)));
      at += space;
      continue;
    }
    lines.emplace_back(std::string(rest.substr(0, width)) + "-");
    at += width;
  }
  return lines;
}

std::string RtfEscape(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (c == '{' || c == '}') {
      out += '\\';
      out += c;
    } else if (c == '\t') {
      out += "\\tab ";
    } else if (c == '\\' || u < 0x20 || u >= 0x7F) {
      out += "\\'";
      out += kHex[u >> 4];
      out += kHex[u & 15];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace dv
