#include "ChartDump.h"

#include <cstdio>

#include "output/CellDump.h"

namespace dv::cli {

namespace {
constexpr int kCannotOpenFileForOutput = 25;
}

int WriteChartDump(const DrawRoutine& draw, int page, int screen, const std::string& path) {
  int status = 0;
  std::string dump = DumpDrawing(draw, page, screen, status);
  std::FILE* out = path == "-" ? stdout : std::fopen(path.c_str(), "wb");
  if (!out) return kCannotOpenFileForOutput;
  bool written = std::fwrite(dump.data(), 1, dump.size(), out) == dump.size();
  if (out != stdout) written = std::fclose(out) == 0 && written;
  else written = std::fflush(out) == 0 && written;
  if (!written) return kCannotOpenFileForOutput;
  return status;
}

}  // namespace dv::cli
