#include <cstdio>
#include <string>

#include "Commands.h"
#include "ConsoleText.h"
#include "common/StringTable.h"
#include "data/DataSource.h"
#include "data/RecordStore.h"
#include "soundex/Soundex.h"

namespace dv::cli {

// Prints the Soundex code of each name, taken in capitals as the calculator
// takes what is typed: "NAME<TAB>CODE", or with --variant both
// "NAME<TAB>SIMPLIFIED<TAB>AMERICAN". The default variant is Simplified, the
// calculator's first setting.
int Soundex(Args args) {
  bool simplified = true, american = false;
  std::vector<std::string_view> names;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view a = args[i];
    if (a == "--variant") {
      if (i + 1 >= args.size()) return 2;
      const std::string_view v = args[++i];
      if (v == "simplified") {
        simplified = true, american = false;
      } else if (v == "american") {
        simplified = false, american = true;
      } else if (v == "both") {
        simplified = american = true;
      } else {
        return 2;
      }
    } else if (a.size() > 2 && a.substr(0, 2) == "--") {
      return 2;
    } else {
      names.push_back(a);
    }
  }
  if (names.empty()) return 2;
  for (std::string_view name : names) {
    const std::string capitals = SoundexCapitals(name);
    std::string line(name);
    if (simplified) line += "\t" + SoundexCode(capitals, kSoundexSimplified);
    if (american) line += "\t" + SoundexCode(capitals, kSoundexAmerican);
    std::printf("%s\n", line.c_str());
  }
  return 0;
}

// Prints the Soundex list of a GEDCOM file: "SURNAME<TAB>SIMPLIFIED<TAB>AMERICAN".
int SoundexList(Args args) {
  if (args.size() != 1 || (args[0].size() > 2 && args[0].substr(0, 2) == "--")) return 2;
  RecordStore store;
  std::string summary;
  if (int rc = LoadDataSource(store, std::string(args[0]), LoadOptions{}, summary)) {
    PrintMessage(rc);
    return 1;
  }
  for (const SoundexRow& row : dv::SoundexList(store))
    std::printf("%s\t%s\t%s\n", row.surname.c_str(), row.simplified.c_str(), row.american.c_str());
  return 0;
}

}  // namespace dv::cli
