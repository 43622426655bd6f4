#pragma once
// The Birth Brief layout: every name, detail line, connector and vertical
// segment of the chart as an item of a display list, positioned by
// generation index (a column) and line, and the chart's extent in cells.

#include <cstdint>
#include <string>
#include <vector>

#include "charts/selective/BirthBriefTables.h"

namespace dv {

inline constexpr int kBirthBriefMaxItems = 1350;  // 27,000 bytes of 20-byte items
inline constexpr int kConnectingColumn = 8;       // generation index of the 8-generation link

enum BirthBriefKind : std::int16_t { kItemText = 1, kItemConnector = 2, kItemVertical = 3 };
enum BirthBriefConnector : std::int16_t { kTowardsSiblings = 1, kTowardsParents = 2 };

struct BirthBriefItem {
  std::int32_t generation = 0;  // 0 = base ... 7, or 8 for the connecting column
  std::int16_t line = 0;
  std::int16_t kind = 0;  // BirthBriefKind
  // Text: s >= 0 name row s; -1 - s birth of s; -101 - s death of s;
  // -201 - s occupation of s. Connector: BirthBriefConnector.
  std::int16_t source = 0;
};

// The page geometry the layout and drawing read, in cells.
struct BirthBriefPage {
  int pageColumns = 0;
  int pageLines = 0;
  int marginTop = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  int marginRight = 0;
};

struct BirthBriefExtent {
  int chartColumns = 0;
  int chartLines = 0;
  int usableColumns = 0;
  int usableLines = 0;
};

// The generation index of a slot (0 for slot 0, 1 for slots 1-2, ...).
int GenerationOf(int slot);
// First line and step of the slots of generation index g.
int FirstLineOf(int g, int generations);
int LineStepOf(int g, int generations);
// Step number m of generation index g (columns move (W - 20) m to the right).
int ColumnStepOf(int g, int generations);
// Table columns for W = 20.
int TextColumnOf(int g, int generations);
int LineColumnOf(int g, int generations);

// Whether slot s is drawn: "Show all lines", a name, or one of the first
// three generations.
bool SlotVisible(const BirthBriefTables& tables, const BirthBriefOptions& options, int slot);

// Builds the display list, sorted by line, kind and generation: 0, or 26
// should the list outgrow its 1,350 items.
int LayoutBirthBrief(const BirthBriefTables& tables, const BirthBriefOptions& options,
                     std::vector<BirthBriefItem>& items);

// The chart's extent for a page.
BirthBriefExtent BirthBriefExtentFor(const BirthBriefPage& page);

// The display list as text, one item a line: generation, line, kind, source
// (and the text the source names). Used by tests and dumps.
std::string FormatBirthBriefList(const std::vector<BirthBriefItem>& items,
                                 const BirthBriefTables& tables);

// The text an item's source names (empty for rules).
std::string_view ItemText(const BirthBriefTables& tables, const BirthBriefItem& item);

}  // namespace dv
