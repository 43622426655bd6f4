#include <cstdio>
#include <string>

#include "Commands.h"
#include "ConsoleText.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/GedcomWriter.h"
#include "data/viewedit/EditScript.h"

namespace dv::cli {

// edit IN OUT [--names-last] [--combine-sources] OP...: loads IN, applies
// the view/edit operations in order, printing "ok" or "refused<TAB>id<TAB>text"
// for each, and writes OUT as Save As does. When any operation was
// refused nothing is written and the exit code is 3.
int Edit(Args args) {
  for (std::string_view a : args)
    if (a == "--help") {
      std::fputs("usage: dorvane-cli edit IN OUT [--names-last] [--combine-sources] OP...\n",
                 stdout);
      std::fputs(viewedit::EditHelp().c_str(), stdout);
      return 0;
    }
  LoadOptions options;
  std::vector<std::string> paths;
  std::vector<std::string_view> ops;
  for (std::string_view a : args) {
    if (paths.size() < 2 && a == "--names-last")
      options.namesLast = true;
    else if (paths.size() < 2 && a == "--combine-sources")
      options.combineSources = true;
    else if (paths.size() < 2)
      paths.emplace_back(a);
    else
      ops.push_back(a);
  }
  if (paths.size() != 2) return 2;
  RecordStore store;
  std::string summary;
  int warning = 0;
  int result = LoadDataSource(store, paths[0], options, summary, &warning);
  if (result) {
    PrintMessage(result);
    return 1;
  }
  if (warning) PrintMessage(warning);
  std::string output, error;
  int refused = viewedit::RunEditScript(store, ops, output, error);
  if (refused < 0) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  std::fputs(output.c_str(), stdout);
  if (refused > 0) return 3;
  result = SaveGedcom(store, paths[1], false);
  if (result) {
    return PrintMessage(result, result > 0 ? paths[1] : std::string());
  }
  return 0;
}

}  // namespace dv::cli
