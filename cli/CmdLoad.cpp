#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "Commands.h"
#include "ConsoleText.h"
#include "common/StringTable.h"
#include "data/DataSource.h"

namespace dv::cli {

// Reads the load options shared by load and save; false on an unknown option.
bool ParseLoadOptions(Args args, LoadOptions& options, std::vector<std::string>& paths) {
  for (std::string_view a : args) {
    if (a == "--names-last")
      options.namesLast = true;
    else if (a == "--combine-sources")
      options.combineSources = true;
    else if (a.size() > 2 && a.substr(0, 2) == "--")
      return false;
    else
      paths.emplace_back(a);
  }
  return true;
}

// Loads a GEDCOM file as the Data Source dialog does and prints the summary
// ("N individuals" and "N families"), or the program's message on failure
// (exit 1); a load that read only part of the file also prints its message.
// With --repeat N the file is loaded N times into the same store, as
// reopening it does, and the times are printed: the first load (in a fresh
// process it obtains the store's memory) and the median of all. This times
// the load the same way in the native tool and in the Windows one under Wine,
// whose start-up would swamp a whole-process measurement.
int Load(Args args) {
  LoadOptions options;
  std::vector<std::string> paths;
  int repeat = 0;
  std::vector<std::string_view> rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--repeat" && i + 1 < args.size()) {
      // A count that is not a whole number, or too large for one, is refused.
      const std::string_view count = args[++i];
      const auto [end, error] = std::from_chars(count.data(), count.data() + count.size(), repeat);
      if (error != std::errc() || end != count.data() + count.size() || repeat < 1) return 2;
    } else {
      rest.push_back(args[i]);
    }
  }
  if (!ParseLoadOptions(rest, options, paths) || paths.size() != 1) return 2;
  RecordStore store;
  std::string summary;
  std::vector<double> times;
  int warning = 0;
  for (int n = 0; n < std::max(repeat, 1); ++n) {
    const auto start = std::chrono::steady_clock::now();
    int result = LoadDataSource(store, paths[0], options, summary, &warning);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (result) {
      PrintMessage(result);
      return 1;
    }
  }
  if (warning) PrintMessage(warning);
  std::printf("%s\n", summary.c_str());
  if (repeat > 0) {
    const double first = times.front();
    std::sort(times.begin(), times.end());
    const std::size_t m = times.size() / 2;
    const double median = times.size() % 2 ? times[m] : (times[m - 1] + times[m]) / 2;
    std::printf("loads %d: first %.1f ms, median %.1f ms\n", repeat, first, median);
  }
  return 0;
}

}  // namespace dv::cli
