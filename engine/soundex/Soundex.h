#pragma once
// Soundex codes of names in two variants, and the Soundex list: every
// surname of the loaded data with both codes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dv {

class RecordStore;

// The two ways of coding (the calculator's setting, fparam slot 21).
enum SoundexVariant : int { kSoundexSimplified = 0, kSoundexAmerican = 1 };

inline constexpr int kSoundexCodeLength = 4;

// The 4-character code of a name: its first character and three digits,
// "0" filling a short code. The name is expected in capitals; each
// character is upper-cased before it is looked up. Characters that no
// group holds (spaces, apostrophes, digits, accented letters) are skipped.
// Each call returns its own string, so two codes can be kept side by side.
std::string SoundexCode(std::string_view name, SoundexVariant variant);

// The digit group of a character in a variant, -1 when it is in none.
int SoundexDigit(char c, SoundexVariant variant);

// Upper-cases a name the way the calculator does before coding it.
std::string SoundexCapitals(std::string_view name);

// The surname of a display name as the Soundex list shows it: the whole
// surname (the last word, each "_" back to a space) from its first letter,
// in capitals; empty when the name has no surname ("____" or no letter).
std::string SoundexSurname(std::string_view displayName);

// One row of the Soundex list.
struct SoundexRow {
  std::string surname;
  std::string simplified;  // code in the Simplified variant
  std::string american;    // code in the American / Miracode variant
};

// Columns of the Soundex list, in order.
enum SoundexColumn : int {
  kSoundexSurnameColumn = 0,
  kSoundexSimplifiedColumn = 1,
  kSoundexAmericanColumn = 2,
  kSoundexColumnCount = 3
};
inline constexpr int kSoundexColumnLabels[kSoundexColumnCount] = {345, 346, 347};
inline constexpr int kSoundexDefaultWidths[kSoundexColumnCount] = {160, 120, 120};
// Settings slots (lvparam) that keep the column widths.
inline constexpr int kSoundexWidthSlots[kSoundexColumnCount] = {36, 37, 38};

// One row per distinct surname of the individuals, in the order of the
// sorted individual key list; individuals without a surname are skipped.
std::vector<SoundexRow> SoundexList(const RecordStore& store);

// The text of one column of a row.
const std::string& SoundexCell(const SoundexRow& row, int column);

// Sorts rows by one column's text, ascending, as plain byte strings; rows
// with equal text keep their order.
void SortSoundexRows(std::vector<SoundexRow>& rows, int column);

}  // namespace dv
