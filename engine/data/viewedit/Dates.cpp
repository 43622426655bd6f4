#include "data/viewedit/Dates.h"

#include <cstdlib>
#include <vector>

namespace dv::viewedit {

std::string_view MonthName(int month) {
  static constexpr const char* kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                            "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
  return month >= 1 && month <= 12 ? kMonths[month - 1] : std::string_view();
}

DateParts ParseDate(std::string_view text) {
  DateParts d;
  std::vector<std::string> words;
  std::string word;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (!word.empty()) words.push_back(word);
      word.clear();
    } else {
      word += static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
  }
  if (!word.empty()) words.push_back(word);
  std::size_t i = 0;
  static constexpr const char* kQualifiers[] = {"ABT", "AFT", "BEF", "CAL", "EST", "BET", "FROM"};
  if (i < words.size())
    for (const char* q : kQualifiers)
      if (words[i] == q) {
        d.qualifier = q;
        ++i;
        break;
      }
  auto digits = [](const std::string& w) {
    return !w.empty() && w.find_first_not_of("0123456789") == std::string::npos;
  };
  auto part = [&](int& day, int& month, std::string& year) {
    if (i + 1 < words.size() && digits(words[i]) && words[i].size() <= 2) {
      for (int m = 1; m <= 12; ++m)
        if (words[i + 1] == MonthName(m)) {
          day = std::atoi(words[i].c_str());
          ++i;
          break;
        }
    }
    if (i < words.size())
      for (int m = 1; m <= 12; ++m)
        if (words[i] == MonthName(m)) {
          month = m;
          ++i;
          break;
        }
    if (i < words.size() && digits(words[i]) && words[i].size() <= 4) year = words[i++];
  };
  part(d.day, d.month, d.year);
  if (i < words.size() && (words[i] == "AND" || words[i] == "TO") &&
      (d.qualifier == "BET" || d.qualifier == "FROM")) {
    ++i;
    part(d.day2, d.month2, d.year2);
  }
  d.exact = i == words.size();
  return d;
}

std::string FormatDate(const DateParts& d) {
  std::string out;
  auto add = [&out](std::string_view w) {
    if (w.empty()) return;
    if (!out.empty()) out += ' ';
    out.append(w);
  };
  add(d.qualifier);
  if (d.day) add(std::to_string(d.day));
  add(MonthName(d.month));
  add(d.year);
  if ((d.qualifier == "BET" || d.qualifier == "FROM") && (d.day2 || d.month2 || !d.year2.empty())) {
    add(d.qualifier == "BET" ? "AND" : "TO");
    if (d.day2) add(std::to_string(d.day2));
    add(MonthName(d.month2));
    add(d.year2);
  }
  if (out == d.qualifier) return {};
  return out;
}

}  // namespace dv::viewedit
