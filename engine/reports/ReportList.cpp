#include "reports/ReportList.h"

#include <algorithm>

#include "data/RecordStore.h"

namespace dv {
namespace {

bool Exists(const RecordStore& store, std::int32_t index) {
  const IndividualSummary* person = index > 0 ? store.Individual(index) : nullptr;
  return person != nullptr && person->id != 0;
}

void ListAlphabetic(const RecordStore& store, ReportList& out) {
  const KindIndex& individuals = store.Kind(kIndi);
  const std::size_t count =
      std::min<std::size_t>(individuals.keys.size(), individuals.count > 0 ? individuals.count : 0);
  for (std::size_t k = 0; k < count && !out.Full(); ++k)
    if (Exists(store, individuals.keys[k].index)) out.Append(individuals.keys[k].index, 0);
}

// Index order; slots of deleted records (id 0) are not people.
void ListDatabase(const RecordStore& store, ReportList& out) {
  for (std::int32_t i = 1; i <= store.IndividualCount() && !out.Full(); ++i)
    if (Exists(store, i)) out.Append(i, 0);
}

// Breadth first: the father and then the mother of each listed person's
// parents' family. A person reached along two lines keeps the first place.
void ListAncestors(const RecordStore& store, std::int32_t base, ReportList& out) {
  out.Append(base, 1);
  for (std::size_t next = 0; next < out.Entries().size() && !out.Full(); ++next) {
    const ReportEntry entry = out.Entries()[next];
    const IndividualSummary* person = store.Individual(entry.individual);
    const FamilySummary* parents = person ? store.Family(person->parentFamily) : nullptr;
    if (parents == nullptr || parents->id == 0) continue;
    for (std::int32_t parent : {parents->husband, parents->wife})
      if (Exists(store, parent)) out.Append(parent, entry.generation + 1);
  }
}

// Breadth first: every child of every family of each listed person, in the
// order of the person's families. With male lines only, a woman is listed
// but her children are not followed.
void ListDescendants(const RecordStore& store, std::int32_t base, bool maleLinesOnly,
                     ReportList& out) {
  out.Append(base, 1);
  for (std::size_t next = 0; next < out.Entries().size() && !out.Full(); ++next) {
    const ReportEntry entry = out.Entries()[next];
    const IndividualSummary* person = store.Individual(entry.individual);
    if (person == nullptr || (maleLinesOnly && person->sex == 0)) continue;
    for (std::int32_t f : store.FamiliesOf(entry.individual)) {
      const FamilySummary* family = store.Family(f);
      if (family == nullptr || family->id == 0) continue;
      for (std::int32_t child : family->children)
        if (Exists(store, child)) out.Append(child, entry.generation + 1);
    }
  }
}

}  // namespace

ReportKind ReportKindOf(int reportType, int listingOrder) {
  if (reportType == kReportTypeDescendants) return kReportDescendants;
  if (reportType == kReportTypeAncestors) return kReportAncestors;
  return listingOrder == 1 ? kReportDatabase : kReportAlphabetic;
}

std::int32_t ReportList::SequenceOf(std::int32_t individual) const {
  if (individual <= 0 || individual >= static_cast<std::int32_t>(sequence_.size())) return 0;
  return sequence_[individual];
}

bool ReportList::Append(std::int32_t individual, std::int32_t generation) {
  if (individual <= 0 || individual >= static_cast<std::int32_t>(sequence_.size())) return false;
  if (sequence_[individual] != 0) return false;
  if (static_cast<int>(entries_.size()) >= kReportListCapacity) {
    full_ = true;
    return false;
  }
  entries_.push_back({individual, generation});
  sequence_[individual] = static_cast<std::int32_t>(entries_.size());
  if (static_cast<int>(entries_.size()) >= kReportListCapacity) full_ = true;
  return true;
}

void ReportList::Reset(std::int32_t individualCount) {
  entries_.clear();
  sequence_.assign(static_cast<std::size_t>(std::max(individualCount, 0)) + 1, 0);
  full_ = false;
}

int BuildReportList(const RecordStore& store, ReportKind kind, std::int32_t base,
                    bool maleLinesOnly, ReportList& out) {
  out.Reset(store.IndividualCount());
  switch (kind) {
    case kReportAlphabetic:
      ListAlphabetic(store, out);
      return 0;
    case kReportDatabase:
      ListDatabase(store, out);
      return 0;
    case kReportDescendants:
    case kReportAncestors:
      if (!Exists(store, base)) return -1;
      if (kind == kReportDescendants)
        ListDescendants(store, base, maleLinesOnly, out);
      else
        ListAncestors(store, base, out);
      return 0;
  }
  return -1;
}

}  // namespace dv
