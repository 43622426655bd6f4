#pragma once
// Fills the Birth Brief tables from the record store: the base individual in
// slot 0 and each ancestor in its Ahnentafel slot, with names and detail
// lines cut to the column width.

#include <cstdint>
#include <string>

#include "charts/selective/BirthBriefTables.h"

namespace dv {

class RecordStore;

// The outcome of a gathering: status 0, or the failing string id. When it
// fails, message (with suffix behind its text) is what the user must be
// told first; the caller shows it, then its own message.
struct GatherResult {
  int status = 0;
  int message = 0;
  std::string suffix;
};

// Gathers from the store for the base individual's index (0 = none set).
// The tables are cleared first.
GatherResult GatherBirthBrief(const RecordStore& store, std::int32_t baseIndex,
                              const BirthBriefOptions& options, BirthBriefTables& tables);

}  // namespace dv
