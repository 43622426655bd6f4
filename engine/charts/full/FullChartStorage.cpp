#include "charts/full/FullChartStorage.h"

#include <new>

namespace dv {

bool FullChartStorage::Allocate(std::int32_t individualCount, std::int32_t familyCount) {
  Release();
  try {
    ancestral.reserve(kPlacementCapacity + 1);
    descendant.reserve(kPlacementCapacity + 1);
    ancestralLinks.reserve(kLinkCapacity);
    descendantLinks.reserve(kLinkCapacity);
    ancestral.emplace_back();
    descendant.emplace_back();
    ancestralLinks.emplace_back();
    descendantLinks.emplace_back();
    placeholders.emplace_back();
    families.resize(std::size_t(familyCount < 0 ? 0 : familyCount) + 1);
    individuals.resize(std::size_t(individualCount < 0 ? 0 : individualCount) + 1);
  } catch (const std::bad_alloc&) {
    Release();
    return false;
  }
  return true;
}

void FullChartStorage::Release() {
  ancestral = {};
  descendant = {};
  ancestralLinks = {};
  descendantLinks = {};
  placeholders = {};
  families = {};
  individuals = {};
  rows = {};
  for (auto& r : rowGroups) r = {};
  highest = lowest = 0;
  baseIndex = 0;
  baseName.clear();
  foldedFamilies = 0;
  items = {};
  texts = {};
  textRoom = {};
  chainRooms = {};
  chainGap = 1;
}

int FullChartStorage::RowOf(int generation) const {
  const int r = generation - lowest + 1;
  return r >= 1 && r < kGenerationRows ? r : 0;
}

GenerationRow* FullChartStorage::Row(int generation) {
  return generation >= 1 && generation < kGenerationRows && RowOf(generation) != 0
             ? &rows[std::size_t(generation)]
             : nullptr;
}

Placeholder* FullChartStorage::PlaceholderOf(std::int32_t number) {
  const std::int64_t n = -std::int64_t(number);
  return n >= 1 && n < std::int64_t(placeholders.size()) ? &placeholders[std::size_t(n)] : nullptr;
}

const Placeholder* FullChartStorage::PlaceholderOf(std::int32_t number) const {
  const std::int64_t n = -std::int64_t(number);
  return n >= 1 && n < std::int64_t(placeholders.size()) ? &placeholders[std::size_t(n)] : nullptr;
}

}  // namespace dv
