#pragma once
// The boxes of the BoxChart: each family a column of text lines (the
// first spouse, the marriage, the second spouse, the children) with the
// data the Boxchart options choose, framed or filled with the family's
// colour. Lines of descent leave from points on a box's bottom edge and
// reach its top edge; rows, pages and composition are the Tree's.

#include <cstdint>
#include <string>
#include <vector>

#include "charts/full/FullChartLayout.h"

namespace dv {

class RecordStore;

// The lines of a family's box, top to bottom, each cut to 63 characters.
// secondSpouse receives the index of the second spouse's name line.
std::vector<std::string> BoxLines(const RecordStore& store, const FullChartStorage& s,
                                  const FullChartOptions& options, std::int32_t family,
                                  int* secondSpouse = nullptr);

// A child's short line: the first names, then " b1820, d1890" from the
// years that end the birth and death dates (the birth letter as recorded).
std::string ShortChildLine(const RecordStore& store, std::int32_t child);

class BoxStyle final : public FullChartStyle {
 public:
  BoxStyle(const RecordStore& store, const FullChartOptions& options, FullChartStorage& s)
      : store_(store), options_(options), s_(s) {}
  int Format(std::int32_t family) override;
  // The box's lines and its bottom edge.
  int Height(std::int32_t family) const override;
  bool HasChildrenLine(std::int32_t family) const override;
  ChildPlace Child(std::int32_t family, int child) const override;
  int Connection(std::int32_t family, int side) const override;
  int Compose(std::int32_t family, int line) override;
  // Two families that share a spouse: the marriages of one person.
  bool Chained(std::int32_t left, std::int32_t right) const override;

 private:
  const RecordStore& store_;
  const FullChartOptions& options_;
  FullChartStorage& s_;
};

}  // namespace dv
