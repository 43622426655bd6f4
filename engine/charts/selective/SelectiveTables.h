#pragma once
// The working tables of one Selective Tree run: the selection of ancestors,
// the descent grid (6 tracks by 36 generation slots), the family groups, the
// children and the cousin pairs, with their texts already cut to the chart's
// widths. The gathering fills them, the cousin step rearranges the grid, and
// the layout reads them (and writes its own fields of the groups).

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Settings.h"

namespace dv {

// String ids of the Selective Tree.
inline constexpr int kMsgNoMemory = 1;            // "Cannot allocate memory"
inline constexpr int kMsgReferenceNotFound = 10;  // + the id
inline constexpr int kMsgTooManyChildrenInFamily = 11;
inline constexpr int kMsgCannotGenerateTree = 12;
inline constexpr int kMsgTooManyChildren = 14;
inline constexpr int kMsgTooManyFamilies = 15;
inline constexpr int kMsgTooManyCousins = 16;
inline constexpr int kMsgReorder = 17;
inline constexpr int kMsgExclude = 19;
inline constexpr int kMsgReformat = 20;
inline constexpr int kMsgTooManyLines = 27;  // question + the numbers left out
inline constexpr int kMsgDataError = 28;     // "Error in data" (also a question)
inline constexpr int kMsgCorrelation = 30;   // "Data correlation error" (also a question)
inline constexpr int kMsgRowTooWide = 31;
inline constexpr int kMsgLinksMismatch = 32;
inline constexpr int kMsgTooManyGenerations = 33;  // + " %d " + text of 50
inline constexpr int kMsgFormatLinks = 34;
inline constexpr int kMsgWidthOverrun = 35;
inline constexpr int kMsgVerticalFormat = 36;
inline constexpr int kMsgGenerationsExcluded = 50;
inline constexpr int kMsgTooManyRemarriages = 58;
inline constexpr int kMsgGroupsOverlap = 59;
inline constexpr int kMsgNoPaper = 90;
// The program's own: the display list would pass its 2,000 items, or the
// page holds not even one generation.
inline constexpr int kMsgTooManyItems = 188;
inline constexpr int kMsgNoGenerationLeft = 189;

// Capacities of the tables.
inline constexpr int kTracks = 6;
inline constexpr int kGridSlots = 36;
inline constexpr int kLineSlots = 32;       // slots 0-31: families on lines of descent
inline constexpr int kRemarriageSlot = 32;  // slots 32-35: other marriages
inline constexpr int kRemarriagePlaces = 24;
inline constexpr int kGroupCapacity = 100;  // index 0 unused
inline constexpr int kChildCapacity = 600;  // index 0 unused
inline constexpr int kGroupChildren = 25;
inline constexpr int kCousinPairCapacity = 20;
inline constexpr int kSelectionCapacity = 32;
inline constexpr int kAncestorsChosen = 18;  // the Ancestors dialog's limit
inline constexpr int kGatherWidth = 29;      // column width while gathering
inline constexpr int kItemCapacity = 2000;   // 40,000 bytes of 20-byte items

// The Selective Tree options (settings dparam slots 0-14).
struct SelectiveOptions {
  bool birthMarriage = true;         // "Include birth and marriage data"
  bool noSiblings = false;           // "No siblings"
  bool allSurnames = false;          // "Show all surnames at marriage"
  bool allFirstNames = false;        // "Show all first names"
  bool marriageByEquals = false;     // "Show marriage by '='"
  bool topSurnameCapitals = true;    // "Show top surnames in capitals "
  bool forceFolding = false;         // "Force folding of family groups"
  bool noStraightening = false;      // "No straightening"
  bool manualFormat = false;         // "Manual formatting (horizontal)"
  bool boxes = false;                // "Enclose family groups in boxes"
  bool boxesAndNumbers = false;      // "Add boxes and reference numbers"
  bool suppressRemarriages = false;  // "Suppress remarriages"
  bool compressVertical = false;     // "Compress vertical spacing"
  bool numberChildren = false;       // "Number children"
  bool allCapitals = false;          // "All capitals"

