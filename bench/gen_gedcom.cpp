// gen_gedcom: writes a large invented GEDCOM 5.5 file for benchmarks and
// manual tests of the loader.
//
//   gen_gedcom INDIVIDUALS [SEED [OUTPUT]]
//
// OUTPUT "-" or none writes to standard output. The counts go to standard error.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "GedcomGenerator.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fputs("usage: gen_gedcom INDIVIDUALS [SEED [OUTPUT]]\n", stderr);
    return 2;
  }
  char* end = nullptr;
  const long individuals = std::strtol(argv[1], &end, 10);
  if (*end != '\0' || individuals < 2 || individuals > 10'000'000) {
    std::fputs("gen_gedcom: INDIVIDUALS must be a number from 2 to 10000000\n", stderr);
    return 2;
  }
  unsigned long seed = 1;
  if (argc >= 3) {
    seed = std::strtoul(argv[2], &end, 10);
    if (*end != '\0') {
      std::fputs("gen_gedcom: SEED must be a number\n", stderr);
      return 2;
    }
  }
  const std::string output = argc == 4 ? argv[3] : "-";

  dv::bench::GeneratedCounts counts;
  if (output == "-") {
    const std::string text = dv::bench::GenerateGedcom(static_cast<std::int32_t>(individuals),
                                                       static_cast<std::uint32_t>(seed), &counts);
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() ||
        std::fflush(stdout) != 0) {
      std::fputs("gen_gedcom: cannot write to standard output\n", stderr);
      return 1;
    }
  } else if (!dv::bench::WriteGedcomFile(output, static_cast<std::int32_t>(individuals),
                                         static_cast<std::uint32_t>(seed), &counts)) {
    std::fprintf(stderr, "gen_gedcom: cannot write %s\n", output.c_str());
    return 1;
  }
  std::fprintf(
      stderr,
      "%d individuals, %d families, %d notes, %d sources, %d repositories, %zu lines, %zu bytes\n",
      counts.individuals, counts.families, counts.notes, counts.sources, counts.repositories,
      counts.lines, counts.bytes);
  return 0;
}
