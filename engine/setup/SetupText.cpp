#include "setup/SetupText.h"

#include <algorithm>
#include <iterator>

namespace dv::setup {
namespace {

constexpr StringEntry kSetupStrings[] = {
#define DV_SETUP_STRING(id, text) {id, text},
#include "setup/SetupStrings.def"
#undef DV_SETUP_STRING
};

constexpr bool IdsAscending() {
  for (std::size_t i = 1; i < std::size(kSetupStrings); ++i)
    if (kSetupStrings[i - 1].id >= kSetupStrings[i].id) return false;
  return true;
}
static_assert(IdsAscending(), "SetupStrings.def must list each id once, in ascending order");

}  // namespace

std::span<const StringEntry> AllSetupStrings() { return kSetupStrings; }

std::string_view SetupText(int id) {
  auto it = std::lower_bound(std::begin(kSetupStrings), std::end(kSetupStrings), id,
                             [](const StringEntry& e, int v) { return e.id < v; });
  if (it == std::end(kSetupStrings) || it->id != id) return {};
  return it->text;
}

}  // namespace dv::setup
