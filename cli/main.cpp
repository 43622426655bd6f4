// dorvane-cli: the program's engines without windows, for batch use and tests.

#include <string_view>
#include <vector>

#include "Commands.h"

int main(int argc, char** argv) {
  if (argc < 2) return dv::cli::Usage();
  const std::vector<std::string_view> args(argv + 2, argv + argc);
  return dv::cli::RunCommand(argv[1], args);
}
