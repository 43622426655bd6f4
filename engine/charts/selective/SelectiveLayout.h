#pragma once
// The Selective Tree's layout and formatting: every family group placed in
// its generation row (folded when a row is too wide), straightened along the
// lines of descent, the rows spread over the page, and the whole chart
// written as a display list of texts and rules in cells of the chart font.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "charts/selective/SelectiveTables.h"

namespace dv {

enum SelectiveKind : std::int16_t { kTextItem = 1, kHorizontalItem = 2, kVerticalItem = 3 };

// One item of the display list. Columns and lines are without margins.
struct SelectiveItem {
  std::int32_t column = 0;
  std::int16_t line = 0;
  std::int16_t kind = 0;    // SelectiveKind
  std::int16_t length = 0;  // rules: columns or lines; text: 1 joining or marriage text
  std::string text;
};

// The page the chart is laid out on, in cells.
struct SelectivePage {
  int pageColumns = 0;
  int pageLines = 0;
  int marginTop = 0;
  int marginBottom = 0;
  int marginLeft = 0;
  int marginRight = 0;
};

struct SelectiveExtent {
  int chartColumns = 0;
  int chartLines = 0;
  int usableColumns = 0;
  int usableLines = 0;
};

// The chart's extent for a page: 0, or 90 when the page has no size.
int SelectiveExtentFor(const SelectivePage& page, SelectiveExtent& extent);

// A hand correction of one group's left column (the manual format).
struct ManualShift {
  std::int32_t key = 0;
  int shift = 0;
};

// What the layout found for each generation slot.
struct SlotLayout {
  int gap = 0;
  int groups = 0;
  bool folded = false;
  bool multi = false;  // a children row with names in it
  int linkNumbers = 0;
  int line = 0;
};

struct SelectiveLayoutResult {
  std::array<SlotLayout, kGridSlots> slots{};
  int endSlot = 0;  // the oldest slot on the chart
  int upperSpacing = 0;
  int lowerSpacing = 0;
  int usableColumns = 0;
  int baseWidth = 0;
};

// Lays the groups out: 0, -1 (cancelled at question 33/50) or the id shown.
// shifts (the manual format) are applied when not empty.
int LayoutSelectiveTree(SelectiveTables& tables, const SelectiveOptions& options,
                        const SelectiveExtent& extent, const std::vector<ManualShift>& shifts,
                        const SelectivePrompter& prompter, SelectiveLayoutResult& result);

// Writes the display list: 0 or the id shown (59, 34, 188).
int FormatSelectiveTree(const SelectiveTables& tables, const SelectiveOptions& options,
                        const SelectiveLayoutResult& layout, const SelectivePrompter& prompter,
                        std::vector<SelectiveItem>& items);

// The display list as text, one item a line: column, line, kind, length, text.
std::string FormatSelectiveList(const std::vector<SelectiveItem>& items);

}  // namespace dv
