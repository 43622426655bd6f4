#include "charts/selective/SelectiveTables.h"

namespace dv {

namespace {

// The option fields in settings slot order.
constexpr bool SelectiveOptions::*kFields[SelectiveOptions::kCount] = {
    &SelectiveOptions::birthMarriage,    &SelectiveOptions::noSiblings,
    &SelectiveOptions::allSurnames,      &SelectiveOptions::allFirstNames,
    &SelectiveOptions::marriageByEquals, &SelectiveOptions::topSurnameCapitals,
    &SelectiveOptions::forceFolding,     &SelectiveOptions::noStraightening,
    &SelectiveOptions::manualFormat,     &SelectiveOptions::boxes,
    &SelectiveOptions::boxesAndNumbers,  &SelectiveOptions::suppressRemarriages,
    &SelectiveOptions::compressVertical, &SelectiveOptions::numberChildren,
    &SelectiveOptions::allCapitals,
};

}  // namespace

bool& SelectiveOptions::operator[](int i) { return this->*kFields[i]; }
bool SelectiveOptions::operator[](int i) const { return this->*kFields[i]; }

SelectiveOptions SelectiveOptions::FromSettings(const Settings& s) {
  SelectiveOptions o;
  for (int i = 0; i < kCount; ++i) o[i] = s.dparam[i] != 0;
  return o;
}

void SelectiveOptions::StoreIn(Settings& s) const {
  for (int i = 0; i < kCount; ++i) s.dparam[i] = (*this)[i] ? 1 : 0;
}

const std::array<const char*, SelectiveOptions::kCount>& SelectiveOptionNames() {
  static const std::array<const char*, SelectiveOptions::kCount> names = {
      "birth-marriage",     "no-siblings",     "all-surnames",      "all-first-names",
      "marriage-by-equals", "top-capitals",    "force-folding",     "no-straightening",
      "manual-format",      "boxes",           "boxes-and-numbers", "suppress-remarriages",
      "compress-vertical",  "number-children", "all-capitals",
  };
  return names;
}

bool SelectiveTables::Find(std::int32_t key, int from, int& track, int& slot) const {
  if (key == 0) return false;
  for (int s = from < 0 ? 0 : from; s < kGridSlots; ++s)
    for (int t = 0; t < kTracks; ++t)
      if (grid[t][s].key == key) {
        track = t;
        slot = s;
        return true;
      }
  return false;
}

std::vector<int> SelectiveTables::GroupsOf(int slot) const {
  std::vector<int> out;
  if (slot < 0 || slot >= kGridSlots) return out;
  for (int t = 0; t < kTracks; ++t) {
    const GridCell& c = grid[t][slot];
    if (c.key != 0 && c.group > 0 && c.group <= groupCount) out.push_back(c.group);
  }
  return out;
}

int BitLength(std::int32_t n) {
  int k = 0;
  for (std::uint32_t u = n > 0 ? std::uint32_t(n) : 0u; u != 0; u >>= 1) ++k;
  return k;
}

bool ValidAncestorNumber(std::int64_t n) { return n >= 2 && n <= 0x7FFFFFFF; }

}  // namespace dv
