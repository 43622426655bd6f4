#include <cstdio>
#include <string>

#include "Commands.h"
#include "ConsoleText.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/GedcomWriter.h"

namespace dv::cli {

// Loads IN and writes it to OUT as Save As does: link check, the header's
// FILE line set to OUT's name, no backup.
int Save(Args args) {
  LoadOptions options;
  std::vector<std::string> paths;
  if (!ParseLoadOptions(args, options, paths) || paths.size() != 2) return 2;
  RecordStore store;
  std::string summary;
  int warning = 0;
  int result = LoadDataSource(store, paths[0], options, summary, &warning);
  if (result) {
    PrintMessage(result);
    return 1;
  }
  if (warning) PrintMessage(warning);
  result = SaveGedcom(store, paths[1], false);
  if (result) {
    PrintMessage(result, result > 0 ? paths[1] : std::string());
    return 1;
  }
  return 0;
}

}  // namespace dv::cli
