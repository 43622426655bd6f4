#pragma once
// Names and years as the lists and charts show them.

#include <string>
#include <string_view>

namespace dv {

// The display form of a GEDCOM NAME value: surname between the slashes
// (its spaces as "_") after the given names, "____" for a missing part.
// "John /van Dyke/" gives "John van_Dyke".
std::string DisplayName(std::string_view nameValue);
// The same into out (its memory reused from call to call).
void DisplayName(std::string_view nameValue, std::string& out);

// Shortens a display name to width characters (width capped at 35):
// given names are cut to initials from the right, then dropped. Surname
// first puts the last word, upper-cased, in front. Given first fails (false)
// when even the shortest form is too wide; surname first then gives the
// last word alone.
bool FitName(std::string_view name, int width, bool surnameFirst, std::string& out);
std::string FitName(std::string_view name, int width, bool surnameFirst);

// The year at the end of a date text: "12 MAR 1850" gives "1850", a dual
// year "MAR 1750/51" gives "1750", fewer than 2 or more than 5 digits none.
std::string YearOf(std::string_view date);

}  // namespace dv
