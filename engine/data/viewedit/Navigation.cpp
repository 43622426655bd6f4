#include "data/viewedit/Navigation.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "data/Lists.h"

namespace dv::viewedit {

void History::Show(std::int32_t index) {
  if (index <= 0) return;
  limit_ = 0;
  entries_.resize(static_cast<std::size_t>(position_));
  if (!entries_.empty() && entries_.back() == index) return;
  if (static_cast<int>(entries_.size()) >= kCapacity - 1) {
    // The 100th entry: the older 50 go, the newer 50 move to the front.
    entries_.erase(entries_.begin(),
                   entries_.begin() + (static_cast<int>(entries_.size()) + 1 - kCapacity / 2));
  }
  entries_.push_back(index);
  position_ = static_cast<int>(entries_.size());
}

std::int32_t History::Back() {
  if (position_ < 2) return 0;
  if (!limit_) limit_ = position_;
  --position_;
  return Current();
}

std::int32_t History::Forward() {
  if (!CanForward()) return 0;
  ++position_;
  return Current();
}

void History::Forget(std::int32_t index) {
  std::vector<std::int32_t> kept;
  int position = 0, limit = 0;
  for (int i = 0; i < static_cast<int>(entries_.size()); ++i) {
    std::int32_t e = entries_[static_cast<std::size_t>(i)];
    // Dropping an entry may bring two equal ones together: keep one.
    if (e == index || (!kept.empty() && kept.back() == e)) {
    } else {
      kept.push_back(e);
    }
    if (i + 1 == position_) position = static_cast<int>(kept.size());
    if (i + 1 == limit_) limit = static_cast<int>(kept.size());
  }
  entries_ = std::move(kept);
  position_ = position;
  limit_ = limit > position_ ? limit : 0;
  entries_.resize(static_cast<std::size_t>(std::max(position_, limit_)));
}

void History::Clear() {
  entries_.clear();
  position_ = limit_ = 0;
}

void UnlinkedTable::Rebuild(const RecordStore& store) { positions_ = UnlinkedIndividuals(store); }

std::int32_t UnlinkedTable::Individual(const RecordStore& store, int row) const {
  if (row < 0 || row >= Count()) return 0;
  const auto& keys = store.Kind(kIndi).keys;
  std::size_t p = static_cast<std::size_t>(Position(row));
  return p < keys.size() ? keys[p].index : 0;
}

int UnlinkedTable::Search(const RecordStore& store, std::string_view field) const {
  std::string text = SearchText(field);
  const auto& keys = store.Kind(kIndi).keys;
  auto it = std::lower_bound(
      positions_.begin(), positions_.end(), text, [&keys](std::int32_t p, const std::string& t) {
        return static_cast<std::size_t>(p) < keys.size() &&
               std::strcmp(keys[static_cast<std::size_t>(p)].key, t.c_str()) < 0;
      });
  return static_cast<int>(it - positions_.begin());
}

}  // namespace dv::viewedit
