#include <cstdio>

#include "Commands.h"
#include "ConsoleText.h"
#include "common/StringTable.h"

namespace dv::cli {

// Prints the whole string table, one "id<TAB>text" line per entry, the text
// with C escapes so that every entry stays on one line.
int Strings(Args args) {
  if (!args.empty()) return 2;
  for (const auto& e : AllStrings()) {
    std::string text = ConsoleText(CEscape(e.text));
    std::printf("%d\t%s\n", e.id, text.c_str());
  }
  return 0;
}

}  // namespace dv::cli
