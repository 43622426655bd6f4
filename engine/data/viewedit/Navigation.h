#pragma once
// The navigation state of the view/edit mode without any window: the two
// histories behind Back and Forward (individuals, families), and the list
// panel's table of unlinked individuals with its search.

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/RecordStore.h"

namespace dv::viewedit {

// A history of record indexes: 100 entries, a position and a forward limit.
class History {
 public:
  static constexpr int kCapacity = 100;

  // A record shown by any means but Back and Forward: appended after the
  // current position unless it equals the entry there; the forward limit
  // is cleared. Appending the 100th entry drops the older 50.
  void Show(std::int32_t index);
  // The record to show, or 0 when Back (Forward) does nothing.
  std::int32_t Back();
  std::int32_t Forward();
  bool CanBack() const { return position_ >= 2; }
  bool CanForward() const { return limit_ > position_; }
  // Takes a deleted record's every entry out; the position and the forward
  // limit move with the entries that stay.
  void Forget(std::int32_t index);
  void Clear();

  int Position() const { return position_; }  // 1-based; 0 when empty
  int Count() const { return static_cast<int>(entries_.size()); }
  std::int32_t Current() const {
    return position_ ? entries_[static_cast<std::size_t>(position_ - 1)] : 0;
  }
  const std::vector<std::int32_t>& Entries() const { return entries_; }

 private:
  std::vector<std::int32_t> entries_;
  int position_ = 0;
  int limit_ = 0;  // the end Forward walks to; 0 = none
};

// The unlinked individuals as key-list positions in key order, rebuilt
// after every store or deletion. Its entries are counted, never ended by a
// 0 (position 0 is the first key).
class UnlinkedTable {
 public:
  void Rebuild(const RecordStore& store);
  int Count() const { return static_cast<int>(positions_.size()); }
  bool Empty() const { return positions_.empty(); }
  // Key-list position of row i.
  std::int32_t Position(int row) const { return positions_[static_cast<std::size_t>(row)]; }
  // The individual index of row i.
  std::int32_t Individual(const RecordStore& store, int row) const;
  // The first row whose key does not sort before the search text
  // (upper-cased; empty counts as a single space); Count() when none.
  int Search(const RecordStore& store, std::string_view field) const;

 private:
  std::vector<std::int32_t> positions_;
};

}  // namespace dv::viewedit
