#pragma once
// The command-line tool's subcommands. Each lives in its own file and returns
// the process exit code (0 success, 1 failure reported on stderr, 2 usage).

#include <span>
#include <string_view>

namespace dv::cli {

using Args = std::span<const std::string_view>;  // arguments after the subcommand

int Strings(Args args);

}  // namespace dv::cli
