#pragma once
// Dates as the view/edit pages show them: a qualifier, day, month and year
// (and a second date after AND or TO), and the GEDCOM text built from them.

#include <string>
#include <string_view>

namespace dv::viewedit {

// Dates as the pages show them.
struct DateParts {
  std::string qualifier;   // "", "ABT", "AFT", "BEF", "CAL", "EST", "BET", "FROM"
  int day = 0, month = 0;  // 0 = none; month 1-12
  std::string year;
  int day2 = 0, month2 = 0;  // after "AND" or "TO"
  std::string year2;
  bool exact = true;  // false when the text holds more than these parts show
};
DateParts ParseDate(std::string_view text);
std::string FormatDate(const DateParts& parts);
// The month name of a number 1-12 ("JAN"), empty otherwise.
std::string_view MonthName(int month);

}  // namespace dv::viewedit
