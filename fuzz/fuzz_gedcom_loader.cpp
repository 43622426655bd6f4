// Fuzzes a whole load (parse, record scan, summaries, the after-load
// sequence and inline-source conversion), then walks every accessor the
// charts and lists use and writes the tree back out.

#include <cstddef>
#include <cstdint>
#include <string>

#include "data/DataSource.h"
#include "data/GedcomWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  dv::LoadOptions options;
  options.namesLast = data[0] & 1;
  options.combineSources = data[0] & 2;
  // Reused from input to input, as the program reuses its one store: a
  // load closes the previous data source and keeps the arena.
  static dv::RecordStore store;
  std::string summary;
  std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (dv::LoadDataSourceBytes(store, bytes, options, summary) != 0) {
    if (!store.Empty()) __builtin_trap();
    return 0;
  }
  for (std::int32_t i = 1; i <= store.IndividualCount(); ++i) {
    store.FamiliesOf(i, true);
    store.ParentFamilies(i);
    store.AdoptiveFamily(i);
    const dv::IndividualSummary* s = store.Individual(i);
    if (!s) __builtin_trap();
    dv::FitName(s->displayName, 21, true);
    dv::FitName(s->displayName, 1 + i % 40, false);
    if (s->noteOffset && !store.TextAt(s->noteOffset)) __builtin_trap();
  }
  for (std::int32_t f = 1; f <= store.FamilyCount(); ++f)
    if (!store.Family(f)) __builtin_trap();
  // The repairs of the load leave nothing more to repair.
  if (store.CheckLinks() != 0) __builtin_trap();
  std::string text = dv::GedcomText(store);
  // What was written loads again.
  static dv::RecordStore again;
  std::string summary2;
  dv::LoadDataSourceBytes(again, text, options, summary2);
  return 0;
}
