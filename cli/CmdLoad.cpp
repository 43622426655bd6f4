#include <cstdio>
#include <string>

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
// ("N individuals" and "N families"), or the program's message on failure.
int Load(Args args) {
  LoadOptions options;
  std::vector<std::string> paths;
  if (!ParseLoadOptions(args, options, paths) || paths.size() != 1) return 2;
  RecordStore store;
  std::string summary;
  int result = LoadDataSource(store, paths[0], options, summary);
  if (result) {
    PrintMessage(result);
    return 1;
  }
  std::printf("%s\n", summary.c_str());
  return 0;
}

}  // namespace dv::cli
