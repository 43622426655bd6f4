#include "common/StringTable.h"

#include <algorithm>
#include <array>

namespace dv {
namespace {

constexpr StringEntry kStrings[] = {
#define DV_STRING(id, text) {id, text},
#include "common/Strings.def"
#undef DV_STRING
};

constexpr bool IdsAscending() {
  for (std::size_t i = 1; i < std::size(kStrings); ++i)
    if (kStrings[i - 1].id >= kStrings[i].id) return false;
  return true;
}
static_assert(IdsAscending(), "Strings.def must list each id once, in ascending order");

}  // namespace

std::span<const StringEntry> AllStrings() { return kStrings; }

std::string_view StringText(int id) {
  auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                             [](const StringEntry& e, int v) { return e.id < v; });
  if (it == std::end(kStrings) || it->id != id) return {};
  return it->text;
}

std::string MessageText(int id, std::string_view suffix) {
  if (id < kFirstMessageId || id > kLastMessageId) id = kUndeterminedError;
  std::string text(StringText(id));
  text.append(suffix);
  return text;
}

std::string CEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace dv
