#pragma once
// The working tables of one Birth Brief run: the name table (one row per
// ancestor slot, slot s standing for Ahnentafel number s + 1) and the detail
// table (birth, death and occupation lines), with their texts already cut to
// the width of a chart column. The layout and the draw routine read only
// these tables, whatever filled them (the record store or a chart file).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "shell/Settings.h"

namespace dv {

// String ids of the Birth Brief.
inline constexpr int kMsgCannotGenerateChart = 26;  // "Cannot generate chart"
inline constexpr int kMsgErrorInData = 28;          // "Error in data"
inline constexpr int kMsgManualEditing = 37;        // "Manual editing required, ..." + name
inline constexpr int kMsgPaperTooSmall = 52;        // "Paper/printing area too small"

// The Birth Brief options (settings eparam slots 0-6 and dparam slot 39).
struct BirthBriefOptions {
  int generations = 8;  // 7 or 8
  bool allCapitals = false;
  bool addBirthDeath = true;  // "Add birth and death data"
  bool addOccupation = true;  // "Add occupation data"
  bool excludeGen12 = false;  // "Exclude from generations 1 and 2"
  bool excludeGen6 = false;   // "Exclude from generation 6"
  bool showAllLines = false;
  int width = 23;  // "Characters per generation", 20-31

  static BirthBriefOptions FromSettings(const Settings& s);
  // Generations forced to 7 or 8, width clamped to 20-31.
  BirthBriefOptions Normalised() const;
  int Slots() const { return generations == 7 ? 127 : 255; }
};

inline constexpr int kNameRows = 255;
inline constexpr int kNameTextSize = 52;  // bytes with the NUL
inline constexpr int kDetailRows = 160;
inline constexpr int kDetailTextSize = 56;
inline constexpr int kDetailSlots = 63;      // slots 0-62 have birth and death lines
inline constexpr int kOccupationSlots = 31;  // slots 0-30 have an occupation line
inline constexpr int kDeathRowBase = 64;
inline constexpr int kOccupationRowBase = 128;

// One row of the name table: the shown name (beginning with one space) and
// the reference to the person (0 = position unknown, row empty).
struct NameRow {
  std::array<char, kNameTextSize> text{};
  std::int32_t ref = 0;
};

class BirthBriefTables {
 public:
  std::string_view Name(int slot) const;
  std::int32_t Ref(int slot) const;
  // Stores text cut to 51 characters. Slots outside 0-254 are ignored.
  void SetName(int slot, std::string_view text);
  void SetRef(int slot, std::int32_t ref);

  std::string_view Detail(int row) const;
  void SetDetail(int row, std::string_view text);  // cut to 55 characters

  // The detail rows of a slot (empty for slots that have none).
  std::string_view Birth(int slot) const;
  std::string_view Death(int slot) const;
  std::string_view Occupation(int slot) const;

  // Upper-cases every name and detail text ("All capitals").
  void UpperCaseAll();
  void Clear();

 private:
  std::array<NameRow, kNameRows> names_{};
  std::array<std::array<char, kDetailTextSize>, kDetailRows> details_{};
};

// The detail or marriage line of an event: kind letter 'b', 'c', 'd' or 'm',
// the place (only its first component is kept) and the year, fitted to the
// column width: "b Cheltenham,1850", "d 1901", "London,1822".
std::string EventLine(char kind, std::string_view place, std::string_view year, int width);

// Fits a name text (a space and the name) to the column width with FitName's
// given-names-first form; false when no shortening fits.
bool ShortenChartName(std::string_view text, int width, std::string& out);

// Upper-cases letters of code page 1252 (a-z and the accented small letters).
void UpperCase1252(std::string& text);

}  // namespace dv
