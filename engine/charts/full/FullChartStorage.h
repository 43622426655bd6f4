#pragma once
// The storage of one full chart, allocated when a chart runs and released in
// one step: the placement lists, the descent-link tables, the placeholders,
// the work fields of every family and individual, the generation table, the
// rows (the groups of each generation from left to right) and the display
// items with their texts.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "charts/full/FullChartTypes.h"

namespace dv {

struct FullChartStorage {
  // Each list and table starts with its unused entry 0.
  std::vector<FamilyPlacement> ancestral;
  std::vector<FamilyPlacement> descendant;
  std::vector<DescentLink> ancestralLinks;
  std::vector<DescentLink> descendantLinks;
  std::vector<Placeholder> placeholders;  // placeholder n at entry n
  std::vector<FamilyWork> families;       // by family index
  std::vector<IndividualWork> individuals;
  // The generation table and the groups of each row from left to right
  // (family indexes, placeholder numbers negative), both indexed by the
  // generation number itself: generations stay within 201 - 199 and
  // 200 + 199, so the row index (generation - lowest + 1) always fits.
  std::array<GenerationRow, kGenerationRows> rows{};
  std::array<std::vector<std::int32_t>, kGenerationRows> rowGroups{};
  int highest = 0, lowest = 0;
  std::int32_t baseIndex = 0;
  std::string baseName;
  int foldedFamilies = 0;

  // The composed chart.
  std::vector<DisplayItem> items;
  std::vector<std::string> texts;
  // For each text, the columns it must fit in on a screen with a
  // proportional font (a box line: the box width less 1; a spouse's name in
  // a Tree group: its width in the couple line); 0 when not measured.
  std::vector<std::int32_t> textRoom;
  // Tree chains of marriages: the two neighbouring names of two chained
  // groups and the columns from the start of the left one to the end of
  // the right one; both, 6 columns apart, must fit in them.
  struct ChainRoom {
    std::string left, right;
    std::int32_t span = 0;
  };
  std::vector<ChainRoom> chainRooms;
  // Columns between the groups of a chain of marriages (the style's).
  std::int32_t chainGap = 1;

  // Sizes the work fields for the store's records and clears everything;
  // false when memory cannot be had.
  bool Allocate(std::int32_t individualCount, std::int32_t familyCount);
  void Release();
  bool allocated() const { return !families.empty(); }

  // The row index of a generation (generation - lowest + 1), 0 when outside 1..499.
  int RowOf(int generation) const;
  // The row of a generation, nullptr outside the table.
  GenerationRow* Row(int generation);

  Placeholder* PlaceholderOf(std::int32_t number);  // number < 0
  const Placeholder* PlaceholderOf(std::int32_t number) const;
  std::int32_t familyCount() const { return std::int32_t(families.size()) - 1; }
};

}  // namespace dv
