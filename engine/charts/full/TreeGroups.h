#pragma once
// The family groups of the Tree: the couple line with its connector, the
// marriage text (or the spouses' birth years), the children line with a
// slot for every child whose line of descent drops to a group below, and
// the folding of long children lines onto two lines. Formatting fills the
// family's geometry fields; composing turns a placed group into display
// items.

#include <cstdint>
#include <string>

#include "charts/full/FullChartStorage.h"

namespace dv {

class RecordStore;
struct FamilySummary;

// Lines of a Tree group, counted from its couple line (the row's line).
inline constexpr int kTreeChildrenLine = 5;  // K = C + 5
inline constexpr int kTreeFoldStep = 5;      // the second children line is K + 5

// A person's name as the chart shows it: the display name with its
// underscores as spaces, "Unknown" for no one (index 0).
std::string ShownName(const RecordStore& store, std::int32_t individual);
// The first names of a child: the display name up to its last space.
std::string FirstNames(const RecordStore& store, std::int32_t individual);
// The marriage text "(" place ", " year ")" cut to 63 characters; empty when
// the family records neither.
std::string MarriageText(const FamilySummary& family);
// The child as written in a children line: the first names, or for a child
// whose childless marriage is shown here, the first names, the connector
// and the spouse's full name.
std::string ChildText(const RecordStore& store, const FullChartStorage& s, std::int32_t child,
                      bool equals);

// The spouse two chained families share (0 when they share none).
std::int32_t SharedSpouse(const FamilySummary& a, const FamilySummary& b);

// The couple's names as the group shows them, first and second. In a chain
// of marriages the shared spouse stands next to the neighbouring marriage
// (second in the chain's first group, first in the others) and carries the
// marriage's number: "1 John" on the right, "John 2" on the left, while
// the name is narrower than 39 characters.
struct CoupleNames {
  std::string first, second;
};
CoupleNames TreeCoupleNames(const RecordStore& store, const FullChartStorage& s,
                            std::int32_t family);

// Computes the geometry of the family's group (widths, offsets, children
// state, marriage text). Returns 0 or a message id.
int FormatTreeGroup(const RecordStore& store, const FullChartOptions& options, FullChartStorage& s,
                    std::int32_t family);

// The lines a formatted group takes from its couple line: 2 without
// children, 7 with, 12 folded.
int TreeGroupHeight(const FamilyWork& w);

// The column (absolute) and line offset of child i's slot or name centre:
// where a line of descent leaves the group.
struct ChildPlace {
  int column = 0;                      // centre column of the child (a slot: its line)
  int lineOffset = kTreeChildrenLine;  // K or K + 5 from the couple line
};
ChildPlace TreeChildPlace(const FamilyWork& w, int child);

// Appends the display items of a placed group (its couple line at line).
// Returns 0 or a message id.
int ComposeTreeGroup(const RecordStore& store, const FullChartOptions& options, FullChartStorage& s,
                     std::int32_t family, int line);

// Adds a text to the chart's text store and returns its index; room is the
// columns it must fit in with a proportional screen font (0: not measured).
std::int32_t StoreText(FullChartStorage& s, std::string text, int room = 0);

}  // namespace dv
