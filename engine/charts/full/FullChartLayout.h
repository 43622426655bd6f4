#pragma once
// The rows and pages of a full chart, shared by the Tree and the BoxChart:
// the first columns of every group, the straightening of the lines of
// descent, the page boundaries across and down, the vertical placement,
// the removal of empty page columns and the chart's final size. A style
// (Tree groups, BoxChart boxes) supplies the groups' geometry.

#include <cstdint>

#include "charts/full/FullChartStorage.h"
#include "charts/full/TreeGroups.h"

namespace dv {

class RecordStore;

// Columns between two neighbouring groups of a row at least: 2; between
// the boxes of a chain of marriages 1, between the Tree groups of a chain
// 6 (the room the shared spouse's two names keep between them).
inline constexpr int kGroupGap = 2;
inline constexpr int kChainGap = 1;
inline constexpr int kTreeChainGap = 6;

// Whether two families share a spouse: two marriages of one person.
bool MarriagesOfOnePerson(const RecordStore& store, std::int32_t left, std::int32_t right);

// What the rows need to know of a chart style's groups.
class FullChartStyle {
 public:
  virtual ~FullChartStyle() = default;
  // Computes the family's group geometry (width, offsets); 0 or a message id.
  virtual int Format(std::int32_t family) = 0;
  // Lines the group takes from its row's line.
  virtual int Height(std::int32_t family) const = 0;
  virtual bool HasChildrenLine(std::int32_t family) const = 0;
  // Where child i's line of descent leaves the placed group (absolute column).
  virtual ChildPlace Child(std::int32_t family, int child) const = 0;
  // The column a line from above reaches: the husband's (side 0) or the
  // wife's (side 1) connection point.
  virtual int Connection(std::int32_t family, int side) const = 0;
  // Appends the group's display items, its top at line; 0 or a message id.
  virtual int Compose(std::int32_t family, int line) = 0;
  // Whether two neighbouring families of a row stand together as a chain
  // of one person's marriages.
  virtual bool Chained(std::int32_t /*left*/, std::int32_t /*right*/) const { return false; }
  // Columns between the groups of a chain.
  virtual int ChainGap() const { return kChainGap; }
};

// The Tree's groups.
class TreeStyle final : public FullChartStyle {
 public:
  TreeStyle(const RecordStore& store, const FullChartOptions& options, FullChartStorage& s)
      : store_(store), options_(options), s_(s) {}
  int Format(std::int32_t family) override;
  int Height(std::int32_t family) const override;
  bool HasChildrenLine(std::int32_t family) const override;
  ChildPlace Child(std::int32_t family, int child) const override;
  int Connection(std::int32_t family, int side) const override;
  int Compose(std::int32_t family, int line) override;
  // Two families that share a spouse: the marriages of one person.
  bool Chained(std::int32_t left, std::int32_t right) const override;
  int ChainGap() const override { return kTreeChainGap; }

 private:
  const RecordStore& store_;
  const FullChartOptions& options_;
  FullChartStorage& s_;
};

// The laid-out chart's size.
struct FullChartExtent {
  std::int32_t chartColumns = 10, chartLines = 10;
  std::int32_t workingWidth = 0;  // right edge of the widest row plus 2
  std::int32_t height = 0;        // lines of the rows, before the final margin
  std::int32_t usableColumns = kNoPageBreakSize, usableLines = kNoPageBreakSize;
  std::int16_t pagesAcross = 1, pagesDown = 1;
};

// Rounds of the straightening passes.
inline constexpr int kStraighteningRounds = 40;

// Columns between two neighbouring groups of a row: kGroupGap, or the
// chart's chain gap between two marriages of a chain.
int MinGap(const FullChartStorage& s, std::int32_t left, std::int32_t right);
bool ChainedTo(const FullChartStorage& s, std::int32_t left, std::int32_t right);

// The group's width and column (family index or placeholder number).
int GroupWidth(const FullChartStorage& s, std::int32_t id);
int GroupColumn(const FullChartStorage& s, std::int32_t id);
void SetGroupColumn(FullChartStorage& s, std::int32_t id, int column);

// The two ends of a descent link: columns, and the upper end's line offset
// from its row's line.
int UpperColumn(const FullChartStorage& s, const FullChartStyle& style, const DescentLink& l);
int LowerColumn(const FullChartStorage& s, const FullChartStyle& style, const DescentLink& l);

// Lays out the selected families: formats every group, gives the rows
// their columns, straightens, places the rows on lines and fits them to the
// pages. Returns the messages of a failure.
ChartStatus LayOutRows(FullChartStyle& style, const FullChartOptions& options,
                       const FullChartPage& page, FullChartStorage& s, FullChartExtent& extent);

}  // namespace dv
