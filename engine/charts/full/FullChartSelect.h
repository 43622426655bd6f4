#pragma once
// Which families stand in a full chart, in which generation and in which
// order: the ancestral pass up from the start family, link placeholders for
// a family reached again in another generation, the descendant pass down
// from every placed family, and (Tree only) the folding of childless
// families into their parents' group.

#include <cstdint>
#include <string>

#include "charts/full/FullChartStorage.h"

namespace dv {

class RecordStore;

// The work-list capacity for n individuals: 200 below 100, 2n up to 999,
// 2000 up to 1999, n from 2000.
int WorkListCapacity(std::int32_t individuals);

// The colour that follows c (16 is followed by 1).
int NextColour(int c);

// Fills the placement lists, the descent links, the placeholders, the rows
// (groups ordered left to right), the colours and the highest and lowest
// generation for the base individual's index. storage must be allocated for
// the store. Returns the messages of a failure ("Aborted in layout" first).
ChartStatus SelectFamilies(const RecordStore& store, std::int32_t baseIndex,
                           const FullChartOptions& options, FullChartStorage& storage);

// One line per family group placed, top row first, left to right:
// generation, position, family, husband and wife cross-references (tabs).
std::string FamiliesListing(const RecordStore& store, const FullChartStorage& storage);

}  // namespace dv
