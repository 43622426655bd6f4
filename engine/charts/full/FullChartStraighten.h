#pragma once
// The straightening of a full chart's rows: whole groups move sideways so
// that the lines of descent drop as straight as they can, never closer than
// 2 columns to a neighbour and never changing the order of a row. Four
// passes: X tries spreading a row where two neighbouring lines of descent
// cross (kept only when that lowers the crossing penalty), A
// moves a row towards the child slots above it, B towards the connection
// points below it, and C steps each group to where the sum of its lines'
// offsets is least. Every move is weighed by the crossing penalty of the
// row pair it changes, kept up to date over the window the move touches.

#include <cstdint>
#include <vector>

#include "charts/full/FullChartLayout.h"

namespace dv {

// The crossing penalty of a row pair from the lower ends of its links,
// taken in the order of their upper ends: every run of k consecutive links
// whose lower ends stand in the reverse order adds 1 + 2 + ... + k.
long long CrossingPenalty(const std::vector<int>& lowerEnds);

// The crossing penalty of one row pair, updated over the window of links
// whose lower ends change instead of recounted over the whole row.
class PairPenalty {
 public:
  explicit PairPenalty(std::vector<int> lowerEnds);
  long long total() const { return total_; }
  // Sets the lower end of link i; several may be set before Commit.
  void Set(std::size_t i, int lowerEnd);
  // Recounts the runs that the links set since the last Commit touch and
  // returns the change of the penalty.
  long long Commit();

 private:
  long long RunsIn(std::size_t from, std::size_t to) const;  // pairs from..to
  std::vector<int> lower_;
  std::vector<std::uint8_t> reversed_;  // pair i: link i + 1 ends left of link i
  std::vector<std::size_t> pending_;
  std::vector<int> pendingValue_;
  long long total_ = 0;
};

// Straightens the rows after their first columns are given, then fits
// every row to the pages across (with page breaks) and checks that every
// row keeps its order and spacing. Returns the messages of a failure
// ("Aborted in xlpl" with "Error in lpc" when a link does not join two
// neighbouring rows, "Aborted in hpb/hlc" when the final check fails).
ChartStatus StraightenRows(const FullChartStyle& style, const FullChartPage& page,
                           int usableColumns, bool pageBreaks, FullChartStorage& s);

// Moves the groups of a row right where one straddles a page boundary
// across: such a group starts one column into the page of its right
// column, and the groups after it make room as far as their gaps need.
void FitRowToPagesAcross(FullChartStorage& s, int generation, int usableColumns);

}  // namespace dv