  static constexpr int kCount = 15;
  bool& operator[](int i);
  bool operator[](int i) const;
  static SelectiveOptions FromSettings(const Settings& s);
  void StoreIn(Settings& s) const;
};

// The kebab-case names of the options in slot order (for the command line).
const std::array<const char*, SelectiveOptions::kCount>& SelectiveOptionNames();

// One cell of the descent grid.
struct GridCell {
  std::int32_t key = 0;    // family key (Ahnentafel number of its child), 0 none
  std::int32_t ref = 0;    // individual id in the start cell, family id elsewhere
  std::int16_t group = 0;  // family group built for it, 0 none
};

// One family group. The gathered fields come first, then the layout's.
struct FamilyGroup {
  std::array<char, 12> keyText{};
  std::array<char, 44> husband{};  // at most 40 characters
  std::array<char, 44> wife{};
  std::array<std::uint16_t, kGroupChildren> children{};  // child table indices, 0 ends
  std::uint16_t spouseOrder = 0;                         // 1: the wife is the first name
  // Layout fields (columns relative to the group's left edge).
  std::int16_t marriageColumn = 0, width = 0, childrenColumn = 0, coupleColumn = 0, fold = 0;
  std::int32_t left = 0;
  // Link points: connection, first and last line-continuing child, middle of
  // the first and second name, link numbers at the top and the bottom.
  std::array<std::int16_t, 8> links{};
  std::array<char, 32> marriage{};  // "(" event line ")"
  std::array<std::int32_t, 2> nameWidth{};
  std::uint16_t husbandMarriage = 0, wifeMarriage = 0;
  std::uint16_t husbandOther = 0, wifeOther = 0;
  // The records behind the group (for listings and the links).
  std::int32_t key = 0, family = 0, husbandId = 0, wifeId = 0;
  int slot = 0;  // the grid slot it was gathered in
  // The prepared names as the layout shows them (the gathered names stay as
  // gathered, so a second layout prepares them afresh).
  std::string first, second, marriageShown;
};

enum LinkPoint : int {
  kLinkConnection = 0,
  kLinkFirstChild = 1,
  kLinkLastChild = 2,
  kLinkFirstName = 3,
  kLinkSecondName = 4,
  kLinkNumberTop = 5,
  kLinkNumberBottom = 6,
};

struct ChildRecord {
  std::array<char, 40> given{};  // at most 30 characters
  std::array<char, 8> year{};    // at most 4 digits
  std::int16_t width = 0;        // layout: measured width
  std::int32_t mark = 0;         // walk: track + 1 of the family it heads; layout: 1, 2, 3
  std::int32_t individual = 0;   // the child's id
  std::int32_t linkNumber = 0;   // layout: number of a crossing link, 0 none
  // Layout: the child's column relative to its group's left edge (its
  // text's first column, or the column of its link), its row (0, or 1 for
  // the second row of a folded group), the group it heads in the slot below
  // (-1 the base individual, 0 none) and the arrival column there.
  std::int16_t column = 0;
  std::int16_t row = 0;
  std::int32_t target = 0;
  std::int32_t arrival = 0;
};

struct CousinPair {
  std::int32_t first = 0, second = 0;
};

// Bounded copy into a fixed field (cut to its size less the NUL).
template <std::size_t N>
void SetField(std::array<char, N>& field, std::string_view text) {
  field.fill('\0');
  const std::size_t n = text.size() < N - 1 ? text.size() : N - 1;
  for (std::size_t i = 0; i < n; ++i) field[i] = text[i];
}

template <std::size_t N>
std::string_view FieldText(const std::array<char, N>& field) {
  std::size_t n = 0;
  while (n < N && field[n] != '\0') ++n;
  return std::string_view(field.data(), n);
}

// Everything one run works on. The group and child tables are the run's
// blocks; the grid, the selection and the cousin pairs are cleared by each
// gathering.
struct SelectiveTables {
  std::vector<std::int32_t> selection;  // Ahnentafel numbers in the order chosen
  std::array<std::array<GridCell, kGridSlots>, kTracks> grid{};
  int startSlot = 0;
  std::int32_t baseNumber = 1;  // the Ahnentafel number of the chart's bottom family
  std::int32_t baseId = 0;
  std::string baseName;
  std::vector<FamilyGroup> groups = std::vector<FamilyGroup>(kGroupCapacity);
  std::vector<ChildRecord> children = std::vector<ChildRecord>(kChildCapacity);
  int groupCount = 0;  // groups in use (indices 1 to groupCount)
  int childCount = 0;
  std::vector<CousinPair> cousins;

  GridCell& Cell(int track, int slot) { return grid[track][slot]; }
  const GridCell& Cell(int track, int slot) const { return grid[track][slot]; }
  // The slot and track of the first cell at or above from holding key; false when none.
  bool Find(std::int32_t key, int from, int& track, int& slot) const;
  // Groups of a slot in track order (after compaction: tracks 0, 1, ...).
  std::vector<int> GroupsOf(int slot) const;
};

// Questions and messages of a run: show tells the user (id, added text);
// ask asks with OK and Cancel and returns true for OK.
struct SelectivePrompter {
  std::function<void(int id, const std::string& suffix)> show;
  std::function<bool(int id, const std::string& suffix)> ask;
  void Show(int id, const std::string& suffix = {}) const {
    if (show) show(id, suffix);
  }
  bool Ask(int id, const std::string& suffix = {}) const { return ask ? ask(id, suffix) : true; }
};

// The number of bits of a positive number (the halvings that bring it to 0).
int BitLength(std::int32_t n);
// Whether n can be a selected ancestor (2 to 2^31 - 1).
bool ValidAncestorNumber(std::int64_t n);

}  // namespace dv
