#pragma once
// The people a report lists, in the order it lists them: every individual
// (alphabetic or database order), or the descendants or ancestors of a base
// individual breadth first, each once, with their generation. The per-report
// marks (sequence number, generation, listed) live in the list itself, so
// they are gone with it whichever way the report ends.

#include <cstdint>
#include <vector>

namespace dv {

class RecordStore;

// What the writer lists: report type 0 in either listing order, or type 1
// and 2 (descendants, ancestors).
enum ReportKind : int {
  kReportAlphabetic = 0,
  kReportDatabase = 1,
  kReportDescendants = 2,
  kReportAncestors = 3,
};

// Report types of the Reports menu (command id minus the first report command).
enum ReportType : int { kReportAll = 0, kReportTypeDescendants = 1, kReportTypeAncestors = 2 };

// The writer's kind for a report type and the listing order (0 alphabetic,
// 1 database order) of the All Individuals report.
ReportKind ReportKindOf(int reportType, int listingOrder);

inline constexpr int kReportListCapacity = 30000;
inline constexpr int kMaxReportGeneration = 99;  // later generations get no subheading

struct ReportEntry {
  std::int32_t individual = 0;  // individual index
  std::int32_t generation = 0;  // 1 for the base individual; 0 in the lists of all individuals
};

class ReportList {
 public:
  const std::vector<ReportEntry>& Entries() const { return entries_; }
  std::int32_t Size() const { return static_cast<std::int32_t>(entries_.size()); }
  // Whether the list stopped at its capacity.
  bool Full() const { return full_; }
  // The position (from 1) of an individual in the list, 0 when not listed.
  std::int32_t SequenceOf(std::int32_t individual) const;
  bool Listed(std::int32_t individual) const { return SequenceOf(individual) > 0; }

  // Appends an individual not yet listed: false when it was listed already
  // or the list is full.
  bool Append(std::int32_t individual, std::int32_t generation);
  void Reset(std::int32_t individualCount);

 private:
  std::vector<ReportEntry> entries_;
  std::vector<std::int32_t> sequence_;  // by individual index
  bool full_ = false;
};

// Builds the list of a report: 0, or -1 when a descendants or ancestors
// report has no base individual in the store.
int BuildReportList(const RecordStore& store, ReportKind kind, std::int32_t base,
                    bool maleLinesOnly, ReportList& out);

}  // namespace dv
